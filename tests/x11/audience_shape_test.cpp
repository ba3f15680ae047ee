// SPDX-License-Identifier: GPL-3.0-or-later
// The audience view on a real X server with a window manager: the window's shape is exactly
// its visible bars, and Stay on Top puts it in the window manager's "above" state.
#include <gtest/gtest.h>

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "playlist/audienceview.h"
#include "support/xserver.h"
#include "ui/playlist/audienceviewwindow.h"
#include "ui/widgets/pictures.h"

namespace tunedex {
namespace {

using Rects = std::vector<std::tuple<int, int, int, int>>;

class AudienceX11Test : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Ready());
    qputenv("QT_QPA_PLATFORM", "xcb");
    application = std::make_unique<QApplication>(argc, argv);
    InitUiResources();
    connection = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(connection), 0);
  }
  void TearDown() override {
    view.reset();
    application.reset();
    xcb_disconnect(connection);
  }

  TAudienceView& Open() {
    view = std::make_unique<TAudienceView>(AudienceViewContext{master});
    view->setGeometry(0, 0, 800, 600);
    view->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->SetItems({"My Way", "Ann", "Waterloo", "Bob", RunState::Ready});
    QApplication::processEvents();
    return *view;
  }

  // The bounding shape of the window as the server keeps it.
  Rects Shape() const {
    const auto window = static_cast<xcb_window_t>(view->winId());
    xcb_shape_get_rectangles_reply_t* reply = xcb_shape_get_rectangles_reply(
        connection, xcb_shape_get_rectangles(connection, window, XCB_SHAPE_SK_BOUNDING), nullptr);
    Rects rects;
    if (!reply) return rects;
    const xcb_rectangle_t* r = xcb_shape_get_rectangles_rectangles(reply);
    for (int i = 0; i < xcb_shape_get_rectangles_rectangles_length(reply); ++i) {
      rects.emplace_back(r[i].x, r[i].y, r[i].width, r[i].height);
    }
    free(reply);
    std::sort(rects.begin(), rects.end());
    return rects;
  }

  xcb_atom_t Atom(const char* atomName) const {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(strlen(atomName)), atomName),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return atom;
  }

  bool Above() const {
    const auto window = static_cast<xcb_window_t>(view->winId());
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, Atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 0, 64),
        nullptr);
    bool above = false;
    if (reply) {
      const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
      const int count = xcb_get_property_value_length(reply) / 4;
      above = std::find(atoms, atoms + count, Atom("_NET_WM_STATE_ABOVE")) != atoms + count;
      free(reply);
    }
    return above;
  }

  static Rects RectsOf(const QRegion& region) {
    Rects rects;
    for (const QRect& r : region) rects.emplace_back(r.x(), r.y(), r.width(), r.height());
    std::sort(rects.begin(), rects.end());
    return rects;
  }

  test::TestXServer server{true};
  int argc = 1;
  char name[16] = "audience_x11";
  char* argv[2] = {name, nullptr};
  std::unique_ptr<QApplication> application;
  xcb_connection_t* connection = nullptr;
  IdleAudienceMaster master;
  std::unique_ptr<TAudienceView> view;
};

TEST_F(AudienceX11Test, TheWindowsShapeIsItsVisibleBars) {
  TAudienceView& shown = Open();
  const QRect current = shown.BarWidget(TAudienceView::CurrentBar).geometry();
  const QRect next = shown.BarWidget(TAudienceView::NextBar).geometry();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Shape().empty(); }, 3000));
  // Both bars at the top: one band as high as the two.
  EXPECT_EQ(Shape(), RectsOf(QRegion(current) + QRegion(next)));
  EXPECT_EQ(Shape(), (Rects{{0, 0, 800, current.height() * 2}}));

  // The next bar to the foot: two bands, the window's middle left out.
  shown.Run(AudienceCommand::NextAtFoot);
  ASSERT_TRUE(QTest::qWaitFor([&] { return Shape().size() == 2; }, 3000));
  const int bar = current.height();
  EXPECT_EQ(Shape(), (Rects{{0, 0, 800, bar}, {0, 600 - bar, 800, bar}}));
}

TEST_F(AudienceX11Test, StayOnTopSetsTheAboveStateAndKeepsTheShape) {
  TAudienceView& shown = Open();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Shape().empty(); }, 3000));
  const Rects before = Shape();
  EXPECT_FALSE(Above());
  shown.Run(AudienceCommand::StayOnTop);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Above(); }, 3000));
  EXPECT_EQ(Shape(), before);
  shown.Run(AudienceCommand::StayOnTop);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !Above(); }, 3000));
}

}  // namespace
}  // namespace tunedex
