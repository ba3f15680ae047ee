// SPDX-License-Identifier: GPL-3.0-or-later
// A small window program that runs the single-instance check the way Tunedex does, for the X11
// tests: the first copy shows a window and, when a second copy asks, brings it back and writes
// "raised" to its log; a second copy ends at once with status 3 without showing a window.
//
//   single_instance_app FOLDER LOG
#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include "platform/qt/qtplatform.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) return 2;
  const QString log = QString::fromLocal8Bit(argv[2]);
  tunedex::QtSingleInstance instance(argv[1]);
  switch (instance.Check()) {
    case tunedex::SingleInstance::Role::AnotherAnswered:
      return 3;
    case tunedex::SingleInstance::Role::RunAnyway:
      return 4;
    case tunedex::SingleInstance::Role::Primary:
      break;
  }
  QWidget window;
  window.setWindowTitle(QStringLiteral("Tunedex - ver. E1.21"));
  window.resize(300, 200);
  window.show();
  QObject::connect(&instance, &tunedex::QtSingleInstance::RaiseRequested, &window, [&] {
    tunedex::BringBack(*window.windowHandle());
    QFile file(log);
    if (file.open(QIODevice::Append)) file.write("raised\n");
  });
  QTimer::singleShot(30000, &app, &QApplication::quit);
  return app.exec();
}
