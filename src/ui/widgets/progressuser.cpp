// SPDX-License-Identifier: GPL-3.0-or-later
#include "progressuser.h"

#include <QApplication>
#include <QProgressDialog>

#include "ui/widgets/qtuser.h"

namespace tunedex {

ProgressUser::ProgressUser(UserInteraction& inner, QWidget* parent, QString caption)
    : ForwardingUser(inner), m_parent(parent), m_caption(std::move(caption)) {}

ProgressUser::~ProgressUser() {
  Done();
}

bool ProgressUser::Progress(std::int64_t count, std::string_view text) {
  if (Unattended()) return true;
  if (!m_dialog) {
    m_dialog = new QProgressDialog(m_parent);
    m_dialog->setWindowTitle(m_caption);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setRange(0, 0);  // the amount of work is not known ahead
    m_dialog->setMinimumDuration(400);
    m_dialog->setMinimumWidth(420);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
  }
  m_dialog->setLabelText(QStringLiteral("%1 done\n%2").arg(count).arg(ToQt(text)));
  m_dialog->setValue(0);  // starts the timer that shows the window after its minimum duration
  QApplication::processEvents();
  return m_dialog && !m_dialog->wasCanceled();
}

void ProgressUser::Done() {
  if (m_dialog) m_dialog->deleteLater();
  m_dialog.clear();
}

}  // namespace tunedex
