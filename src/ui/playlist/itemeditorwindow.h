// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "players/switchbackregistry.h"
#include "playlist/itemeditor.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QListWidget;
class QPushButton;
class QTimer;
class QTreeView;

namespace tunedex {

class tPlayerControl;
class TAvailableSongsModel;

struct ItemEditorContext {
  tPlaylistCentral& central;
  tCatalogue& catalogue;
  // The songs the catalogue window shows, in its order.
  const tSongList& view;
  FileSystem& files;
  UserInteraction& user;
  tLivePlayerOptions& playerOptions;
  tPlayerControl* players = nullptr;  // null: Play does nothing
  std::string settingsPath = {};
  std::function<void(const tSong&)> showDetails = {};
  std::function<void(int topic)> help = {};
  // Shows an error box with its top left corner at a point of the screen; empty: a message box.
  std::function<void(std::string_view text, QPoint topLeft)> placedError = {};
  // Brings Playlist Central's audience view forward, when one is open.
  std::function<void()> bringAudienceForward = {};
};

// The item editor's window: adds items to Playlist Central's list or changes one. The logic
// decides; the window draws, forwards and fills the available songs a slice at a time.
class TItemEditorWindow : public QDialog {
  Q_OBJECT

 public:
  // The songs checked per turn of the event loop.
  static constexpr std::size_t kFillSlice = 250;

  TItemEditorWindow(ItemEditorContext context, int mode, QWidget* parent = nullptr);
  ~TItemEditorWindow() override;

  tItemEditor& Logic() { return *m_logic; }
  QLineEdit& SingerBox() { return *m_singer; }
  QListWidget& SingersList() { return *m_singers; }
  QLineEdit& SearchBox() { return *m_search; }
  QPushButton& FindNextButton() { return *m_findNext; }
  QTreeView& SongList() { return *m_songs; }
  QCheckBox& BlankNamesBox() { return *m_blankNames; }
  QCheckBox& CloseAfterAddBox() { return *m_closeAfterAdd; }
  QComboBox& PlacementBox() { return *m_placement; }
  QPushButton& OkButton() { return *m_ok; }
  QPushButton& CancelButton() { return *m_cancel; }
  QLabel& InformationLine() { return *m_info; }
  QLabel& CounterLabel() { return *m_counter; }
  QLabel& ChoiceLabel(int part) const;  // 0 singer, 1 song, 2 language
  QMenu& PopupMenu() { return *m_menu; }
  // Checks the rest of the songs now (tests and screenshots).
  void FinishFilling();
  bool Filling() const;

  void Ok();
  void Cancel();
  void Play();
  // Closes without telling Playlist Central (a new editor takes its place).
  void CloseQuietly();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void reject() override;

 private:
  void BuildWidgets();
  void BuildMenu();
  void FillSlice();
  void SongRowChosen();
  void ShowChoice();
  void ShowSelectedSong();
  void ShowSingers();
  void ShowError(std::string_view text, QWidget& near);
  void ApplySettings();
  void ScaleColumns();

  ItemEditorContext m_context;
  std::unique_ptr<UserInteraction> m_user;
  std::unique_ptr<tItemEditor> m_logic;
  TAvailableSongsModel* m_model = nullptr;
  QTreeView* m_songs = nullptr;
  QLineEdit* m_singer = nullptr;
  QListWidget* m_singers = nullptr;
  QLineEdit* m_search = nullptr;
  QPushButton* m_findNext = nullptr;
  QCheckBox* m_blankNames = nullptr;
  QCheckBox* m_closeAfterAdd = nullptr;
  QComboBox* m_placement = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
  QLabel* m_info = nullptr;
  QLabel* m_counter = nullptr;
  QLabel* m_choice[3] = {};
  QMenu* m_menu = nullptr;
  QTimer* m_filler = nullptr;
  std::string m_pendingError;
  int m_listClientWidth = 0;
  std::unique_ptr<SwitchBackRegistration> m_switchBack;
  bool m_settingsApplied = false;
  bool m_syncing = false;
  bool m_done = false;
};

// Opens the item editor over Playlist Central (mode: kAddMode or the row to change), closing
// one already open; shown without blocking. A row that is not in the list opens nothing and says
// so. Returns the window, or null.
TItemEditorWindow* OpenItemEditor(QWidget* parent, ItemEditorContext context, int mode);
// The editor open now, or null.
TItemEditorWindow* OpenedItemEditor();

}  // namespace tunedex
