// The send export when memory runs out on the caller's thread: the failure comes back
// as a code, never as an exception into the host. A program of its own, since it
// replaces the allocation functions.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "tests/sdk/sdk_test_support.h"

namespace {

// While set, every allocation of this thread fails.
thread_local bool allocationsFail = false;

void* Allocate(std::size_t size) {
  if (allocationsFail) throw std::bad_alloc();
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

namespace {

TEST(SendOutOfMemory, SendReturnsTheMemoryCodeInsteadOfThrowing) {
  sdktest::RecordingWindow window;  // the statuses it would be posted need memory
  const ProgramHandle set = KQ_CreateProgram(64, 32, 1, 0);
  ASSERT_NE(set, nullptr);
  const CommInfo info = sdktest::TcpInfo("127.0.0.1", window.Handle());
  int result = 0;
  allocationsFail = true;
  EXPECT_NO_THROW(result = KQ_Send(&info, set));
  allocationsFail = false;
  EXPECT_EQ(result, KQ_ERR_FILE);
  EXPECT_EQ(KQ_DeleteProgram(set), 1);
}

}  // namespace
