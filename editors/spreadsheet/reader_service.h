#pragma once
// The reader service: spreadsheet-reader runs as one confined process for as long as the
// importing program keeps it, and forks a fresh reader for each workbook, so that an
// import pays for neither loading the program nor confining it again, while every
// workbook is still read in a process of its own that ends with it.
//
// A request is one message on the control socket (a Unix sequenced-packet socket): a
// byte naming the workbook kind, carrying two descriptors, the workbook file and the
// write end of the answer pipe. The service gives the reader the file as its standard
// input and the pipe as its standard output and nothing else, waits for it, and replies
// with its wait status (an int; -1 when no reader could be started).

enum class WorkbookKind { Xls, Xlsx };

// Sends a request; false when the service is gone or the socket fails.
[[nodiscard]] bool SendReaderRequest(int control, WorkbookKind kind, int file, int answer);

// Takes the reply to a request already known to be waiting; false when the service is
// gone or the reply is malformed.
[[nodiscard]] bool ReceiveReaderStatus(int control, int* status);

// The service's loop: serves the requests on control until the other end closes it
// (0), or the socket fails or a request is malformed (1). answer runs in each forked
// reader and gives its exit status.
int ServeReaders(int control, int (*answer)(WorkbookKind kind));
