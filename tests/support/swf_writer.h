#pragma once
// Writes small uncompressed Flash movies for tests: a stage of a size, a frame rate and
// a background colour, and one solid square placed at a position of its own in every
// frame. A movie may also ask for URLs, or call out to its container with
// ExternalInterface.call, from its first frame.

#include <QByteArray>
#include <QColor>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

// getURL(url, target) with the movie's variables sent by method: 0 none, 1 GET, 2 POST.
struct TestGetUrl {
  QString url;
  QString target;
  int method = 0;
};

struct TestMovie {
  QSize stage{320, 160};
  int frameRate = 10;
  QColor background{0, 0, 128};
  QColor squareColor{255, 200, 0};
  int squareSide = 40;
  std::vector<QPoint> positions;    // the square's top-left corner, one per frame
  QString loadUrl;                  // loaded into level 1 on the first frame when set
  std::vector<TestGetUrl> getUrls;  // on the first frame, in order, before the call below
  QString callName;                 // ExternalInterface.call(callName, callArgument)...
  QString callArgument;             // ...on the first frame, when callName is set
};

QByteArray WriteTestMovie(const TestMovie& movie);
