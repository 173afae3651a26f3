#pragma once
// Emptying the whole project, model and tree.

// The project tree as ClearProject uses it; the project page implements it over its
// tree control.
class ProjectTreeItems {
 public:
  virtual ~ProjectTreeItems() = default;
  // Removes every item of the tree without running the selection handler.
  virtual void DeleteAllItems() = 0;
};

// Frees every screen, program and area record with everything they own, empties
// ScreenList and ScreenGroupList, clears every global that pointed at a freed record
// (ClearProjectModel), then empties the tree. CurrentScreenNo stays as it is; the
// caller loads a project or creates the default screen next.
void ClearProject(ProjectTreeItems& tree);
