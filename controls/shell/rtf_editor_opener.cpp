#include "controls/shell/rtf_editor_opener.h"

std::function<void(const RtfEditRequest& request)> RunRtfEditor;
