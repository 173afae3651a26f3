#pragma once
// CImageWordDialog (IDD_IMAGEWORD_DIALOG): the page of an image-text area. It lists the
// area's pages (documents, texts, captions and tables), adds, edits, deletes, clears
// and orders them, copies the selected page's timing to the others, and sets the
// selected page's effect, speed, stay time and end-to-end flag in place. The selected
// page's frame file is rendered again when it is stale or its look changed, and the
// preview canvas is pointed at it: told -2 (no page) before any frame file is
// rewritten or deleted, and the page's index after.
//
// The pages are those of CurrentSelection, taken at each UM_LOAD_SELECTION and
// forgotten when the page itself is hidden (not while the main window hides for the
// preview to play). Loading a page into the controls changes
// nothing: the handlers run on the user's changes only.

#include <QWidget>

#include <functional>
#include <vector>

#include "controls/support/image_list.h"
#include "model/project/content_size.h"
#include "platform/message_window.h"
#include "render/rerender/content_rerender.h"

class CListBoxQx;
class CMyToolBar;
class DigitSpinEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
struct AreaRecord;
struct FileItem;
struct RtfEditRequest;

class CImageWordDialog : public QWidget, public MessageWindow {
 public:
  // Page kinds (FileItem::AddType).
  enum PageKind { kDocument = 1, kCaption = 2, kTable = 3, kText = 4 };
  static constexpr int kMinStayTime = 1;
  static constexpr int kMaxStayTime = 255;

  // Opens the rich-text editor modally; RunRtfEditor unless a test sets another.
  using RtfEditorRunner = std::function<void(const RtfEditRequest& request)>;

  // storedLanguage: the stored language choice the texts are first applied for.
  CImageWordDialog(QWidget* parent, int storedLanguage);
  ~CImageWordDialog() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Labels, tooltips and option lists; the toolbar texts only for the stored
  // language choice 1 or 3 (the Chinese files).
  void ApplyLanguage(int storedLanguage);

  void SetRtfEditorRunner(RtfEditorRunner run) { runRtfEditor_ = std::move(run); }

  CListBoxQx& List() { return *list_; }
  CMyToolBar& ToolBar() { return *toolbar_; }
  QComboBox& EffectCombo() { return *effect_; }
  QComboBox& SpeedCombo() { return *speed_; }
  DigitSpinEdit& StayTime() { return *stay_; }
  QCheckBox& EndToEndCheck() { return *endToEnd_; }
  QPushButton& UpButton() { return *up_; }
  QPushButton& DownButton() { return *down_; }

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void CreateToolBar();
  void CreateListControls();
  void CreateTimingControls();

  void Load();
  // The page of the selected row, or null.
  FileItem* SelectedPage();
  ContentSize InnerSize() const;
  // Selects the row without running the selection handler.
  void SelectRow(int row);
  // The page-selection steps: the controls show the page, then it is rendered when
  // stale.
  void OnSelectionChanged();
  void ShowTimingRules(const FileItem& page);
  // Renders the selected page (always, or only when outdated) between the canvas's
  // -2 and the page's index.
  void RenderSelected(RerenderWhen when);
  static void ShowOnCanvas(int row);

  void OnCommand(UINT command);
  void OnAdd(PageKind kind);
  void OnEdit();
  void OnDelete();
  void OnClear();
  void OnSameProperties();
  void OnMove(int step);
  void OnEffect(int index);
  void OnSpeed(int index);
  void OnStayEdited();
  void OnStayStepped(int delta);
  void SetStayTime(int value);
  void OnEndToEnd();

  RtfEditorRunner runRtfEditor_;
  AreaRecord* area_ = nullptr;
  std::vector<FileItem>* pages_ = nullptr;
  ImageList icons_{QSize(16, 16)};
  CMyToolBar* toolbar_ = nullptr;
  CListBoxQx* list_ = nullptr;
  QPushButton* up_ = nullptr;
  QPushButton* down_ = nullptr;
  QLabel* labels_[3] = {};
  QComboBox* effect_ = nullptr;
  QComboBox* speed_ = nullptr;
  DigitSpinEdit* stay_ = nullptr;
  QCheckBox* endToEnd_ = nullptr;
};
