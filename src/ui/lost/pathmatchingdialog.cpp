// SPDX-License-Identifier: GPL-3.0-or-later
#include "pathmatchingdialog.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/widgets/dialogbuttons.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

// Wide enough for a long folder path to be read whole.
constexpr int kEditWidth = 420;

}  // namespace

TPathMatchingDialog::TPathMatchingDialog(const PathMatchTexts& texts, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("PathMatching"));
  setWindowTitle(ToQt(kPathMatchTitle));

  auto* layout = new QVBoxLayout(this);
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  auto* frameLayout = new QVBoxLayout(frame);
  auto* findLabel = new QLabel(ToQt(kPathMatchFindLabel), frame);
  m_find = new QLineEdit(ToQt(texts.find), frame);
  m_find->setMinimumWidth(kEditWidth);
  auto* replacementLabel = new QLabel(ToQt(kPathMatchReplacementLabel), frame);
  m_replacement = new QLineEdit(ToQt(texts.replacement), frame);
  m_replacement->setMinimumWidth(kEditWidth);
  findLabel->setBuddy(m_find);
  replacementLabel->setBuddy(m_replacement);
  for (QWidget* widget :
       {static_cast<QWidget*>(findLabel), static_cast<QWidget*>(m_find),
        static_cast<QWidget*>(replacementLabel), static_cast<QWidget*>(m_replacement)}) {
    frameLayout->addWidget(widget);
  }
  layout->addWidget(frame);

  // Escape is the Cancel button's through QDialog::reject.
  const OkCancelButtons buttons = AddOkCancelRow(*this, *layout);
  m_ok = buttons.ok;
  m_cancel = buttons.cancel;

  layout->setSizeConstraint(QLayout::SetFixedSize);
}

PathMatchTexts TPathMatchingDialog::Texts() const {
  return {FromQt(m_find->text()), FromQt(m_replacement->text())};
}

void TPathMatchingDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the screen, not over the window that asked.
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (screen) move(screen->availableGeometry().center() - rect().center());
}

std::optional<PathMatchTexts> AskMatchPaths(QWidget* parent, const PathMatchTexts& texts) {
  if (Unattended()) return std::nullopt;
  TPathMatchingDialog dialog(texts, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Texts();
}

}  // namespace tunedex
