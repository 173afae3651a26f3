#pragma once
// The send pane's pictures, drawn by the program: all screens, a group, one screen.

#include <QImage>

enum class SendIcon { AllScreens, Group, Screen };

// The picture at size x size pixels on a transparent background.
QImage PaintSendIcon(SendIcon icon, int size);
