#pragma once
// CFlashConverter records the flash content of the screens about to be sent into
// frame files, since the controller library reads nothing else: every flash-word item
// marked changed and every flash background marked for rendering, and any of them
// whose frame file is missing or not a sound frame file of its area's content size
// (the render flag is not kept in project files, and Temp may have been emptied).
//
// The calling order is: construct; CollectScreen for each job (or PrepareScreen for
// one); StartRecorders once; WaitUntilDone; destroy. Only then are the programs
// built from the frame files.
//
// The recorders advance on their own timers while the wait dispatches the GUI
// thread's messages (WaitDispatchingUntil), with the main window disabled and the
// busy window over it; it looks at them whenever the thread has dispatched what was
// waiting. A completed recording clears its item's flag; a failed one leaves it set.
// Each recorder ends by its own time limit; as a backstop the wait ends at the
// longest limit plus kFlashWaitMarginMs after it began and drops what still runs
// (their partial frame files are discarded). GUI thread only.

#include <QSet>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

#include "model/project/send_job.h"
#include "render/common/play_clock.h"
#include "render/flash/back_swf_image.h"
#include "render/flash/swf_dialog.h"

// The wait's backstop beyond the longest limit of its recorders.
constexpr std::uint32_t kFlashWaitMarginMs = 10000;

class CFlashConverter {
 public:
  // clock times the recorders and the wait's backstop; it must outlive the converter.
  explicit CFlashConverter(const PlayClock& clock = SystemPlayClock());
  // Deletes the recorders still held (their partial frame files are discarded).
  ~CFlashConverter();
  CFlashConverter(const CFlashConverter&) = delete;
  CFlashConverter& operator=(const CFlashConverter&) = delete;

  // CollectScreen, then StartRecorders; 1.
  int PrepareScreen(const ScreenSendJob& job);
  // Adds the job's flash content to record, at each area's content size, to what
  // earlier calls collected. Content already collected (the same frame file) is
  // not added again.
  void CollectScreen(const ScreenSendJob& job);
  // Starts one recorder for each item collected so far and empties the collection.
  // A recorder that cannot start (no player, no template, no usable name) is deleted
  // at once and does not count as running.
  void StartRecorders();
  // Returns 1 once no recorder runs: at once when none does; else after dispatching
  // messages, with the main window disabled and the busy window shown, until each
  // recorder has ended or the backstop has passed. The main window is enabled and
  // activated again on every path.
  int WaitUntilDone();

  // Recorders started and not yet seen done.
  int Running() const { return running_; }

 private:
  template <typename Item>
  struct Collected {
    Item* item;
    int width;
    int height;
  };
  template <typename Item, typename Recorder>
  struct Started {
    std::unique_ptr<Recorder> recorder;
    Item* item;
  };

  void CollectArea(AreaRecord& area);
  [[nodiscard]] bool TakeName(const char16_t* guid);
  void StartText(const Collected<FlashWordItem>& entry);
  void StartBackground(const Collected<BackgroundItem>& entry);
  // Deletes the recorders that are done and clears the flags of complete ones.
  void CollectFinished();

  std::vector<Collected<FlashWordItem>> flashItems_;
  std::vector<Collected<BackgroundItem>> backgrounds_;
  std::vector<Started<FlashWordItem, CSwfDialog>> textRecorders_;
  std::vector<Started<BackgroundItem, CBackSwfImage>> backgroundRecorders_;
  int running_ = 0;

  const PlayClock& clock_;
  QSet<QString> names_;              // frame files collected, so none is recorded twice
  std::int64_t longestLimitMs_ = 0;  // the longest limit of the recorders started
};
