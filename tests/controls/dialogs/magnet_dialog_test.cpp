// Windows that snap to and follow their master, on the offscreen platform: a drag by
// the surface snaps as it goes, a move the window manager made snaps once settled,
// docked followers travel with the master, and either may be destroyed first.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

#include "controls/dialogs/magnet_dialog.h"
#include "tests/support/screenshot.h"

namespace {

// A window with a label (a free spot: it leaves presses to the window) and a button.
struct TestWindow : CMagnetDialog {
  TestWindow(const QString& name, const QRect& frame) {
    label = new QLabel(name, this);
    label->setGeometry(10, 10, 100, 20);
    button = new QPushButton(QStringLiteral("Button"), this);
    button->setGeometry(10, 40, 80, 24);
    resize(frame.size());
    move(frame.topLeft());
    show();
    QApplication::processEvents();
  }
  QLabel* label;
  QPushButton* button;
};

void Mouse(QWidget* on, QEvent::Type type, QPoint global, Qt::MouseButton button,
           Qt::MouseButtons buttons) {
  QMouseEvent event(type, on->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
  QApplication::sendEvent(on, &event);
}

// Presses the left button at `local` of `on`, moves the pointer by delta, releases.
void Drag(QWidget* on, QPoint local, QPoint delta) {
  const QPoint global = on->mapToGlobal(local);
  Mouse(on, QEvent::MouseButtonPress, global, Qt::LeftButton, Qt::LeftButton);
  Mouse(on, QEvent::MouseMove, global + delta, Qt::NoButton, Qt::LeftButton);
  Mouse(on, QEvent::MouseButtonRelease, global + delta, Qt::LeftButton, Qt::NoButton);
  QApplication::processEvents();
}

// Drags the window by its label so that its frame's top-left corner goes to `to`.
void DragFrameTo(TestWindow& window, QPoint to) {
  Drag(window.label, QPoint(5, 5), to - window.frameGeometry().topLeft());
}

bool WaitFor(const std::function<bool()>& done) {
  QDeadlineTimer deadline(5000);
  while (!done()) {
    if (deadline.hasExpired()) return false;
    QTest::qWait(10);
  }
  return true;
}

// The windows as they stand on the screen, for a person to look at.
void SaveDesktop(const QList<QWidget*>& windows, const QString& name) {
  QLabel desktop;
  QPixmap picture(800, 600);
  picture.fill(Qt::darkGray);
  QPainter painter(&picture);
  for (QWidget* window : windows) {
    painter.fillRect(window->frameGeometry(), Qt::black);
    painter.drawPixmap(window->geometry().topLeft(), window->grab());
  }
  painter.end();
  desktop.setPixmap(picture);
  desktop.resize(picture.size());
  SaveScreenshot(desktop, name);
}

TEST(MagnetDialog, DockedFollowerTravelsWithItsMasterAndAnUndockedOneStays) {
  TestWindow master(QStringLiteral("master"), QRect(100, 100, 300, 200));
  TestWindow docked(QStringLiteral("docked"), QRect(500, 150, 150, 100));
  TestWindow loose(QStringLiteral("loose"), QRect(100, 450, 150, 100));
  ASSERT_EQ(docked.AttachTo(&master), 1);
  ASSERT_EQ(loose.AttachTo(&master), 1);
  const QRect m = master.frameGeometry();
  const int right = m.x() + m.width();
  const int bottom = m.y() + m.height();

  DragFrameTo(docked, QPoint(right + 9, m.y() + 40));
  EXPECT_EQ(docked.frameGeometry().topLeft(), QPoint(right, m.y() + 40));
  EXPECT_EQ(docked.Dock(), (MagnetDock{1, 40, kSideRight}));
  DragFrameTo(loose, QPoint(m.x() + 20, bottom + 10));
  EXPECT_EQ(loose.frameGeometry().topLeft(), QPoint(m.x() + 20, bottom + 10));
  EXPECT_EQ(loose.Dock(), MagnetDock{});
  SaveDesktop({&master, &docked, &loose}, QStringLiteral("magnet_docked_right"));

  const QPoint looseAt = loose.frameGeometry().topLeft();
  master.move(master.pos() + QPoint(-50, 30));
  QApplication::processEvents();
  const QRect moved = master.frameGeometry();
  EXPECT_EQ(docked.frameGeometry().topLeft(), QPoint(moved.x() + moved.width(), moved.y() + 40));
  EXPECT_EQ(loose.frameGeometry().topLeft(), looseAt);

  master.resize(master.width() + 40, master.height());
  QApplication::processEvents();
  const QRect wider = master.frameGeometry();
  EXPECT_EQ(docked.frameGeometry().topLeft(), QPoint(wider.x() + wider.width(), wider.y() + 40));
  EXPECT_EQ(docked.Dock(), (MagnetDock{1, 40, kSideRight}));
  SaveDesktop({&master, &docked, &loose}, QStringLiteral("magnet_followed"));
}

TEST(MagnetDialog, MoveByTheWindowManagerSnapsOnceSettled) {
  TestWindow master(QStringLiteral("master"), QRect(100, 100, 300, 200));
  TestWindow follower(QStringLiteral("follower"), QRect(500, 150, 150, 100));
  EXPECT_EQ(follower.AttachTo(&master), 1);
  const QRect m = master.frameGeometry();
  // Frame positions: move() places a top-level window's frame.
  follower.move(QPoint(m.x() - follower.frameGeometry().width() - 5, m.y() + 60));
  EXPECT_TRUE(WaitFor([&] {
    return follower.frameGeometry().x() + follower.frameGeometry().width() == m.x();
  }));
  EXPECT_EQ(follower.frameGeometry().y(), m.y() + 60);
  EXPECT_EQ(follower.Dock(), (MagnetDock{1, 60, kSideLeft}));
}

TEST(MagnetDialog, MinimisedMasterStopsSnapping) {
  TestWindow master(QStringLiteral("master"), QRect(100, 100, 300, 200));
  TestWindow follower(QStringLiteral("follower"), QRect(500, 150, 150, 100));
  EXPECT_EQ(follower.AttachTo(&master), 1);
  master.showMinimized();
  QApplication::processEvents();
  ASSERT_TRUE(master.isMinimized());
  const QRect m = master.frameGeometry();
  const QPoint near(m.x() + m.width() + 3, m.y() + 10);
  DragFrameTo(follower, near);
  EXPECT_EQ(follower.frameGeometry().topLeft(), near);
  EXPECT_EQ(follower.Dock(), MagnetDock{});
}

TEST(MagnetDialog, PressOnAFreeSpotDragsAndAPressOnAControlDoesNot) {
  TestWindow window(QStringLiteral("window"), QRect(100, 100, 300, 200));
  const QPoint start = window.frameGeometry().topLeft();
  Drag(window.label, QPoint(5, 5), QPoint(30, 20));
  EXPECT_EQ(window.frameGeometry().topLeft(), start + QPoint(30, 20));
  Drag(&window, QPoint(200, 150), QPoint(30, 20));
  EXPECT_EQ(window.frameGeometry().topLeft(), start + QPoint(60, 40));
  Drag(window.button, QPoint(5, 5), QPoint(30, 20));
  EXPECT_EQ(window.frameGeometry().topLeft(), start + QPoint(60, 40));
}

TEST(MagnetDialog, AttachingElsewhereLeavesTheFirstMastersList) {
  CMagnetDialog first, second, follower;
  EXPECT_EQ(follower.AttachTo(nullptr), 0);
  EXPECT_EQ(follower.AttachTo(&follower), 0);
  EXPECT_EQ(follower.AttachTo(&first), 1);
  EXPECT_EQ(follower.AttachTo(&first), 0);
  first.AddAttached(&follower);
  EXPECT_EQ(first.Attached(), std::vector<CMagnetDialog*>{&follower});
  EXPECT_EQ(follower.AttachTo(&second), 1);
  EXPECT_TRUE(first.Attached().empty());
  EXPECT_EQ(second.Attached(), std::vector<CMagnetDialog*>{&follower});
  EXPECT_EQ(follower.Master(), &second);
}

TEST(MagnetDialog, EitherSideMayBeDestroyedFirst) {
  auto master = std::make_unique<TestWindow>(QStringLiteral("master"), QRect(100, 100, 300, 200));
  auto follower = std::make_unique<TestWindow>(QStringLiteral("follower"), QRect(500, 150, 150, 100));
  EXPECT_EQ(follower->AttachTo(master.get()), 1);
  const QRect m = master->frameGeometry();
  DragFrameTo(*follower, QPoint(m.x() + m.width() + 4, m.y()));
  ASSERT_EQ(follower->Dock().docked, 1);

  master.reset();
  EXPECT_EQ(follower->Master(), nullptr);
  EXPECT_EQ(follower->Dock(), MagnetDock{});
  DragFrameTo(*follower, QPoint(300, 300));
  follower->move(follower->pos() + QPoint(5, 5));
  QTest::qWait(200);  // past the settling of the move
  follower.reset();

  TestWindow survivor(QStringLiteral("master"), QRect(100, 100, 300, 200));
  {
    TestWindow gone(QStringLiteral("follower"), QRect(500, 150, 150, 100));
    EXPECT_EQ(gone.AttachTo(&survivor), 1);
  }
  EXPECT_TRUE(survivor.Attached().empty());
  survivor.move(survivor.pos() + QPoint(10, 10));
  QApplication::processEvents();
}

}  // namespace
