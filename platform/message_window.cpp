#include "platform/message_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>
#include <QTimerEvent>

#include <future>
#include <mutex>
#include <unordered_map>

namespace {

const QEvent::Type kMessageEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// One queued message. A sent message carries the promise its sender waits on; an
// event destroyed before delivery (its window went away) answers 0.
class MessageEvent : public QEvent {
 public:
  MessageEvent(UINT msg, WPARAM wParam, LPARAM lParam,
               std::shared_ptr<std::promise<LRESULT>> reply = nullptr)
      : QEvent(kMessageEventType),
        msg(msg),
        wParam(wParam),
        lParam(lParam),
        reply_(std::move(reply)) {}
  ~MessageEvent() override { Answer(0); }

  void Answer(LRESULT result) {
    if (reply_) {
      reply_->set_value(result);
      reply_.reset();
    }
  }

  const UINT msg;
  const WPARAM wParam;
  const LPARAM lParam;

 private:
  std::shared_ptr<std::promise<LRESULT>> reply_;
};

std::uintptr_t HandleId(HWND window) { return reinterpret_cast<std::uintptr_t>(window); }

}  // namespace

// The QObject that lives in the window's thread and receives its events.
class MessageReceiver : public QObject {
 public:
  explicit MessageReceiver(MessageWindow* window) : window_(window) {}

  MessageWindow* Window() const { return window_; }

  [[nodiscard]] bool StartTimer(UINT timerId, UINT intervalMs) {
    (void)StopTimer(timerId);  // false only when no timer of this id ran
    const int qtId = startTimer(static_cast<int>(intervalMs));
    if (qtId == 0) return false;
    timers_[timerId] = qtId;
    return true;
  }

  [[nodiscard]] bool StopTimer(UINT timerId) {
    auto it = timers_.find(timerId);
    if (it == timers_.end()) return false;
    killTimer(it->second);
    timers_.erase(it);
    return true;
  }

 protected:
  bool event(QEvent* e) override {
    if (e->type() == kMessageEventType) {
      auto* message = static_cast<MessageEvent*>(e);
      message->Answer(window_->WindowProc(message->msg, message->wParam, message->lParam));
      return true;
    }
    return QObject::event(e);
  }

  void timerEvent(QTimerEvent* e) override {
    for (const auto& [timerId, qtId] : timers_) {
      if (qtId == e->timerId()) {
        window_->WindowProc(WM_TIMER, timerId, 0);
        return;
      }
    }
  }

 private:
  MessageWindow* window_;
  std::unordered_map<UINT, int> timers_;  // user timer id -> Qt timer id
};

namespace {

// The windows of the process. Handles come from a counter and are never reused.
struct WindowRegistry {
  std::mutex mutex;
  std::unordered_map<std::uintptr_t, MessageReceiver*> windows;
  std::uintptr_t nextId = 1;
};

WindowRegistry& Registry() {
  // Never destroyed: windows may still unregister while the process exits.
  static auto* registry = new WindowRegistry;
  return *registry;
}

MessageReceiver* FindOnOwnThread(HWND window) {
  WindowRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.windows.find(HandleId(window));
  if (it == registry.windows.end() || it->second->thread() != QThread::currentThread()) {
    return nullptr;
  }
  return it->second;
}

}  // namespace

MessageWindow::MessageWindow() : receiver_(std::make_unique<MessageReceiver>(this)) {
  WindowRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  const std::uintptr_t id = registry.nextId++;
  handle_ = reinterpret_cast<HWND>(id);
  registry.windows[id] = receiver_.get();
}

MessageWindow::~MessageWindow() {
  {
    WindowRegistry& registry = Registry();
    std::lock_guard lock(registry.mutex);
    registry.windows.erase(HandleId(handle_));
  }
  // Deleting the receiver discards the messages still queued for it.
  receiver_.reset();
}

LRESULT MessageWindow::WindowProc(UINT, WPARAM, LPARAM) { return 0; }

bool PostMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.windows.find(HandleId(window));
  if (it == registry.windows.end()) return false;
  QCoreApplication::postEvent(it->second, new MessageEvent(msg, wParam, lParam));
  return true;
}

LRESULT SendMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  std::future<LRESULT> answer;
  {
    WindowRegistry& registry = Registry();
    std::unique_lock lock(registry.mutex);
    auto it = registry.windows.find(HandleId(window));
    if (it == registry.windows.end()) return 0;
    MessageReceiver* receiver = it->second;
    if (receiver->thread() == QThread::currentThread()) {
      lock.unlock();
      return receiver->Window()->WindowProc(msg, wParam, lParam);
    }
    auto reply = std::make_shared<std::promise<LRESULT>>();
    answer = reply->get_future();
    QCoreApplication::postEvent(receiver, new MessageEvent(msg, wParam, lParam, reply),
                                Qt::HighEventPriority);
  }
  return answer.get();
}

bool IsWindow(HWND window) {
  WindowRegistry& registry = Registry();
  std::lock_guard lock(registry.mutex);
  return registry.windows.count(HandleId(window)) != 0;
}

bool SetTimer(HWND window, UINT timerId, UINT intervalMs) {
  MessageReceiver* receiver = FindOnOwnThread(window);
  return receiver != nullptr && receiver->StartTimer(timerId, intervalMs);
}

bool KillTimer(HWND window, UINT timerId) {
  MessageReceiver* receiver = FindOnOwnThread(window);
  return receiver != nullptr && receiver->StopTimer(timerId);
}

void PumpMessages() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::processEvents();
}
