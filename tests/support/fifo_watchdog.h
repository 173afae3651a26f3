#pragma once
// Tests of code that must never wait on a FIFO named as its file: a call that blocks
// fails its test instead of hanging the suite.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QString>

#include <chrono>
#include <future>

namespace fifotest {

inline bool MakeFifo(const QString& path) {
  return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
}

// Runs call on a thread of its own and gives its result. A call still running after
// five seconds fails the test; the FIFO's write end is then opened and closed, so that
// a call blocked opening or reading it goes on.
template <typename Call>
auto ReturnsPromptly(const QString& fifo, Call call) {
  auto result = std::async(std::launch::async, call);
  if (result.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    ADD_FAILURE() << "waits on the FIFO " << fifo.toStdString();
    const int writer = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_CLOEXEC);
    if (writer >= 0) ::close(writer);
  }
  return result.get();
}

}  // namespace fifotest
