#pragma once
// A scriptable Flash host for tests. While a FakeFlashHosts lives, every host the
// program makes is a fake that follows its script (pictures per capture, IsPlaying,
// FlashCall events after given captures, failing calls) and writes every call it
// receives into calls.

#include <QImage>
#include <QSet>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class FakeFlashHost;

class FakeFlashHosts {
 public:
  FakeFlashHosts();   // registers the fake factory
  ~FakeFlashHosts();  // puts the null host back
  FakeFlashHosts(const FakeFlashHosts&) = delete;
  FakeFlashHosts& operator=(const FakeFlashHosts&) = delete;

  // The script.
  bool createFails = false;
  QSet<QString> failingCalls;  // names of calls that answer false: "SetMovie", ...
  // Paints capture n (1 = the first after Create) into the picture; by default
  // the whole picture in PaintedColor(n).
  std::function<void(int capture, QImage& picture)> paint;
  // IsPlaying's answer; by default true from Play until Stop.
  std::function<bool()> isPlaying;
  // After each of these captures (numbered as for paint) a FlashCall event follows.
  std::vector<int> flashCallAfterCaptures;
  std::optional<QString> callFunctionReply = QStringLiteral("<null/>");
  // Hosts are numbered 1, 2, ... in the order they are made. While held answers true
  // for a host's number, its captures fail: nothing is printed, no event follows.
  std::function<bool(int host)> held;

  // What happened: one line a call, "Name argument", e.g. "SetLoop 1", "Play".
  std::vector<QString> calls;
  int Count(const QString& name) const;  // calls of that name
  int LiveHosts() const { return static_cast<int>(live_.size()); }
  int Captures() const { return captures_; }

  // The default picture of capture n: a colour of its own for each capture.
  static QRgb PaintedColor(int capture);

 private:
  friend class FakeFlashHost;
  void Record(const QString& name, const QString& argument = QString());
  std::vector<FakeFlashHost*> live_;
  int captures_ = 0;
  int made_ = 0;
};
