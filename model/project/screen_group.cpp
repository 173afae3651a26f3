#include "model/project/screen_group.h"

#include "model/project/project_globals.h"

void RemoveScreenFromGroups(std::int32_t ledNo) {
  for (ScreenGroup& group : ScreenGroupList) {
    std::erase(group.ScreenNos, ledNo);
  }
}
