#pragma once
// One text per return code of the library, for logs and messages.

// The text of a code; card results (greater than 1) and unknown codes get a
// generic text. Never null.
const char* ReturnCodeText(int code);
