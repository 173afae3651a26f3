#pragma once
// The preview's picture of the part of the screen its window shows (Format_RGB32),
// into which the players, the edit canvas and the preview's borders draw; the preview
// sets it while it exists and copies it, zoomed, to its window after each tick. Null
// otherwise. GUI thread only.

struct ScreenPicture;

extern ScreenPicture* PreviewPicture;
