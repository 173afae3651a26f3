#include "sdk/program/program_handles.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <new>

namespace {

// The fill pattern of uninitialised memory in the hosts' debug builds.
constexpr std::uintptr_t kDebugFill = 0xCCCCCCCC;

struct Registry {
  std::mutex lock;
  std::uintptr_t lastId = 0;
  std::map<std::uintptr_t, std::shared_ptr<ProgramSet>> sets;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

std::uintptr_t IdOf(ProgramHandle handle) { return reinterpret_cast<std::uintptr_t>(handle); }

}  // namespace

ProgramHandle RegisterProgramSet(std::shared_ptr<ProgramSet> set) {
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  std::uintptr_t id = registry.lastId + 1;
  if (id == kDebugFill) ++id;
  try {
    registry.sets.emplace(id, std::move(set));
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  registry.lastId = id;
  return reinterpret_cast<ProgramHandle>(id);
}

std::shared_ptr<ProgramSet> FindProgramSet(ProgramHandle handle) {
  const std::uintptr_t id = IdOf(handle);
  if (id == 0 || id == kDebugFill) return nullptr;
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  const auto found = registry.sets.find(id);
  return found == registry.sets.end() ? nullptr : found->second;
}

bool ReleaseProgramHandle(ProgramHandle handle) {
  std::shared_ptr<ProgramSet> last;  // freed after the registry's lock is let go
  Registry& registry = TheRegistry();
  std::lock_guard guard(registry.lock);
  const auto found = registry.sets.find(IdOf(handle));
  if (found == registry.sets.end() || IdOf(handle) == 0) return false;
  last = std::move(found->second);
  registry.sets.erase(found);
  return true;
}
