#include "controls/shell/table_editor_opener.h"

std::function<void(const TableEditRequest& request)> RunTableEditor;
