#include "model/project/clear_project.h"

#include "model/project/project_editing.h"

void ClearProject(ProjectTreeItems& tree) {
  // Deleting tree items frees nothing: the records go first, and with them every global
  // that points at one.
  ClearProjectModel();
  tree.DeleteAllItems();
}
