#pragma once
// CBackSwfImage plays the animated background of an area (a background item of kind
// 8) from its prepared files for 5 seconds at a time; the preview draws it tick by
// tick, and the pre-rendering records it into the item's frame file.

#include <QImage>
#include <QString>

#include "render/flash/swf.h"

// A background plays 5 s (in tenths of a second) and is then loaded again.
constexpr int kFlashBackgroundStay = 50;

class CBackSwfImage : public CSwf {
 public:
  using CSwf::CSwf;

  // Prepares background number of the item guid for width x height (a failed
  // preparation still plays what the folder holds), opens it on a 1150 x 525
  // control and plays it; with record set, records its frame file. 1 when playing;
  // 0 when guid is not a GUID text, the number is negative, or the player cannot be
  // opened or started.
  int Load(int number, int width, int height, int record, const QString& guid);
  // One preview tick into dc: black over (0, 0, width, height) until the movie has
  // painted, then its picture. 0 once the 5 s are over or nothing could be printed.
  int Draw(QImage& dc, int width, int height);
};
