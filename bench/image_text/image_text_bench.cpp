// Types one character into the rich-text editor of a document page of 5,000 mixed CJK
// and Latin characters on a 256 x 64 image-text area: the editor saves the file, the
// page renders it again and tells the canvas. In the same run RenderRtfPagesToPak
// renders the same file alone. Goal: typing costs at most 1.5 times the render.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextCursor>

#include <cstdlib>
#include <memory>

#include "bench/support/ratio_reporter.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_editor_opener.h"
#include "controls/shell/window_globals.h"
#include "editors/image_text/image_word_dialog.h"
#include "editors/rich_text_editor/rtf_edit_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/atomic_file.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "render/frame/pak_file.h"
#include "render/text/rtf_render.h"
#include "render/text/rtf_writer.h"

namespace {

constexpr int kWidth = 256;
constexpr int kHeight = 64;
constexpr int kCharacters = 5000;

// Runs alternating in a Latin and a CJK face, paragraphs every tenth run.
QByteArray MixedDocument() {
  static const QString kWords[] = {QStringLiteral("Quendra shows pages on LED screens. "),
                                   QStringLiteral("图文区域的每一页都渲染成帧文件。")};
  RichParagraphs paragraphs(1);
  for (int run = 0, count = 0; count < kCharacters; ++run) {
    if (run % 10 == 9) paragraphs.emplace_back();
    const bool cjk = run % 2 == 1;
    const RichCharFormat format{
        cjk ? QStringLiteral("WenQuanYi Micro Hei") : QStringLiteral("DejaVu Sans"),
        static_cast<std::uint8_t>(cjk ? 134 : 0),
        cjk ? 240 : 200,
        run % 3 == 0,
        false,
        false,
        0x0000FF,
        false};
    const QString text = kWords[run % 2].left(kCharacters - count);
    paragraphs.back().runs.push_back({text, format});
    count += static_cast<int>(text.size());
  }
  return WriteRtf(paragraphs);
}

class CanvasStandIn : public MessageWindow {
 public:
  LRESULT WindowProc(UINT, WPARAM, LPARAM) override {
    ++messages;
    return 0;
  }
  int messages = 0;
};

// The page over one image-text area with one document page, and its editor open.
struct Scene {
  QTemporaryDir home;
  RichText renderText;
  CanvasStandIn canvas;
  TreeItemRef selection{};
  std::unique_ptr<CImageWordDialog> page;
  std::unique_ptr<CRtfEditDialog> editor;
  QString rtf;
  QString pak;
  FileItem* document = nullptr;

  Scene() {
    qputenv("QUENDRA_HOME", (home.path() + QStringLiteral("/")).toLocal8Bit());
    if (!QDir().mkpath(AppFolderPath(AppFolder::Temp))) std::abort();
    RenderRichEdit = &renderText;
    PreviewCanvasWindow = canvas.Handle();
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedWidth = kWidth, screen.LedHeight = kHeight;
    AreaRecord& area = *AddArea(AddProgram(screen), kImageTextArea);
    area.AreaRect_Left = 0, area.AreaRect_Top = 0;
    area.AreaRect_Right = kWidth, area.AreaRect_Bottom = kHeight;
    selection = TreeItemRef::Of(area);
    CurrentSelection = &selection;
    page = std::make_unique<CImageWordDialog>(nullptr, 2);
    page->SetRtfEditorRunner([](const RtfEditRequest&) {});
    page->show();
    SendMessage(page->Handle(), UM_LOAD_SELECTION, 1, 0);
    SendMessage(page->Handle(), WM_COMMAND, ID_IMAGE_TEXT_ADD_DOCUMENT, 0);
    FileItem& item = std::get<std::vector<FileItem>>(area.Kind).front();
    rtf = AppFilePath(AppFolder::UserData, ReadBoundedText(item.guid) + QStringLiteral(".rtf"));
    pak = PakFramePath(ReadBoundedText(item.guid));
    if (!WriteFileAtomically(rtf, MixedDocument())) std::abort();
    document = &item;
    editor = std::make_unique<CRtfEditDialog>(rtf, kWidth, kHeight, item, page->Handle());
    editor->show();
  }
};

Scene* TheScene = nullptr;

void BM_TypeOneCharacter(benchmark::State& state) {
  CRichEditEx& edit = TheScene->editor->TextEdit();
  const int before = TheScene->canvas.messages;
  for (auto _ : state) {
    QTextCursor cursor = edit.textCursor();
    cursor.setPosition(kCharacters / 2);
    cursor.insertText(QStringLiteral("字"));
  }
  if (TheScene->document->PageCount == 0) state.SkipWithError("render failed");
  state.counters["pages"] = TheScene->document->PageCount;
  state.counters["canvas_messages"] = static_cast<double>(TheScene->canvas.messages - before) /
                                      static_cast<double>(state.iterations());
}

void BM_RenderAlone(benchmark::State& state) {
  RtfRenderInput input;
  input.width = kWidth;
  input.height = kHeight;
  int pages = 0;
  for (auto _ : state) {
    pages = RenderRtfPagesToPak(TheScene->rtf, TheScene->pak, input);
    if (pages == 0) state.SkipWithError("render failed");
  }
  state.counters["pages"] = pages;
}

BENCHMARK(BM_TypeOneCharacter)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderAlone)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  Scene scene;
  TheScene = &scene;
  const int result = RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    reporter.Goal("image_text_typing_vs_render",
                  reporter.Ratio("BM_TypeOneCharacter", "BM_RenderAlone"), 1.5);
  });
  TheScene = nullptr;
  return result;
}
