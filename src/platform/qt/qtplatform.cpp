// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qtplatform.h"

#include <QGuiApplication>
#include <QSocketNotifier>
#include <QWindow>

#include "platform/x11hotkey.h"
#include "players/playercontrol.h"

namespace tunedex {

QtHotKey::QtHotKey(QObject* parent) : QObject(parent), m_grab(std::make_unique<X11HotKey>()) {
  if (!m_grab->Registered()) return;
  m_notifier = new QSocketNotifier(m_grab->Fd(), QSocketNotifier::Read, this);
  connect(m_notifier, &QSocketNotifier::activated, this, [this] {
    for (int presses = m_grab->TakePresses(); presses > 0; --presses) Q_EMIT Pressed();
  });
}

QtHotKey::~QtHotKey() = default;

bool QtHotKey::Registered() const {
  return m_grab->Registered();
}

QtSingleInstance::QtSingleInstance(const std::string& folder, QObject* parent)
    : QObject(parent), m_instance(folder) {}

SingleInstance::Role QtSingleInstance::Check(int answerTimeoutMs, const std::string& file) {
  const SingleInstance::Role role = m_instance.Check(answerTimeoutMs, file);
  if (role == SingleInstance::Role::Primary && m_instance.Fd() >= 0) {
    m_notifier = new QSocketNotifier(m_instance.Fd(), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
      const SingleInstance::Requests requests = m_instance.TakeRequests();
      if (requests.raise) Q_EMIT RaiseRequested();
      for (const std::string& path : requests.files) Q_EMIT OpenRequested(path);
    });
  }
  return role;
}

WindowHandle NativeWindowHandle(const QWindow& window) {
  return static_cast<WindowHandle>(window.winId());
}

void FollowApplicationActivation(tPlayerControl& control) {
  QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, qGuiApp,
                   [&control](Qt::ApplicationState state) {
                     if (state == Qt::ApplicationActive) {
                       control.ApplicationActivated();
                     } else {
                       control.ApplicationDeactivated();
                     }
                   });
}

void BringBack(QWindow& window) {
  window.showNormal();
  window.raise();
  window.requestActivate();
}

}  // namespace tunedex
