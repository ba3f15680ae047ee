// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/screenmenu.h"

#include <QActionGroup>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "ui/widgets/qtuser.h"

namespace tunedex {

std::vector<ScreenInfo> ConnectedScreens(const QScreen* leaving) {
  std::vector<ScreenInfo> screens;
  const QScreen* primary = QGuiApplication::primaryScreen();
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen == leaving) continue;
    screens.push_back({FromQt(screen->name()), FromQt(screen->model()), RectOf(screen->geometry()),
                       RectOf(screen->availableGeometry()), screen == primary});
  }
  return screens;
}

TScreenFollower::TScreenFollower(QWidget& window, RememberedScreen remembered)
    : QObject(&window), m_window(window), m_choice(std::move(remembered)) {
  m_menu = new QMenu(QStringLiteral("Screen"), &window);
  connect(m_menu, &QMenu::aboutToShow, this, &TScreenFollower::FillMenu);
  FillMenu();
  // The desktop's notices come while its list of screens is being changed: the choice looks
  // at the list once the change is done.
  const auto later = [this] { QTimer::singleShot(0, this, [this] { FollowScreens(); }); };
  const auto watch = [this, later](QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, later);
    connect(screen, &QScreen::availableGeometryChanged, this, later);
  };
  for (QScreen* screen : QGuiApplication::screens()) watch(screen);
  auto* application = static_cast<QGuiApplication*>(QGuiApplication::instance());
  connect(application, &QGuiApplication::screenAdded, this, [watch, later](QScreen* screen) {
    watch(screen);
    later();
  });
  connect(application, &QGuiApplication::screenRemoved, this,
          [this](QScreen* screen) { FollowScreens(screen); });
  connect(application, &QGuiApplication::primaryScreenChanged, this, later);
}

void TScreenFollower::PlaceAtOpening() {
  const std::optional<ScreenInfo> target = m_choice.Open(ConnectedScreens());
  if (!target) return;
  const ScreenRect frame = RectOf(m_window.frameGeometry());
  const int middleX = frame.left + frame.width / 2;
  const int middleY = frame.top + frame.height / 2;
  ScreenRect placed;
  if (target->geometry.Contains(middleX, middleY)) {
    placed = KeepInside(frame, target->workArea);
  } else {
    // Placed for another screen: the same distance from this one's corner.
    ScreenRect from = target->geometry;
    for (const ScreenInfo& screen : m_choice.Screens()) {
      if (screen.geometry.Contains(middleX, middleY)) from = screen.geometry;
    }
    // Off every screen: taken from the desktop's origin.
    if (!from.Contains(middleX, middleY)) from = {};
    placed = MoveToScreen(frame, from, target->workArea);
  }
  m_moving = true;
  m_window.move(placed.left, placed.top);
  m_moving = false;
}

void TScreenFollower::FollowScreens(const QScreen* leaving) {
  const std::optional<tScreenChoice::Move> move =
      m_choice.ScreensChanged(ConnectedScreens(leaving));
  if (move) Apply(*move);
}

void TScreenFollower::Apply(const tScreenChoice::Move& move) {
  const ScreenRect frame = RectOf(m_window.frameGeometry());
  const ScreenRect placed =
      MoveToScreen(frame, move.from ? move.from->geometry : move.to.geometry, move.to.workArea);
  m_moving = true;
  m_window.move(placed.left, placed.top);
  m_moving = false;
}

QString TScreenFollower::ScreenOfWindow() const {
  const QScreen* screen = QGuiApplication::screenAt(m_window.frameGeometry().center());
  return screen ? screen->name() : QString();
}

void TScreenFollower::WindowMoved() {
  if (m_moving || !m_window.isVisible()) return;
  const QString name = ScreenOfWindow();
  if (!name.isEmpty()) m_choice.WindowMovedTo(FromQt(name));
}

void TScreenFollower::FillMenu() {
  m_menu->clear();
  delete m_group;
  auto* group = new QActionGroup(m_menu);
  m_group = group;
  const std::optional<ScreenInfo> current = m_choice.Current();
  for (const ScreenInfo& screen : ConnectedScreens()) {
    QAction* item = m_menu->addAction(ToQt(screen.name));
    item->setCheckable(true);
    item->setChecked(current && current->name == screen.name);
    item->setActionGroup(group);
    const std::string name = screen.name;
    connect(item, &QAction::triggered, this, [this, name] {
      if (m_choice.Screens().empty()) m_choice.Open(ConnectedScreens());
      if (const auto move = m_choice.Choose(name)) Apply(*move);
    });
  }
}

}  // namespace tunedex
