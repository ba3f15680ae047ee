// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "playlist/playlistcentral.h"
#include "playlist/playlistsettings.h"

namespace tunedex {

inline constexpr std::string_view kNoAvailableSongs = "No available songs in song-list";

// What OK did, and where the window puts the focus.
enum class ItemEditorOutcome {
  NeedSinger,  // said so; the singer box gets the focus
  NeedSong,    // said so; the song list gets the focus
  Added,       // an item was added; the editor stays open for the next
  Closed,      // the item was added or changed and the editor closed (Playlist Central told)
};

// The item editor's logic: adds items to Playlist Central's list (several in a row) or changes
// one. The songs offered are those of the catalogue window's view whose files exist when the
// editor opens; they are checked in slices (FillSlice) so that a window stays responsive over a
// large view.
class tItemEditor : public CatalogueObserver {
 public:
  struct Services {
    tPlaylistCentral& central;
    tCatalogue& catalogue;
    FileSystem& files;
    UserInteraction& user;
    // Plays a song with the editor's window as owner and the player-in-front flag.
    std::function<void(const tSong&, bool)> play;
    tLivePlayerOptions& players;
  };

  // mode: kAddMode, or the row to change. The view's songs are taken now and checked by
  // FillSlice.
  tItemEditor(Services services, const tSongList& view, int mode,
              const ItemEditorSettings& settings);
  ~tItemEditor() override;
  tItemEditor(const tItemEditor&) = delete;
  tItemEditor& operator=(const tItemEditor&) = delete;

  // Checks up to count songs' files; true once every song was checked, when the first row (or
  // in change mode the item's song) becomes the chosen one.
  bool FillSlice(std::size_t count);
  bool Filled() const { return m_checked == m_candidates.size(); }
  // How many songs were checked, of how many.
  std::size_t Checked() const { return m_checked; }
  std::size_t ToCheck() const { return m_candidates.size(); }

  bool AddMode() const { return m_addMode; }
  std::string Caption() const;
  std::string CancelCaption() const { return m_addMode ? "Close" : "Cancel"; }
  std::string OkCaption() const { return m_addMode ? "&Add to list" : "&Ok"; }
  bool CloseAfterAddVisible() const { return m_addMode; }
  bool FindNextEnabled() const { return !m_search.empty(); }

  const std::vector<const tSong*>& AvailableSongs() const { return m_available; }
  const std::vector<std::string>& Singers() const { return m_singers; }
  // The singers list's selection: the row of the singer box's name, or -1.
  int SelectedSinger() const;

  // The choice panel, the information line and the counter.
  const std::string& ChosenSinger() const { return m_singer; }
  const std::string& ChosenTitle() const { return m_title; }
  const std::string& ChosenLanguage() const { return m_language; }
  int ChosenRow() const { return m_chosenRow; }
  const tSong* ChosenSong() const { return m_song; }
  std::string InformationLine(int maxWidth,
                              const std::function<int(std::string_view)>& measure) const;
  std::string Counter() const;

  ItemEditorSettings& Settings() { return m_settings; }
  int ItemIndex() const { return m_itemIndex; }

  // Events.
  void SetSinger(std::string_view name);  // typed, or a name clicked in the singers list
  void ChooseRow(int row);
  void SetSearchText(std::string_view text);
  // Find next (button, F3): false when nothing further matched (said so).
  bool FindNext();
  ItemEditorOutcome Ok();
  // Cancel, Close, Exit, the close box: Playlist Central selects the item index's row.
  void Cancel();
  void Play();

  void CatalogueChanged(const CatalogueNotice& notice) override;

 private:
  void FillSingers();
  void Finish();
  bool Matches(const tSong& song) const;
  void Closed();

  Services m_s;
  std::vector<const tSong*> m_candidates;
  std::size_t m_checked = 0;
  std::vector<const tSong*> m_available;
  std::vector<std::string> m_singers;
  ItemEditorSettings m_settings;
  bool m_addMode = true;
  int m_itemIndex = 0;
  tPlayListItem* m_item = nullptr;
  std::string m_singer;
  std::string m_title;
  std::string m_language;
  const tSong* m_song = nullptr;
  int m_chosenRow = -1;
  std::string m_search;
  int m_foundRow = -1;
  bool m_closed = false;
};

}  // namespace tunedex
