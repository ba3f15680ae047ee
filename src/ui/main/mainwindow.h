// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>

#include "catalogue/cataloguewindow.h"
#include "players/desktop.h"
#include "ui/widgets/qtuser.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;
class QFrame;
class QPushButton;

namespace tunedex {

class TSongGrid;
class THelpViewer;

// What the window needs of the desktop to play songs and to configure players; any may be
// absent (the offscreen tests), which disables playing.
struct PlayerServices {
  tPlayerControl* control = nullptr;
  Desktop* desktop = nullptr;
  ProgramStarter* programs = nullptr;
  Sleeper* sleeper = nullptr;
};

// The catalogue window: menus, toolbars, the logo and details area, the navigator, the song
// grid, the status bar and the bottom info panel over the window's rules (tCatalogueWindow).
class TTunedexMain : public QMainWindow, private CatalogueObserver {
  Q_OBJECT

 public:
  // Reads the settings file and opens the last catalogue in catalogue, as the program starts.
  TTunedexMain(tCatalogue& catalogue, std::string settingsPath, QWidget* parent = nullptr);
  ~TTunedexMain() override;

  void SetPlayerServices(const PlayerServices& services);
  // Shows the window as the settings left it (normal or maximised), back on a screen.
  void ShowAsStored();
  tCatalogueWindow& Logic() { return *m_logic; }
  // Messages and questions over this window.
  UserInteraction& User() { return m_user; }
  TSongGrid& Grid() { return *m_grid; }
  QAction* Action(Command command) const;
  QAction* SortAction(int code) const;
  QAction* DisplayAction(bool tDisplayOptions::*flag) const;
  QLabel* StatusPanel(int panel) const;
  // Shows the window's state: captions, ticks, enabling, details, status texts, the grid.
  void Sync();
  void ShowHelp(int topic);
  QString ShortenedCaption(int windowWidth) const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A change of the catalogue from any window: the window shows it once the change is done.
  void CatalogueChanged(const CatalogueNotice& notice) override;
  void BuildActions();
  void BuildMenus();
  void BuildToolbars();
  void BuildCentralArea();
  void BuildStatusBar();
  void ApplyGeometry();
  void ApplyGridFont();
  void ApplyVisibility();
  void ShowDetails();
  void WriteSettings();
  void ChooseFont();
  void ChooseCustomLanguage();
  void ShowAbout();
  void Do(const std::function<void()>& action);
  QAction* MakeAction(const QString& text, const std::function<void()>& run,
                      const QKeySequence& shortcut = {});
  QAction* CommandAction(Command command, const QString& text, const QKeySequence& shortcut = {},
                         int tag = 0);
  QAction* CopyAction(Command command, const QString& text, const QString& shortcutText = {},
                      int tag = 0);
  QMenu* SongMenu(bool gridMenu);
  bool ShowSongRecord(tSongRecord& record, int mode, std::string& folder);
  bool ShowFilter(tCustomFilterRec& filter, const std::function<void()>& apply);
  void ShowPlayerOptions();
  bool IsOwnWindowActive() const;

  tCatalogue& m_catalogue;
  std::string m_settingsPath;
  QtUser m_user;
  PlayerServices m_players;
  std::unique_ptr<tCatalogueWindow> m_logic;
  TSongGrid* m_grid = nullptr;
  THelpViewer* m_help = nullptr;

  std::multimap<Command, QAction*> m_commandActions;  // every place of a command
  std::map<int, QAction*> m_viewActions;              // 16..21: menu and toolbar
  std::map<int, QAction*> m_selectionActions;         // the grid menu's "Selection" items
  std::multimap<int, QAction*> m_sortActions;         // 32..34 in both menus, main item first
  std::map<int, QAction*> m_sortCopies;               // the grid menu's copies
  std::vector<std::pair<bool tDisplayOptions::*, QAction*>> m_displayActions;
  QAction* m_playerInFront = nullptr;
  QAction* m_switchToPlugin = nullptr;
  QAction* m_selectionMenuAction = nullptr;
  QMenu* m_gridMenu = nullptr;
  QMenu* m_detailsMenu = nullptr;

  QToolBar* m_mainToolbar = nullptr;
  QWidget* m_logoArea = nullptr;
  QLabel* m_logoImage = nullptr;
  QLabel* m_notesLabel = nullptr;
  QLabel* m_typeLabel = nullptr;
  QLabel* m_languageLabel = nullptr;
  QLabel* m_fileNamePanel = nullptr;
  QLabel* m_typePicture = nullptr;
  QLabel* m_languagePicture = nullptr;
  QLabel* m_notesPicture = nullptr;
  QWidget* m_navigator = nullptr;
  std::array<QToolButton*, 4> m_navigatorButtons{};
  QLineEdit* m_findBox = nullptr;
  QPushButton* m_findNext = nullptr;
  QWidget* m_infoPanel = nullptr;
  std::array<QLabel*, 3> m_statusPanels{};
  std::vector<QObject*> m_focusAreas;  // the pointer over them moves the focus off the grid
  bool m_closing = false;
  bool m_syncPending = false;
};

// The notice of the bottom info panel and the about box.
QString ProgramNotice();

}  // namespace tunedex
