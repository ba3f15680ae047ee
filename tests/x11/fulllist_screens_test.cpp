// SPDX-License-Identifier: GPL-3.0-or-later
// The full playlist view on a real X server with a window manager: fitting its frame to the
// work area, and following a second monitor that is plugged in and out. The second monitor is
// a virtual one (xrandr --setmonitor) splitting the Xvfb screen, where the server and the
// toolkit allow it.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/process.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "support/xserver.h"
#include "ui/playlist/fulllistwindow.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/screenmenu.h"

namespace tunedex {
namespace {

// A catalogue of three songs, a list over them, and the window program's application.
class FullListX11Test : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Ready());
    qputenv("QT_QPA_PLATFORM", "xcb");
    application = std::make_unique<QApplication>(argc, argv);
    InitUiResources();
    for (int i = 1; i <= 3; ++i) {
      songs.push_back(catalogue.Add(test::MakeRecord(
          {.title = "Song " + std::to_string(i), .fileName = "/k/" + std::to_string(i) + ".kar"})));
      items.Append("Singer " + std::to_string(i), *songs.back());
    }
  }
  void TearDown() override {
    window.reset();
    application.reset();
  }

  TFullListView& Open() {
    window = std::make_unique<TFullListView>(
        FullListContext{items, folder.PathOf("settings.ini"), {}, [] {}});
    window->AttachItems();
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  // The name of the screen holding the middle of the window's frame.
  QString ScreenOfWindow() const {
    const QScreen* screen = QGuiApplication::screenAt(window->frameGeometry().center());
    return screen ? screen->name() : QString();
  }

  // Runs xrandr from the PATH; false when it is not installed or fails.
  static bool Xrandr(const std::vector<std::string>& arguments) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin");
    for (std::string folder; std::getline(folders, folder, ':');) {
      const std::string program = folder + "/xrandr";
      if (access(program.c_str(), X_OK) == 0) {
        return test::RunProgram(program, arguments).exitCode == 0;
      }
    }
    return false;
  }

  test::TestXServer server{true};
  int argc = 1;
  char name[16] = "fulllist_x11";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QApplication> application;
  test::TempFolder folder;
  tCatalogue catalogue;
  std::vector<const tSong*> songs;
  tPlayList items{catalogue};
  std::unique_ptr<TFullListView> window;
};

TEST_F(FullListX11Test, FitVerticallyPutsTheFrameOverTheWorkAreasHeight) {
  TFullListView& view = Open();
  view.move(40, 60);
  ASSERT_TRUE(QTest::qWaitFor([&] { return view.frameGeometry().top() == 60; }, 3000));
  ASSERT_TRUE(view.MenuItem(FullListCommand::FitVertically)->isEnabled());
  const QRect area = view.screen()->availableGeometry();
  view.Run(FullListCommand::FitVertically);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return view.frameGeometry().top() == area.top() &&
               view.frameGeometry().height() == area.height();
      },
      3000))
      << "frame " << view.frameGeometry().top() << "+" << view.frameGeometry().height() << ", area "
      << area.top() << "+" << area.height();
  EXPECT_FALSE(view.MenuItem(FullListCommand::FitVertically)->isEnabled());
  EXPECT_FALSE(view.Button(FullListCommand::FitVertically)->isEnabled());
}

TEST_F(FullListX11Test, OpensOnTheRememberedMonitorAndLeavesItWhenItIsUnplugged) {
  // Two monitors side by side over the 1024 x 768 screen: the left one takes the server's
  // output (and so is the primary), the right one has none.
  const bool split = Xrandr({"--setmonitor", "LEFT", "512/135x768/203+0+0", "screen"}) &&
                     Xrandr({"--setmonitor", "RIGHT", "512/135x768/203+512+0", "none"});
  QTest::qWait(300);
  if (!split || QGuiApplication::screens().size() < 2) {
    GTEST_SKIP() << "The X server or the toolkit does not show xrandr's virtual monitors as "
                    "screens (found "
                 << QGuiApplication::screens().size() << ")";
  }
  QString right;
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen->geometry().left() >= 512) right = screen->name();
  }
  ASSERT_FALSE(right.isEmpty());
  const QString primary = QGuiApplication::primaryScreen()->name();
  ASSERT_NE(primary, right);
  folder.Write("settings.ini", "[FullList]\nLeft=10\nTop=10\nWidth=300\nHeight=200\nScreen=" +
                                   right.toStdString() + "\n");
  Open();
  EXPECT_TRUE(QTest::qWaitFor([&] { return ScreenOfWindow() == right; }, 3000))
      << ScreenOfWindow().toStdString();

  ASSERT_TRUE(Xrandr({"--delmonitor", "RIGHT"}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ScreenOfWindow() == primary; }, 3000))
      << ScreenOfWindow().toStdString();
  EXPECT_EQ(window->Screens().Choice().Remembered().name, right.toStdString());

  ASSERT_TRUE(Xrandr({"--setmonitor", "RIGHT", "512/135x768/203+512+0", "none"}));
  EXPECT_TRUE(QTest::qWaitFor([&] { return ScreenOfWindow() == right; }, 3000))
      << ScreenOfWindow().toStdString();
}

}  // namespace
}  // namespace tunedex
