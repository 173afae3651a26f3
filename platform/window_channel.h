#pragma once
// Window messages between the programs of one user. A program's window class is a
// local socket in the user's runtime folder (user-only): "a window of class X exists"
// is "a connection to X succeeds", and posting to it is connect, write one frame,
// disconnect. A frame is 16 bytes, little-endian: "KQM1", u32 message, i32 wParam,
// i32 lParam. The receiving side posts the frames it accepts to one of its windows.

#include <QByteArray>
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/window_handle.h"

class QLocalServer;
class QLocalSocket;

// The window classes: the main window's and the updater's.
inline const QString kMainWindowClass = QStringLiteral("Quendra6");
inline const QString kUpdaterWindowClass = QStringLiteral("Quendra6 Update");

// The messages between the main program and the updater, always posted.
constexpr UINT UM_CHECK_UPDATE = WM_USER + 33;     // main program -> updater
constexpr UINT UM_EXIT_FOR_UPDATE = WM_USER + 33;  // updater -> main program
constexpr UINT UM_QUIT_UPDATER = WM_USER + 36;     // main program -> updater

constexpr int kWindowFrameSize = 16;
// A receiver drops a connection whose frame is not complete within this time.
constexpr int kWindowFrameTimeoutMs = 1000;
// A sender waits at most this long to connect and to write.
constexpr int kWindowPostTimeoutMs = 1000;

struct WindowFrame {
  UINT msg = 0;
  std::int32_t wParam = 0;
  std::int32_t lParam = 0;
  friend bool operator==(const WindowFrame&, const WindowFrame&) = default;
};

std::array<char, kWindowFrameSize> EncodeWindowFrame(const WindowFrame& frame);
// The frame of the first 16 bytes; nullopt when fewer arrive or the magic is wrong.
std::optional<WindowFrame> DecodeWindowFrame(const QByteArray& bytes);

// The socket of a class in the user's runtime folder; empty without such a folder.
QString WindowClassPath(const QString& windowClass);

// True when a program serves the class.
bool WindowClassExists(const QString& windowClass);

// Posts one message to the program that serves the class; false when none does or the
// frame could not be written. The values travel as 32-bit numbers.
[[nodiscard]] bool PostToWindowClass(const QString& windowClass, UINT msg, std::int32_t wParam,
                                     std::int32_t lParam);

// Serves a window class for the life of the object and posts every frame whose
// message is one of `accepted` to the window; other frames are dropped, and so is a
// connection that sends a bad magic or leaves a frame incomplete for too long.
class WindowChannel : public QObject {
 public:
  WindowChannel(const QString& windowClass, HWND window, std::vector<UINT> accepted);
  ~WindowChannel() override;

  // False when the socket could not be made (another program serves the class).
  bool IsListening() const;

 private:
  void Accept();
  void Read(QLocalSocket* socket);

  QLocalServer* server_;
  HWND window_;
  std::vector<UINT> accepted_;
};
