// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPushButton>
#include <functional>

namespace tunedex {

// A dialog button over window logic: a click reads the widgets into the logic (store), runs
// the action and shows the logic's state again (show). It is never the default button by
// accident.
inline QPushButton* ActionButton(QWidget* parent, const QString& caption, const QString& hint,
                                 const std::function<void()>& store,
                                 const std::function<void()>& action,
                                 const std::function<void()>& show) {
  auto* button = new QPushButton(caption, parent);
  button->setToolTip(hint);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, parent, [store, action, show] {
    store();
    action();
    show();
  });
  return button;
}

}  // namespace tunedex
