// A single-line area of 512 x 32 scrolling continuously, its text one line of 2,000
// characters: one character typed at the end of the line on the single-line page
// (the RTF file saved, the frame file rendered, the canvas told before and after),
// and in the same run RenderRtfSingleLine alone on the same file. Goal: typing takes
// at most 1.5 times the render alone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextCursor>

#include <cstdlib>
#include <memory>

#include "bench/support/ratio_reporter.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "editors/single_line/single_line_dialog.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/project/project_editing.h"
#include "model/project/project_globals.h"
#include "platform/message_window.h"
#include "render/frame/pak_file.h"
#include "render/text/rtf_render.h"

namespace {

constexpr int kWidth = 512;
constexpr int kHeight = 32;
constexpr int kCharacters = 2000;
constexpr int kContinuousEffect = 6;

// The preview canvas: takes the page's messages and does nothing.
class QuietCanvas : public MessageWindow {};

// One screen, one program, one single-line area whose text is a line of kCharacters
// characters, loaded on the page.
struct Scene {
  QTemporaryDir home;
  RichText hidden;  // the main window's hidden control
  QuietCanvas canvas;
  AreaRecord* area = nullptr;
  TreeItemRef selection{};
  std::unique_ptr<CSingleLineDialog> page;
  QString rtf;
  QString pak;

  Scene() {
    qputenv("QUENDRA_HOME", QFile::encodeName(home.path()));
    if (!QDir().mkpath(AppFolderPath(AppFolder::UserData)) ||
        !QDir().mkpath(AppFolderPath(AppFolder::Temp))) {
      std::abort();
    }
    ScreenRecord& screen = ScreenList.emplace_back();
    screen.LedWidth = kWidth;
    screen.LedHeight = kHeight;
    area = AddArea(AddProgram(screen), kSingleLineArea);
    area->AreaRect_Right = kWidth;
    area->AreaRect_Bottom = kHeight;
    auto& info = std::get<SingleLineAreaInfo>(area->Kind);
    info.InStyle = kContinuousEffect;
    const QString name = ReadBoundedText(info.guid);
    rtf = AppFilePath(AppFolder::UserData, QString(name + QStringLiteral(".rtf")));
    pak = PakFramePath(name);
    RichText text;
    QString line;
    while (line.size() < kCharacters) line += QStringLiteral("Quendra LED 显示屏 ");
    text.SetText(line.left(kCharacters));
    text.SetCharFormat(
        0, -1, {QStringLiteral("DejaVu Sans"), 0, 240, false, false, false, 0xFFFFFF, false},
        kCharAll);
    if (!text.SaveRtfFile(rtf)) std::abort();

    RenderRichEdit = &hidden;
    PreviewCanvasWindow = canvas.Handle();
    selection = TreeItemRef::Of(*area);
    CurrentSelection = &selection;
    page = std::make_unique<CSingleLineDialog>();
    SendMessage(page->Handle(), UM_LOAD_SELECTION, 1, 0);
    QCoreApplication::sendPostedEvents();
  }
  ~Scene() {
    page.reset();
    CurrentSelection = nullptr;
    PreviewCanvasWindow = nullptr;
    RenderRichEdit = nullptr;
    ScreenList.clear();
  }
};

std::unique_ptr<Scene> TheSceneHolder;  // made and ended inside main's application

Scene& TheScene() { return *TheSceneHolder; }

void Key(QWidget& target, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QCoreApplication::sendEvent(&target, &release);
}

void BM_TypeAtLineEnd(benchmark::State& state) {
  CRichEditEx& edit = TheScene().page->TextEdit();
  QTextCursor end = edit.textCursor();
  end.movePosition(QTextCursor::End);
  edit.setTextCursor(end);
  for (auto _ : state) {
    Key(edit, Qt::Key_X, QStringLiteral("x"));
    state.PauseTiming();
    Key(edit, Qt::Key_Backspace, QString());
    state.ResumeTiming();
  }
  state.counters["strip_px"] = std::get<SingleLineAreaInfo>(TheScene().area->Kind).PageCount;
}

void BM_RenderAlone(benchmark::State& state) {
  RtfRenderInput input;
  input.width = kWidth;
  input.height = kHeight;
  input.effect = kContinuousEffect;
  input.continuous = true;
  int strip = 0;
  for (auto _ : state) {
    strip = RenderRtfSingleLine(TheScene().rtf, TheScene().pak, &TheScene().hidden, input);
    if (strip == 0) state.SkipWithError("render failed");
  }
  state.counters["strip_px"] = strip;
}

BENCHMARK(BM_TypeAtLineEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RenderAlone)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  TheSceneHolder = std::make_unique<Scene>();
  const int result = RunGoalBenchmarks(argc, argv, [](RatioReporter& reporter) {
    reporter.Goal("single_line_typing_vs_render",
                  reporter.Ratio("BM_TypeAtLineEnd", "BM_RenderAlone"), 1.5);
  });
  TheSceneHolder.reset();
  return result;
}
