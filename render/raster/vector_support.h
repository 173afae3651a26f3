#pragma once
// Whether the processor runs the AVX2 paths of the pixel copies, asked once a process.
// The paths are built with a function attribute, so the program as a whole keeps to
// the baseline instruction set and runs everywhere.

#if defined(__x86_64__)
#include <immintrin.h>
#define KQ_HAVE_AVX2_PATHS 1

inline bool ProcessorHasAvx2() {
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
}
#else
inline bool ProcessorHasAvx2() { return false; }
#endif
