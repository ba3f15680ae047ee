// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "playlist/fulllistview.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QTableView;
class QToolButton;

namespace tunedex {

class TFullListModel;
class TScreenFollower;

struct FullListContext {
  tPlayList& items;
  std::string settingsPath;
  std::function<void(int topic)> help = {};
  // Called once, when the window has closed and written its settings; the window is deleted
  // later by its owner and does nothing more after this.
  std::function<void()> closed = {};
};

// The full playlist view: the running order in large type for the room, over tFullListView,
// which decides every cell, width and enabling. The window draws the grid, keeps the header,
// the status bar and the popup menu, and follows its screen.
class TFullListView : public QWidget {
  Q_OBJECT

 public:
  explicit TFullListView(FullListContext context, QWidget* parent = nullptr);
  ~TFullListView() override;

  // The item list changed as a whole: the rows are read again.
  void AttachItems();
  // The starting and current rows (-1 for none); the grid selects the current row.
  void SetRows(int starting, int current);
  // The items changed: rows read again and repainted.
  void Refresh();
  // To (1, 1) on the desktop.
  void MoveToCorner();
  void BringForward();

  tFullListView& Logic() { return m_logic; }
  QTableView& Grid() { return *m_grid; }
  QLabel& StatusPanel(int panel) const { return panel == 0 ? *m_panel1 : *m_panel2; }
  QMenu& PopupMenu() { return *m_menu; }
  QMenu& ScreenMenu();
  QAction* MenuItem(FullListCommand command) const;
  QToolButton* Button(FullListCommand command) const;
  TScreenFollower& Screens() { return *m_screens; }
  // The grid's font as drawn.
  const QFont& GridFont() const { return m_gridFont; }

  // Runs a command as its menu item or button does (the look commands open their dialogs).
  void Run(FullListCommand command);
  // What the dialogs' OK does.
  void ApplyFont(const QFont& font);
  void ApplyColour(FullListCommand command, const QColor& colour);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  void BuildGrid();
  void BuildStatusBar();
  void BuildMenu();
  void ReadSettings();
  void WriteSettings();
  void ApplyLook();
  void ApplyColumns();
  void ApplyRowHeight();
  void UpdateFit();
  void UpdateStatus();
  void FitVertically();
  bool Wheel(const QWheelEvent& event);
  void ColumnDragged(int section, int size);

  FullListContext m_context;
  tFullListView m_logic;
  int m_storedState = 0;
  QFont m_gridFont;
  TFullListModel* m_model = nullptr;
  QTableView* m_grid = nullptr;
  QStatusBar* m_status = nullptr;
  QLabel* m_panel1 = nullptr;
  QLabel* m_panel2 = nullptr;
  QMenu* m_menu = nullptr;
  TScreenFollower* m_screens = nullptr;
  std::map<FullListCommand, QAction*> m_menuItems;
  std::map<FullListCommand, QToolButton*> m_buttons;
  bool m_created = false;
  bool m_activated = false;
  bool m_adjusting = false;
  bool m_closed = false;
};

}  // namespace tunedex
