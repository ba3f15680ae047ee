// SPDX-License-Identifier: GPL-3.0-or-later
#include "navigatorbar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>

#include "catalogue/songgridlayout.h"
#include "ui/widgets/pictures.h"

namespace tunedex {

TFindBox::TFindBox(QWidget* parent) : QLineEdit(parent) {
  setObjectName(QStringLiteral("edFind"));
  setToolTip(QStringLiteral("Type words to find in song list"));
  setPlaceholderText(QStringLiteral("Type words to find in song list"));
  setClearButtonEnabled(true);
}

void TFindBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    selectAll();
    event->accept();
    return;
  }
  QLineEdit::mouseDoubleClickEvent(event);
}

void TFindBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (hasSelectedText()) {
    // setSelection leaves the caret where the selection ends.
    const int start = selectionStart();
    setSelection(start, static_cast<int>(selectedText().size()));
  } else {
    end(false);
  }
}

TNavigatorBar::TNavigatorBar(const std::array<QAction*, 4>& moves, QAction* findNext,
                             QWidget* parent)
    : QWidget(parent) {
  setObjectName(QStringLiteral("Navigator"));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(2, 0, 2, 0);
  layout->setSpacing(0);
  for (std::size_t i = 0; i < moves.size(); ++i) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(moves[i]);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    m_buttons[i] = button;
    layout->addWidget(button);
  }
  m_findBox = new TFindBox(this);
  layout->addSpacing(8);
  layout->addWidget(m_findBox, 1);
  m_findNext = new QPushButton(findNext->text(), this);
  m_findNext->setIcon(ArtIcon("find-next"));
  m_findNext->setFocusPolicy(Qt::NoFocus);
  connect(m_findNext, &QPushButton::clicked, findNext, &QAction::trigger);
  connect(findNext, &QAction::changed, m_findNext,
          [this, findNext] { m_findNext->setEnabled(findNext->isEnabled()); });
  m_findNext->setEnabled(findNext->isEnabled());
  layout->addWidget(m_findNext);
}

int TNavigatorBar::ButtonWidth() const {
  return m_buttons[0]->width();
}

void TNavigatorBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int width = NavigatorButtonWidth(this->width());
  for (QToolButton* button : m_buttons) button->setFixedWidth(width);
}

}  // namespace tunedex
