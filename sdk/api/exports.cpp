// The library's exported functions: each catches everything, so no exception ever
// crosses into the host.

#include "sdk/Corvanix.h"

KQ_API void KQ_GetError(int32_t, int32_t, int32_t) {}
