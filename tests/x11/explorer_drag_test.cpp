// SPDX-License-Identifier: GPL-3.0-or-later
// Dragging song files from the Song Explorer's list onto a folder of its tree with a real
// pointer: an Xvfb display with a window manager, the pointer moved and pressed through XTest.
#include <gtest/gtest.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QApplication>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "support/fakevolumes.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "support/xserver.h"
#include "ui/import/songexplorerdialog.h"
#include "ui/import/songfilelist.h"
#include "ui/widgets/foldertree.h"
#include "ui/widgets/pictures.h"

namespace tunedex {
namespace {

using namespace std::chrono_literals;

// A pointer of its own on the display: moves, presses and releases as a user's hand would,
// with pauses so the toolkit sees a drag start and the target's answers.
class FakePointer {
 public:
  FakePointer() : m_connection(xcb_connect(nullptr, nullptr)) {
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
  }
  ~FakePointer() { xcb_disconnect(m_connection); }

  void MoveTo(QPoint at) { Send(XCB_MOTION_NOTIFY, 0, at); }
  void Press(QPoint at) { Send(XCB_BUTTON_PRESS, 1, at); }
  void Release(QPoint at) { Send(XCB_BUTTON_RELEASE, 1, at); }
  // Escape, which ends a drag that missed its release.
  void Escape() {
    constexpr std::uint8_t kEscapeKeycode = 9;
    xcb_test_fake_input(m_connection, XCB_KEY_PRESS, kEscapeKeycode, XCB_CURRENT_TIME, m_root, 0, 0,
                        0);
    xcb_test_fake_input(m_connection, XCB_KEY_RELEASE, kEscapeKeycode, XCB_CURRENT_TIME, m_root, 0,
                        0, 0);
    xcb_flush(m_connection);
  }
  // From one point to another in small steps.
  void Glide(QPoint from, QPoint to) {
    for (int step = 1; step <= 20; ++step) {
      MoveTo(from + (to - from) * step / 20);
      std::this_thread::sleep_for(30ms);
    }
  }

 private:
  void Send(std::uint8_t type, std::uint8_t detail, QPoint at) {
    xcb_test_fake_input(m_connection, type, detail, XCB_CURRENT_TIME,
                        type == XCB_MOTION_NOTIFY ? m_root : XCB_NONE,
                        static_cast<std::int16_t>(at.x()), static_cast<std::int16_t>(at.y()), 0);
    if (type != XCB_MOTION_NOTIFY) {
      xcb_test_fake_input(m_connection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_root,
                          static_cast<std::int16_t>(at.x()), static_cast<std::int16_t>(at.y()), 0);
    }
    xcb_flush(m_connection);
  }

  xcb_connection_t* m_connection;
  xcb_window_t m_root = 0;
};

TEST(ExplorerDragTest, DraggingASongOntoAFolderMovesItAndItsRecord) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  SetUserLocale("en_US");
  int argc = 1;
  char name[] = "explorer_drag_test";
  char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  InitUiResources();

  test::TempFolder folder;
  std::filesystem::create_directories(folder.PathOf("songs"));
  std::filesystem::create_directories(folder.PathOf("target"));
  folder.Write("songs/a.mp3", test::Id3v2File({{"TIT2", "Aye"}, {"TPE1", "Band"}}));
  folder.Write("songs/b.mp3", test::Id3v2File({{"TIT2", "Bee"}, {"TPE1", "Band"}}));
  tCatalogue catalogue;
  catalogue.Import({test::MakeRecord({.title = "Aye", .fileName = folder.PathOf("songs/a.mp3")})});
  auto files = std::make_shared<GioFileSystem>();
  auto volumes = std::make_shared<test::FakeVolumes>();
  volumes->Mount({.mountPoint = "/", .label = "/", .fileSystem = "ext4", .device = "/dev/sda1"});
  test::ScriptedUser user;
  tLivePlayerOptions options;
  SongExplorerContext context{catalogue, files, volumes, user, options};
  context.settingsPath = folder.PathOf("tunedex.ini");
  context.home = folder.Path();
  TSongExplorerDialog dialog(std::move(context), folder.PathOf("songs"));
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog.Tree().PathPending(); }, 5000));
  dialog.FinishLoading();
  dialog.activateWindow();

  // The song's row and the target folder's node, on the screen.
  TSongFileList& list = dialog.List();
  const QRect row = list.visualRect(list.model()->index(0, 0));
  const QPoint from = list.viewport()->mapToGlobal(row.center());
  TFolderTree& tree = dialog.Tree();
  QPoint to;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        // The target folder is a sibling of the shown one, below the same parent.
        for (int y = 0; y < tree.viewport()->height(); y += 4) {
          const QPoint at(tree.viewport()->width() / 3, y);
          if (tree.PathAt(at) == folder.PathOf("target")) {
            to = tree.viewport()->mapToGlobal(at);
            return true;
          }
        }
        return false;
      },
      5000));

  // The hand works on its own thread while the event loop (and the drag's own) runs here.
  std::atomic<bool> handDone = false;
  std::atomic<bool> dropSeen = false;
  QObject::connect(&tree, &TFolderTree::Dropped, [&dropSeen] { dropSeen = true; });
  std::thread hand([&] {
    FakePointer pointer;
    pointer.MoveTo(from);
    std::this_thread::sleep_for(200ms);
    pointer.Press(from);
    std::this_thread::sleep_for(100ms);
    pointer.Glide(from, to);
    // A few moves over the target, so the drag has its answer before the drop.
    for (int wiggle = 0; wiggle < 4; ++wiggle) {
      pointer.MoveTo(to + QPoint(wiggle % 2, 0));
      std::this_thread::sleep_for(100ms);
    }
    pointer.Release(to);
    handDone = true;
    // A drag that is still going a while later missed the release: end it, and the test
    // fails instead of waiting for ever.
    for (int wait = 0; wait < 50 && !dropSeen; ++wait) std::this_thread::sleep_for(100ms);
    if (!dropSeen) {
      std::fprintf(stderr, "the drag missed its release\n");
      pointer.Escape();
    }
  });
  EXPECT_TRUE(QTest::qWaitFor([&] { return handDone.load(); }, 15000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return dropSeen.load(); }, 6000));
  hand.join();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return std::filesystem::exists(folder.PathOf("target/a.mp3")); }, 5000));
  EXPECT_FALSE(std::filesystem::exists(folder.PathOf("songs/a.mp3")));
  EXPECT_NE(catalogue.Songs().FindByFileName(folder.PathOf("target/a.mp3")), nullptr);
  EXPECT_EQ(catalogue.Songs().FindByFileName(folder.PathOf("songs/a.mp3")), nullptr);
  dialog.FinishLoading();
  ASSERT_EQ(dialog.Logic().List().Items().size(), 1u);
  EXPECT_EQ(dialog.Logic().List().Items()[0].caption, "b.mp3");
}

}  // namespace
}  // namespace tunedex
