// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "players/switchbackregistry.h"
#include "playlist/playlistmenus.h"
#include "ui/widgets/qtuser.h"

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;
class QTreeView;

namespace tunedex {

class tPlayerControl;
class TPlaylistModel;
class TPlaylistViewWindows;

struct PlaylistCentralContext {
  tCatalogue& catalogue;
  FileSystem& files;
  tLivePlayerOptions& playerOptions;
  Sleeper& sleeper;
  ProgramStarter& programs;
  // The songs the catalogue window shows.
  std::function<std::size_t()> viewSongCount;
  tPlayerControl* players = nullptr;  // null: playing does nothing
  // Messages and questions; null: boxes over this window.
  UserInteraction* user = nullptr;
  std::string settingsPath = {};
  // Hides or shows the catalogue window while the evening runs.
  std::function<void(bool visible)> showCatalogueWindow = {};
  // The song's record in the record editor's plain view.
  std::function<void(const tSong& song)> showSongDetails = {};
  // The item editor: kAddMode or the row to change; absent, nothing opens.
  std::function<void(int mode)> openItemEditor = {};
  std::function<void(int topic)> help = {};
};

// Playlist Central: the evening's running order over tPlaylistCentral, which decides every
// text and enabling; the window draws the list, the toolbar, the popup menu and the status
// panels, and forwards the user's keys, clicks and commands.
class TPlaylistCentralWindow : public QDialog, private PlaylistCentralHost {
  Q_OBJECT

 public:
  explicit TPlaylistCentralWindow(PlaylistCentralContext context, QWidget* parent = nullptr);
  ~TPlaylistCentralWindow() override;

  tPlaylistCentral& Logic() { return *m_central; }
  QTreeView& List() { return *m_list; }
  QLabel& Title() { return *m_title; }
  QLabel& StatusPanel(int panel) const { return panel == 0 ? *m_panel1 : *m_panel2; }
  QMenu& PopupMenu() { return *m_menu; }
  QAction* MenuItem(PlaylistCommand command) const;
  QAction* Button(PlaylistCommand command) const;
  // Runs a command as its menu item does.
  void Run(PlaylistCommand command);
  // Shows the core's state: caption, rows, marks, selection, panels and enabling.
  void Sync();
  // The popup menu as it is about to open (enabling refreshed first).
  void PrepareMenu();
  // Brings the audience view forward, when one is open (the item editor's switch-back).
  void BringAudienceForward();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void reject() override;

 private:
  // PlaylistCentralHost
  void PlaySong(const tSong& song, bool playerInFront) override;
  void ClosePlayer() override;
  void SetCatalogueWindowVisible(bool visible) override;
  void ShowSongDetails(const tSong& song) override;
  void OpenItemEditor(int mode) override;
  void BringToFront(bool audienceToo) override;
  void ShowNormal() override;
  void Refresh() override;
  void ScrollIntoView(int row) override;

  void BuildToolbar();
  void BuildMenu();
  void BuildList();
  void BuildStatusBar();
  void ShowMenuAt(QWidget* source, const QPoint& position);
  void LayOutPanels();
  void ScaleColumns();
  void ApplySettings();
  void WriteSettings();
  bool HandleKey(const QKeyEvent& event);

  PlaylistCentralContext m_context;
  QtUser m_user;
  std::unique_ptr<TPlaylistViewWindows> m_views;
  std::unique_ptr<SwitchBackRegistration> m_switchBack;
  std::unique_ptr<tPlaylistCentral> m_central;
  TPlaylistModel* m_model = nullptr;
  QTreeView* m_list = nullptr;
  QLabel* m_title = nullptr;
  QToolBar* m_toolbar = nullptr;
  QStatusBar* m_status = nullptr;
  QLabel* m_panel1 = nullptr;
  QLabel* m_panel2 = nullptr;
  QMenu* m_menu = nullptr;
  std::map<PlaylistCommand, QAction*> m_menuItems;
  std::map<PlaylistCommand, QAction*> m_buttons;
  int m_columnSum = 0;
  bool m_settingsApplied = false;
  bool m_closed = false;
  bool m_syncing = false;
};

}  // namespace tunedex
