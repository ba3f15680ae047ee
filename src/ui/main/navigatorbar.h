// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <array>

class QAction;
class QPushButton;
class QToolButton;

namespace tunedex {

// The find box: a double click selects its whole text, and entering it leaves the caret at the
// end of what is selected, so typing replaces the selection and an arrow key extends from its
// end.
class TFindBox : public QLineEdit {
  Q_OBJECT

 public:
  explicit TFindBox(QWidget* parent = nullptr);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
};

// The navigator toolbar: first, previous, next and last song, the find box and "Find next".
// The four buttons share the bar's width by the window's rule whenever the bar is resized.
class TNavigatorBar : public QWidget {
  Q_OBJECT

 public:
  // moves: the actions of the first, previous, next and last song.
  TNavigatorBar(const std::array<QAction*, 4>& moves, QAction* findNext, QWidget* parent);

  TFindBox* FindBox() const { return m_findBox; }
  QPushButton* FindNextButton() const { return m_findNext; }
  int ButtonWidth() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::array<QToolButton*, 4> m_buttons{};
  TFindBox* m_findBox;
  QPushButton* m_findNext;
};

}  // namespace tunedex
