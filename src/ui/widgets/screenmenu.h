// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QRect>
#include <vector>

#include "playlist/screenchoice.h"

class QMenu;
class QScreen;
class QWidget;

namespace tunedex {

inline ScreenRect RectOf(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}
inline QRect QtRect(const ScreenRect& rect) {
  return {rect.left, rect.top, rect.width, rect.height};
}

// The desktop's connected screens; a screen about to go is left out.
std::vector<ScreenInfo> ConnectedScreens(const QScreen* leaving = nullptr);

// Keeps a top-level window of the room on its screen: places it when it opens, offers the
// "Screen" submenu with the connected screens by name, moves the window to the primary screen
// when its screen is unplugged and back when the screen returns, and notes the screen the host
// moves it to.
class TScreenFollower : public QObject {
  Q_OBJECT

 public:
  TScreenFollower(QWidget& window, RememberedScreen remembered);

  // Puts the window, whose frame is already where the settings place it, on the screen it
  // opens on: moved there when it lies elsewhere, kept inside its work area.
  void PlaceAtOpening();
  // The submenu, rebuilt as it opens.
  QMenu& Menu() { return *m_menu; }
  tScreenChoice& Choice() { return m_choice; }
  // The window was moved (its move event).
  void WindowMoved();
  // Runs the screen list as it is now past the choice, as the desktop's notices do.
  void FollowScreens(const QScreen* leaving = nullptr);

 private:
  void FillMenu();
  void Apply(const tScreenChoice::Move& move);
  // The connected screen holding the middle of the window's frame, if any.
  QString ScreenOfWindow() const;

  QWidget& m_window;
  tScreenChoice m_choice;
  QMenu* m_menu = nullptr;
  QObject* m_group = nullptr;
  bool m_moving = false;
};

}  // namespace tunedex
