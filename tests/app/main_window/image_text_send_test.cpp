// Image-text pages from the page to the card: a document page and a caption page
// typed through the rich-text editor, a text page and a table page, all made on the
// image-text page, sent with the current screen and found on an emulated card with
// their effect, speed and stay codes and the pixels of their frame files.
#include <QTest>

#include "controls/rich_edit/rich_edit_ex.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/rtf_editor_opener.h"
#include "controls/shell/table_editor_opener.h"
#include "editors/image_text/image_word_dialog.h"
#include "editors/rich_text_editor/rtf_edit_dialog.h"
#include "model/common/bounded_text.h"
#include "tests/app/main_window/send_fixture.h"
#include "tests/support/screenshot.h"

namespace {

using apptest::WrongPixels;

class ImageTextSend : public apptest::SendTest {
 protected:
  void SetUp() override {
    SendTest::SetUp();
    ShowWindow();
  }
  CImageWordDialog& Page() {
    return static_cast<CImageWordDialog&>(window_->ProjectPage().Page(PageSlot::ImageText));
  }
  std::vector<FileItem>& Pages() { return std::get<std::vector<FileItem>>(area_->Kind); }
  void Command(UINT id) { SendMessage(Page().Handle(), WM_COMMAND, id, 0); }

  AreaRecord* area_ = nullptr;
};

TEST_F(ImageTextSend, PagesMadeOnThePageReachTheCardAsTheirFrames) {
  emu::Card card;
  card.ReactAlways({emu::Reaction::kAck, 0, 20});
  emu::TcpCard tcp(card);
  ASSERT_TRUE(tcp.Listening());
  area_ = &CardArea(tcp, kImageTextArea);

  // The editor types over the page name of the rich-text pages it opens.
  QString typed;
  Page().SetRtfEditorRunner([&typed](const RtfEditRequest& request) {
    CRtfEditDialog editor(request.rtfPath, request.width, request.height, *request.item,
                          request.owner, request.parent);
    editor.show();
    editor.TextEdit().selectAll();
    QTest::keyClicks(&editor.TextEdit(), typed);
    editor.done(QDialog::Accepted);
  });
  typed = QStringLiteral("Quendra pages shown on the card");
  Command(ID_IMAGE_TEXT_ADD_DOCUMENT);
  typed = QStringLiteral("Scrolling caption");
  Command(ID_IMAGE_TEXT_ADD_CAPTION);
  typed.clear();
  Command(ID_IMAGE_TEXT_ADD_TEXT);
  RunTableEditor = [](const TableEditRequest&) {};  // the new default table stays
  Command(ID_IMAGE_TEXT_ADD_TABLE);
  ASSERT_EQ(Pages().size(), 4u);
  SaveScreenshot(*window_, QStringLiteral("main_window_image_text"));

  Send();
  EXPECT_EQ(card.Errors(), std::vector<std::string>{});  // every frame to its number
  ASSERT_EQ(card.Payloads().size(), 1u);
  emu::DisplayData data;
  ASSERT_EQ(emu::DecodeDisplayData(card.Payloads()[0], data), "");
  ASSERT_EQ(data.programs.size(), 1u);
  ASSERT_EQ(data.programs[0].areas.size(), 1u);
  const emu::DisplayArea& shown = data.programs[0].areas[0];

  // Effect and speed codes by the builder's tables, the stay time in seconds: a
  // document page (effect 0, speed 3), the caption page (6, 3, stay 1), the text
  // page (0, 0) and the table page (0, 3).
  struct Expected {
    int effect, speed, stay;
  };
  const Expected expected[] = {{1, 4, 3}, {97, 4, 1}, {1, 1, 3}, {1, 4, 3}};
  std::size_t next = 0;
  for (std::size_t p = 0; p < Pages().size(); ++p) {
    const std::vector<QImage> frames = apptest::FrameFileFrames(ReadBoundedText(Pages()[p].guid));
    ASSERT_FALSE(frames.empty()) << p;
    for (const QImage& picture : frames) {
      ASSERT_LT(next, shown.frames.size());
      const emu::PageFrame& frame = shown.frames[next++];
      EXPECT_EQ(std::tuple(frame.effect, frame.speed, frame.stay),
                std::tuple(expected[p].effect, expected[p].speed, expected[p].stay))
          << p;
      EXPECT_EQ(WrongPixels(frame, picture), 0) << p;
    }
  }
  EXPECT_EQ(next, shown.frames.size());
}

}  // namespace
