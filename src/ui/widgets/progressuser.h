// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

#include "common/userinteraction.h"

class QProgressDialog;
class QWidget;

namespace tunedex {

// A user that shows long work in a progress window with a Cancel button over a parent window;
// everything else goes to the inner user. The window appears only when the work takes longer
// than a moment, and goes when Done is called or the user is destroyed.
class ProgressUser final : public ForwardingUser {
 public:
  ProgressUser(UserInteraction& inner, QWidget* parent, QString caption);
  ~ProgressUser() override;

  bool Progress(std::int64_t count, std::string_view text) override;
  // The work ended: the progress window goes.
  void Done();

 private:
  QWidget* m_parent;
  QString m_caption;
  QPointer<QProgressDialog> m_dialog;
};

}  // namespace tunedex
