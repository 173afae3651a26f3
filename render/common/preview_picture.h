#pragma once
// The preview's off-screen picture of the screen's size (Format_RGB32), into which the
// players, the edit canvas and the preview's borders draw; the preview sets it while
// it exists and copies it, zoomed, to its window after each tick. Null otherwise. GUI
// thread only.

class QImage;

extern QImage* PreviewPicture;
