#include "updater/core/transfer.h"

#include <QFile>
#include <QHostAddress>
#include <QUrl>

#include <curl/curl.h>
#include <unistd.h>

#include <memory>
#include <mutex>
#include <optional>

#include "model/common/temporary_file.h"
#include "model/common/unique_fd.h"
#include "platform/blocking_call.h"
#include "platform/message_window.h"
#include "updater/core/updater_messages.h"

namespace {

constexpr int kMaxRedirects = 5;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);

struct CurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// curl_global_init is not thread-safe: it runs once, before any transfer.
void InitCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The state one transfer's callbacks share.
struct Transfer {
  CURL* curl = nullptr;
  const UniqueFd* file = nullptr;
  std::int64_t written = 0;
  std::int64_t maxBytes = 0;
  CBindCallback* callback = nullptr;
};

bool IsRedirect(long code) { return code >= 300 && code < 400; }

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  auto* transfer = static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  long code = 0;
  curl_easy_getinfo(transfer->curl, CURLINFO_RESPONSE_CODE, &code);
  if (IsRedirect(code)) return bytes;  // the body of a redirect is not the file
  if (static_cast<std::int64_t>(bytes) > transfer->maxBytes - transfer->written) return 0;
  if (transfer->file->WriteAll(data, bytes) != 0) return 0;
  transfer->written += static_cast<std::int64_t>(bytes);
  return bytes;
}

int OnTransferInfo(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
  auto* transfer = static_cast<Transfer*>(user);
  if (transfer->callback == nullptr) return 0;
  return transfer->callback->OnProgress(now, total) ? 0 : 1;
}

void SetOptions(CURL* curl, Transfer* transfer, curl_slist* headers, const UpdateOptions& options) {
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);  // followed here, each checked
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, options.connectTimeoutSec);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, options.lowSpeedWindowSec);
  curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, curl_off_t{transfer->maxBytes});
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!options.caFile.isEmpty()) {
    curl_easy_setopt(curl, CURLOPT_CAINFO, QFile::encodeName(options.caFile).constData());
  }
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, OnTransferInfo);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, transfer);
}

// Gives the hop what is left of the transfer's time; false when nothing is left.
bool LimitHop(CURL* curl, std::optional<std::chrono::steady_clock::time_point> deadline) {
  if (!deadline) return true;
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      *deadline - std::chrono::steady_clock::now());
  if (left.count() <= 0) return false;
  return curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(left.count())) == CURLE_OK;
}

// Runs the request chain into transfer->file; true when a 2xx body arrived whole
// before the deadline, when there is one.
bool FetchFollowing(CURL* curl, QString url,
                    std::optional<std::chrono::steady_clock::time_point> deadline) {
  for (int hop = 0; hop <= kMaxRedirects; ++hop) {
    if (!IsAllowedUpdateUrl(url) || !LimitHop(curl, deadline)) return false;
    curl_easy_setopt(curl, CURLOPT_URL, QUrl(url).toEncoded().constData());
    if (curl_easy_perform(curl) != CURLE_OK) return false;
    long code = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &code);
    if (code >= 200 && code < 300) return true;
    const char* next = nullptr;
    if (!IsRedirect(code) || curl_easy_getinfo(curl, CURLINFO_REDIRECT_URL, &next) != CURLE_OK ||
        next == nullptr) {
      return false;
    }
    const QString nextUrl = QString::fromUtf8(next);
    // No step down from https to http, not even to loopback.
    if (QUrl(url).scheme() == u"https" && QUrl(nextUrl).scheme() != u"https") return false;
    url = nextUrl;
  }
  return false;
}

}  // namespace

bool IsAllowedUpdateUrl(const QString& text) {
  const QUrl url(text, QUrl::StrictMode);
  if (!url.isValid() || url.host().isEmpty()) return false;
  if (url.scheme() == u"https") return true;
  if (url.scheme() != u"http") return false;
  QHostAddress address;
  return address.setAddress(url.host()) && address.isLoopback();
}

CBindCallback::CBindCallback(HWND window, std::atomic<bool>* cancel)
    : window_(window), cancel_(cancel) {}

void CBindCallback::OnStart() {
  if (cancel_ != nullptr) cancel_->store(false);
  lastPost_ = {};
  lastNow_ = -1;
  total_ = 0;
}

bool CBindCallback::OnProgress(std::int64_t now, std::int64_t total) {
  if (cancel_ != nullptr && cancel_->load()) {
    if (window_ != nullptr) {
      (void)PostMessage(window_, UM_DOWNLOAD_PROGRESS, static_cast<WPARAM>(-1),
                        LPARAM{-1});  // progress is advisory: a lost note changes no result
    }
    return false;
  }
  if (total > 0) total_ = total;
  const auto time = std::chrono::steady_clock::now();
  if (total > 0 && now != lastNow_ && time - lastPost_ >= kProgressInterval) {
    lastPost_ = time;
    Post(now, total);
  }
  return true;
}

void CBindCallback::OnDone() {
  if (total_ > 0 && lastNow_ != total_) Post(total_, total_);
}

void CBindCallback::Post(std::int64_t now, std::int64_t total) {
  lastNow_ = now;
  if (window_ != nullptr) {
    (void)PostMessage(window_, UM_DOWNLOAD_PROGRESS, static_cast<WPARAM>(now),
                      LPARAM{total});  // progress is advisory: a lost note changes no result
  }
}

bool DownloadFile(const QString& url, const QString& destination, std::int64_t maxBytes,
                  const UpdateOptions& options, CBindCallback* callback, long limitMs) {
  InitCurlOnce();
  std::optional<std::chrono::steady_clock::time_point> deadline;
  if (limitMs > 0) deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  if (callback != nullptr) callback->OnStart();
  const QByteArray part = QFile::encodeName(destination + QStringLiteral(".part"));
  UniqueFd file;
  if (CreateTemporaryFile(QFile::decodeName(part), &file, 0644) != 0) return false;
  const std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
  std::unique_ptr<curl_slist, CurlDeleter> headers(
      curl_slist_append(nullptr, "Cache-Control: no-cache"));
  if (headers) headers.reset(curl_slist_append(headers.release(), "Pragma: no-cache"));
  bool ok = curl && headers;
  Transfer transfer{curl.get(), &file, 0, maxBytes, callback};
  if (ok) {
    SetOptions(curl.get(), &transfer, headers.get(), options);
    ok = FetchFollowing(curl.get(), url, deadline) && fsync(file.Get()) == 0;
  }
  ok = file.Close() == 0 && ok &&
       rename(part.constData(), QFile::encodeName(destination).constData()) == 0;
  if (!ok) {
    unlink(part.constData());
    return false;
  }
  if (callback != nullptr) callback->OnDone();
  return true;
}

bool DownloadWhileDispatching(const QString& url, const QString& destination, std::int64_t maxBytes,
                              const UpdateOptions& options, CBindCallback* callback, long limitMs) {
  InitCurlOnce();
  bool ok = false;
  const bool ran = RunWhileDispatching(
      [&] { ok = DownloadFile(url, destination, maxBytes, options, callback, limitMs); });
  return ran && ok;
}
