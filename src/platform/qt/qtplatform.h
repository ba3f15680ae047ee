// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <memory>

#include "platform/singleinstance.h"
#include "players/desktop.h"

class QSocketNotifier;
class QWindow;

namespace tunedex {

class X11HotKey;
class tPlayerControl;

// The window program's side of the platform services: their file descriptors watched by the
// Qt event loop, and their news as signals.

// Shift+F10: Pressed() for every press while the grab is held.
class QtHotKey : public QObject {
  Q_OBJECT

 public:
  explicit QtHotKey(QObject* parent = nullptr);
  ~QtHotKey() override;
  // False when another program holds Shift+F10.
  bool Registered() const;

 Q_SIGNALS:
  void Pressed();

 private:
  std::unique_ptr<X11HotKey> m_grab;
  QSocketNotifier* m_notifier = nullptr;
};

// The single-instance check: RaiseRequested() when a second copy asks the window to come back.
class QtSingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit QtSingleInstance(const std::string& folder = SingleInstance::DefaultFolder(),
                            QObject* parent = nullptr);
  SingleInstance::Role Check(int answerTimeoutMs = 2000, const std::string& file = {});

 Q_SIGNALS:
  void RaiseRequested();
  // A second copy was started with this file (after RaiseRequested).
  void OpenRequested(const std::string& path);

 private:
  SingleInstance m_instance;
  QSocketNotifier* m_notifier = nullptr;
};

// A top-level window's handle for player control.
WindowHandle NativeWindowHandle(const QWindow& window);

// Tells player control when Tunedex becomes, or stops being, the active application.
void FollowApplicationActivation(tPlayerControl& control);

// Brings a window of Tunedex's own back: restored, raised and activated.
void BringBack(QWindow& window);

}  // namespace tunedex
