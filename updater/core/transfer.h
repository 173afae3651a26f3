#pragma once
// Transfers of the version file and the package over HTTPS with libcurl. Only
// addresses IsAllowedUpdateUrl accepts are fetched, redirects included; data goes to
// "<destination>.part" and is renamed into place once the whole body has arrived, so
// a failed or cancelled transfer never leaves a file behind.

#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>

#include "platform/window_handle.h"
#include "updater/core/update_options.h"

// True for "https://" with a host, and for "http://" to a literal loopback address
// (a local test server): anyone on the path could hand in a package over plain http
// elsewhere. Everything else (file:, ftp:, http to a name) is refused.
bool IsAllowedUpdateUrl(const QString& url);

// Progress and cancel of one transfer. Progress goes to the window as posted
// UM_DOWNLOAD_PROGRESS (bytes so far, total) while the total is known, at most every
// 100 ms and once more at the end; a set cancel flag posts (-1, -1) and aborts.
class CBindCallback {
 public:
  // window may be null (no progress); cancel may be null (no cancel).
  CBindCallback(HWND window, std::atomic<bool>* cancel);

  // A transfer starts: clears the cancel flag, so that a cancel of an earlier
  // transfer does not abort this one.
  void OnStart();
  // Bytes so far and the total (0 when unknown); false aborts the transfer.
  bool OnProgress(std::int64_t now, std::int64_t total);
  // The whole body has arrived: the last progress reaches the total, when known.
  void OnDone();

 private:
  void Post(std::int64_t now, std::int64_t total);

  HWND window_;
  std::atomic<bool>* cancel_;
  std::chrono::steady_clock::time_point lastPost_{};
  std::int64_t lastNow_ = -1;
  std::int64_t total_ = 0;
};

// Fetches url into destination on the calling thread, following at most 5
// redirects, each checked like the first and never from https to http; the
// transfer fails past maxBytes, and after limitMs in all, redirects included, when
// limitMs is above 0. callback may be null. True only when the whole body of a 2xx
// answer is in destination (an older file there is replaced).
bool DownloadFile(const QString& url, const QString& destination, std::int64_t maxBytes,
                  const UpdateOptions& options, CBindCallback* callback, long limitMs = 0);

// DownloadFile on a worker thread while the calling thread dispatches its messages.
bool DownloadWhileDispatching(const QString& url, const QString& destination, std::int64_t maxBytes,
                              const UpdateOptions& options, CBindCallback* callback,
                              long limitMs = 0);
