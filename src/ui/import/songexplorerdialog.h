// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "catalogue/songexplorerwindow.h"
#include "common/volumes.h"

class QAction;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QSplitter;
class QTimer;

namespace tunedex {

class ProgressUser;
class TFolderTree;
class TSongFileList;

struct SongExplorerContext {
  tCatalogue& catalogue;
  // Shared with the folder tree's listings, which may outlive the window when a call never
  // returns.
  std::shared_ptr<FileSystem> files;
  std::shared_ptr<Volumes> volumes;
  UserInteraction& user;
  tLivePlayerOptions& playerOptions;
  tPlayerControl* players = nullptr;  // null: Play does nothing
  std::string settingsPath = {};
  std::string programFolder = {};  // where the window opens when the given folder is gone
  std::string home = {};           // the tree's "Home"
  std::string gvfsRoot = {};       // the desktop's network mounts
  std::function<void(int topic)> help = {};
};

// The Song Explorer: the song files of a folder chosen in the folder tree, their tags, import
// into the catalogue, playing, and deleting, trashing, renaming, copying and moving the files
// with the catalogue kept in step.
class TSongExplorerDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Action {
    Close,
    Import,
    Delete,
    Trash,
    Rename,
    Refresh,
    SelectAll,
    Cut,
    Copy,
    Paste,
    Play,
    PlayerInFront,
    Help
  };

  TSongExplorerDialog(SongExplorerContext context, const std::string& folder,
                      QWidget* parent = nullptr);
  ~TSongExplorerDialog() override;

  tSongExplorerWindow& Logic() { return *m_logic; }
  TSongFileList& List() { return *m_list; }
  TFolderTree& Tree() { return *m_tree; }
  QPlainTextEdit& InfoBox() { return *m_info; }
  QLabel& StatusPanel(int panel) const { return panel == 0 ? *m_status : *m_count; }
  // The menu item of an action; its toolbar button, when it has one, follows the same state.
  QAction* MenuItem(Action action) const { return m_menuItems.at(action); }
  QAction* Button(Action action) const;
  QCheckBox& PlayerInFrontBox() { return *m_inFront; }
  // Runs an action as its menu item does.
  void Run(Action action);
  // Reads the rest of the folder now (tests and screenshots).
  void FinishLoading();
  // The folder shown last.
  std::string Folder() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void done(int result) override;

 private:
  void BuildMenus(QWidget* toolbarHost);
  void BuildPanes();
  void FolderChosen();
  void StartLoading();
  void LoadSlice();
  void ShowList();
  void SelectionEdited();
  void MovedTo(int row);
  void ShowInfo();
  void Sync();
  void ListResized();
  void ApplySettings();
  tExplorerSettings CurrentSettings() const;
  void Dropped(const QString& target, bool copy);
  void AfterCommand();
  bool HandleKey(QKeyEvent& event);

  SongExplorerContext m_context;
  std::unique_ptr<ProgressUser> m_user;
  std::unique_ptr<tSongExplorerWindow> m_logic;
  TSongFileList* m_list = nullptr;
  TFolderTree* m_tree = nullptr;
  QPlainTextEdit* m_info = nullptr;
  QSplitter* m_columns = nullptr;  // the list | the right-hand pane
  QSplitter* m_rightPane = nullptr;
  QLabel* m_status = nullptr;
  QLabel* m_count = nullptr;
  QCheckBox* m_inFront = nullptr;
  QWidget* m_toolbar = nullptr;
  QTimer* m_loader = nullptr;
  std::map<Action, QAction*> m_menuItems;
  std::map<Action, QAction*> m_buttons;
  std::optional<std::size_t> m_infoShownFor;
  int m_listClientWidth = 0;
  bool m_settingsApplied = false;
  bool m_busyCursor = false;
};

// Opens the Song Explorer modally at folder; afterwards folder is the folder shown last.
void RunSongExplorer(QWidget* parent, SongExplorerContext context, std::string& folder);

}  // namespace tunedex
