/* Compiles the SDK's area and communication records as C, so that their size and
 * layout assertions hold for the SDK's C callers as well as for the model. */
#include "model/project/area_records.h"
#include "model/project/comm_info.h"

typedef int area_records_compile_as_c;
