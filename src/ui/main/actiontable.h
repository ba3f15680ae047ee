// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <span>
#include <vector>

#include "catalogue/cataloguecommands.h"

class QAction;
class QMenu;
class QMenuBar;
class QToolBar;
class QWidget;

namespace tunedex {

class tCatalogueWindow;

// One place of a command in a menu or toolbar.
enum class ItemKind : std::uint8_t { Action, Separator, BeginMenu, EndMenu };
enum class CaptionFrom : std::uint8_t { Table, ViewMenu, ViewSelection };

struct ActionItem {
  ItemKind kind = ItemKind::Action;
  Command command = Command::OpenDatabase;
  int tag = 0;
  const char* caption = "";
  const char* key = "";       // a key this item holds
  const char* shownKey = "";  // a key only shown beside the caption (the main item holds it)
  const char* icon = "";
  const char* hint = "";
  CaptionFrom captionFrom = CaptionFrom::Table;
  bool button = false;  // a toolbar button: shown pressed rather than ticked
};

// The catalogue window's menus, toolbar, context menus and navigator buttons, made from the
// tables in actiontable.cpp. Every item runs its command through run and is enabled, ticked,
// pressed and captioned as the window's rules say on Sync().
class TActionSet : public QObject {
  Q_OBJECT

 public:
  TActionSet(const tCatalogueWindow& logic, QWidget* owner, std::function<void(Command, int)> run);

  void FillMenuBar(QMenuBar* bar);
  void FillToolbar(QToolBar* toolbar);
  QMenu* GridMenu() const { return m_gridMenu; }
  QMenu* DetailsMenu() const { return m_detailsMenu; }
  // First, previous, next and last song, and "Find next", for the navigator bar.
  std::array<QAction*, 4> NavigatorMoves() const { return m_moves; }
  QAction* FindNextButton() const { return m_findNext; }

  // The first item made for a command (the menu bar's, where it has one).
  QAction* Action(Command command, int tag = 0) const;
  void Sync();

 private:
  struct Made {
    QAction* action;
    Command command;
    int tag;
    CaptionFrom captionFrom;
    bool button;
  };
  void Fill(QWidget* target, std::span<const ActionItem> items);
  QAction* Make(const ActionItem& item);

  const tCatalogueWindow& m_logic;
  QWidget* m_owner;
  std::function<void(Command, int)> m_run;
  std::vector<Made> m_made;
  QMenu* m_gridMenu = nullptr;
  QMenu* m_detailsMenu = nullptr;
  std::array<QAction*, 4> m_moves{};
  QAction* m_findNext = nullptr;
};

}  // namespace tunedex
