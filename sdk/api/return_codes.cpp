#include "sdk/api/return_codes.h"

#include "sdk/Corvanix.h"

namespace {

struct CodeText {
  int code;
  const char* text;
};

constexpr CodeText kCodeTexts[] = {
    {KQ_OK, "success"},
    {KQ_ERR_BAD_HANDLE, "program handle not valid"},
    {KQ_ERR_PROGRAM_EXISTS, "program number already in the set"},
    {KQ_ERR_NO_PROGRAM, "program number not found"},
    {KQ_ERR_NO_AREA, "area number not found in the program"},
    {KQ_ERR_SOCKET, "socket could not be created or configured"},
    {KQ_ERR_BAD_REPLY, "reply from the card not valid"},
    {KQ_ERR_PAGE_KIND, "page file of a kind that is not supported"},
    {KQ_ERR_ADDRESS_TEXT, "address text not valid"},
    {KQ_ERR_BAUD_RATE, "baud rate not supported"},
    {KQ_ERR_PAGE_NOT_FOUND, "page file not found"},
    {KQ_ERR_AREA_OVERLAP, "area overlaps another area of the same layer"},
    {KQ_ERR_FILE, "file could not be opened, created or written, or no memory"},
    {KQ_ERR_FRAME_MAGIC, "frame file does not begin with its magic number"},
    {KQ_ERR_AREA_EXISTS, "area number already in the program"},
    {KQ_ERR_SEND_TYPE, "send type not known"},
    {KQ_ERR_DRAW, "picture could not be drawn"},
    {KQ_ERR_USB_FOLDER, "folder on the USB disk could not be created"},
    {KQ_ERR_BAD_SIZE, "rectangle, count or size the card's data cannot hold"},
    {KQ_ERR_MISSING_RECORD, "a record or path the call needs is missing"},
    {KQ_ERR_SERIAL_OPEN, "serial port could not be opened"},
    {KQ_ERR_SERIAL_TIMEOUTS, "serial time-outs could not be set"},
    {KQ_ERR_SERIAL_BUFFERS, "serial buffer sizes could not be set"},
    {KQ_ERR_SERIAL_WRITE, "serial write failed or was short"},
    {KQ_ERR_SERIAL_READ, "serial read failed or was short"},
    {KQ_ERR_SERIAL_STATE, "serial port state could not be set"},
    {KQ_ERR_SERIAL_NO_REPLY, "no complete reply on the serial line in time"},
    {KQ_ERR_NOT_SERVED, "send type not served by this call"},
    {KQ_ERR_CONNECT, "TCP connection not made"},
    {KQ_ERR_SEND, "sending a frame failed"},
    {KQ_ERR_NO_REPLY, "no reply from the card"},
    {KQ_ERR_BIND, "UDP socket could not be bound"},
    {KQ_ERR_NO_LOCAL_ADDRESS, "the computer has no local IPv4 address"},
    {KQ_STATUS_SENDING, "sending"},
    {KQ_STATUS_GENERATING, "generating display data"},
};

}  // namespace

const char* ReturnCodeText(int code) {
  for (const CodeText& entry : kCodeTexts) {
    if (entry.code == code) return entry.text;
  }
  return code > 1 ? "error reported by the card" : "unknown code";
}
