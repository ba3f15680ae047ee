// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

#include "catalogue/cataloguewindow.h"
#include "common/volumes.h"
#include "players/desktop.h"
#include "ui/widgets/qtuser.h"

class QAction;
class QLabel;

namespace tunedex {

class TActionSet;
class TDetailsPanel;
class THelpViewer;
class TNavigatorBar;
class TPlaylistCentralWindow;
class TSongGrid;

// What the window needs of the desktop to play songs and to configure players; any may be
// absent (the offscreen tests), which disables playing.
struct PlayerServices {
  tPlayerControl* control = nullptr;
  Desktop* desktop = nullptr;
  ProgramStarter* programs = nullptr;
  Sleeper* sleeper = nullptr;
};

// The catalogue window: menus, toolbar, the logo and details area, the navigator, the song
// grid, the status bar and the bottom info panel over the window's rules (tCatalogueWindow).
class TTunedexMain : public QMainWindow, private CatalogueObserver {
  Q_OBJECT

 public:
  // Reads the settings file and opens the last catalogue (or startCatalogue, when named) in
  // catalogue, as the program starts.
  TTunedexMain(tCatalogue& catalogue, FileSystem& files, Volumes& volumes, std::string settingsPath,
               QWidget* parent = nullptr, const std::string& startCatalogue = {});
  ~TTunedexMain() override;

  void SetPlayerServices(const PlayerServices& services);
  // Shows the window as the settings left it (normal or maximised), back on a screen.
  void ShowAsStored();
  // A file named from outside (the command line, a second copy): a playlist (".tdp") opens in
  // Playlist Central over the catalogue that is open; anything else opens as the catalogue, as
  // Open does.
  void OpenFromOutside(const std::string& path);
  tCatalogueWindow& Logic() { return *m_logic; }
  // Messages and questions over this window.
  UserInteraction& User() { return m_user; }
  TSongGrid& Grid() { return *m_grid; }
  TNavigatorBar& Navigator() { return *m_navigator; }
  TDetailsPanel& Details() { return *m_details; }
  // The first menu item or button of a command.
  QAction* Action(Command command, int tag = 0) const;
  QMenu* GridMenu() const;
  QMenu* DetailsMenu() const;
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
  CatalogueServices Services();
  void BuildCentralArea();
  void BuildStatusBar();
  void ApplyGeometry();
  void ApplyGridFont();
  void ApplyVisibility();
  void WriteSettings();
  void Run(Command command, int tag);
  void Do(const std::function<void()>& action);
  std::optional<std::pair<tFontSetting, double>> ChooseFont();
  bool ShowSongRecord(tSongRecord& record, int mode, std::string& folder);
  std::shared_ptr<FileSystem> SharedFiles();
  std::shared_ptr<Volumes> SharedVolumes();
  void ShowSongExplorer(std::string& folder);
  void ShowScanWizard();
  void ShowLostFiles();
  void ShowPrintPreview();
  void ShowPlaylistCentral();
  bool ShowFilter(tCustomFilterRec& filter, const std::function<void()>& apply);
  void ShowPlayerOptions();
  void ShowAbout();
  bool IsOwnWindowActive() const;

  tCatalogue& m_catalogue;
  FileSystem& m_files;
  Volumes& m_volumes;
  std::string m_settingsPath;
  QtUser m_user;
  PlayerServices m_players;
  std::unique_ptr<tCatalogueWindow> m_logic;
  TActionSet* m_actions = nullptr;
  TSongGrid* m_grid = nullptr;
  THelpViewer* m_help = nullptr;
  QPointer<TPlaylistCentralWindow> m_playlist;
  QToolBar* m_mainToolbar = nullptr;
  TDetailsPanel* m_details = nullptr;
  TNavigatorBar* m_navigator = nullptr;
  QWidget* m_infoPanel = nullptr;
  std::array<QLabel*, 3> m_statusPanels{};
  std::vector<QObject*> m_focusAreas;  // the pointer over them moves the focus off the grid
  bool m_closing = false;
  bool m_syncPending = false;
};

// The notice of the bottom info panel and the about box.
QString ProgramNotice();

}  // namespace tunedex
