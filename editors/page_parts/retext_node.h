#pragma once
// Asking the project page to show the selected item's new name.

class QWidget;

// Sends UM_RETEXT_SELECTED_NODE (0, 0) to the page's parent window, the project page;
// nothing when the parent is not a message window.
void RetextSelectedNode(const QWidget& page);
