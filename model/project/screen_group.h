#pragma once
// A named set of screens that is sent to at once; stored in the project file.

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

struct ScreenGroup {
  // A group of that name with no screens yet.
  explicit ScreenGroup(QString name) : GroupName(std::move(name)) {}

  QString GroupName;
  std::vector<std::int32_t> ScreenNos;  // LedNo values of existing screens
};

// Removes every occurrence of a deleted screen's number from every group, so that
// groups hold only numbers of existing screens.
void RemoveScreenFromGroups(std::int32_t ledNo);
