#include "tests/support/fake_flash_host.h"

#include <algorithm>

#include "render/flash/flash_host.h"

class FakeFlashHost final : public FlashHost {
 public:
  explicit FakeFlashHost(FakeFlashHosts& hosts) : hosts_(hosts), number_(++hosts.made_) {
    hosts_.live_.push_back(this);
  }
  ~FakeFlashHost() override { std::erase(hosts_.live_, this); }

  bool Create(const PixelRect& r, QSize control) override {
    hosts_.captures_ = 0;
    return Answer("Create", QStringLiteral("%1,%2,%3,%4 %5x%6")
                                .arg(r.left)
                                .arg(r.top)
                                .arg(r.right)
                                .arg(r.bottom)
                                .arg(control.width())
                                .arg(control.height())) &&
           !hosts_.createFails;
  }
  bool SetMovie(const QString& path) override { return Answer("SetMovie", path); }
  bool SetLoop(bool loop) override { return Answer("SetLoop", QString::number(loop)); }
  bool SetScaleMode(int mode) override { return Answer("SetScaleMode", QString::number(mode)); }
  bool SetBackgroundColor(std::uint32_t rrggbb) override {
    return Answer("SetBackgroundColor", QString::number(rrggbb, 16));
  }
  bool SetMenu(bool menu) override { return Answer("SetMenu", QString::number(menu)); }
  bool Play() override {
    playing_ = true;
    return Answer("Play");
  }
  bool Stop() override {
    playing_ = false;
    return Answer("Stop");
  }
  bool IsPlaying() override {
    hosts_.Record(QStringLiteral("IsPlaying"));
    return hosts_.isPlaying ? hosts_.isPlaying() : playing_;
  }
  std::optional<QString> CallFunction(const QString& request) override {
    if (!Answer("CallFunction", request)) return std::nullopt;
    return hosts_.callFunctionReply;
  }
  bool Capture(QImage& picture) override {
    if (!Answer("Capture") || (hosts_.held && hosts_.held(number_))) return false;
    const int capture = ++hosts_.captures_;
    if (hosts_.paint) {
      hosts_.paint(capture, picture);
    } else {
      picture.fill(FakeFlashHosts::PaintedColor(capture));
    }
    const auto& cues = hosts_.flashCallAfterCaptures;
    if (std::find(cues.begin(), cues.end(), capture) != cues.end()) {
      DeliverFlashCall(QStringLiteral("<invoke name=\"lineShown\"/>"));
    }
    return true;
  }

 private:
  // Records the call and answers whether the script lets it succeed.
  bool Answer(const char* name, const QString& argument = QString()) {
    const QString call = QString::fromLatin1(name);
    hosts_.Record(call, argument);
    return !hosts_.failingCalls.contains(call);
  }

  FakeFlashHosts& hosts_;
  const int number_;
  bool playing_ = false;
};

FakeFlashHosts::FakeFlashHosts() {
  SetFlashHostFactory([this] { return std::make_unique<FakeFlashHost>(*this); });
}

FakeFlashHosts::~FakeFlashHosts() { SetFlashHostFactory(nullptr); }

void FakeFlashHosts::Record(const QString& name, const QString& argument) {
  calls.push_back(argument.isEmpty() ? name : name + u' ' + argument);
}

int FakeFlashHosts::Count(const QString& name) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const QString& call) {
    return call == name || call.startsWith(name + u' ');
  }));
}

QRgb FakeFlashHosts::PaintedColor(int capture) {
  return qRgb(0x80, capture % 256, capture / 256 % 256);
}
