#pragma once
// The window that hears a control's notifications: its nearest ancestor that is a
// MessageWindow (a dialog, a page, a toolbar frame).

class MessageWindow;
class QWidget;

// Searches from the widget's parent upwards; nullptr when no ancestor is one.
MessageWindow* NearestMessageWindow(const QWidget* widget);
