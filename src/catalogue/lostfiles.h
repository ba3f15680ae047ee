// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/lostcount.h"
#include "catalogue/lostfilestexts.h"
#include "catalogue/movedfiles.h"
#include "catalogue/pathmatching.h"
#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "common/volumes.h"
#include "inspect/bytes.h"
#include "inspect/songfilereader.h"

namespace tunedex {

struct LostFilesServices {
  tCatalogue& catalogue;
  std::shared_ptr<FileSystem> files;
  Volumes& volumes;
  UserInteraction& user;
  // The catalogue window's songs folder, where "Locate Song file" starts the first time.
  std::string songsFolder = {};
  // The song record editor: true when it closed with OK and something changed.
  std::function<bool(tSongRecord& record, int mode, std::string& lastFolder)> showSongRecord = {};
  // The path-matching dialog filled with the two texts: the edited texts, or nothing for Cancel.
  std::function<std::optional<PathMatchTexts>(const PathMatchTexts&)> askMatchPaths = {};
  // Told when the status text changes during long work, so that the window can show it.
  std::function<void()> statusChanged = {};
  // The record a song file makes; ReadSongRecord when absent.
  std::function<SongReadStatus(const std::string& path, tSongRecord& record)> readRecord = {};
  // The tag information of a song file; InspectSongFile when absent.
  std::function<InfoLines(const std::string& path)> inspect = {};
};

// Where the title or artist of a repaired record comes from.
enum class RecordSource { ExistingRecord, NewFile };

// The Lost Files window's state and rules apart from its widgets: the lost songs (references to
// the catalogue's songs, in catalogue order), the shown one, the candidate record that is to
// replace it, and the actions. It follows the catalogue, so a song removed anywhere leaves the
// list.
class tLostFiles : public CatalogueObserver {
 public:
  explicit tLostFiles(LostFilesServices services);
  ~tLostFiles() override;
  tLostFiles(const tLostFiles&) = delete;
  tLostFiles& operator=(const tLostFiles&) = delete;

  // The "Ignore files on" boxes: removable disks and remote drives ticked at the start.
  LostIgnore ignore{true, true, false};

  // Counts at opening; with no lost song the user is told before the window shows.
  void Open();
  // "Refresh list": counts the lost songs again and shows the first.
  void Count();

  const std::vector<LostSong>& Lost() const { return m_lost; }
  std::size_t Position() const { return m_position; }
  const tSong* Current() const;
  std::string StatusText() const { return m_status; }

  // The lost record area.
  std::string FileEditText() const;
  std::string TitleLabel() const;                                // "Title: ..." or empty
  std::string ArtistLabel() const;                               // "Artist: ..." or empty
  bool NotFoundVisible() const { return Current() != nullptr; }  // the label and the icon
  int LostIcon() const;
  std::string ActionLabel() const;

  // Enabling: Ignore it, Remove it, Browse, View/Edit record and Remove all.
  bool ActionsEnabled() const { return !m_lost.empty(); }
  bool AcceptEnabled() const { return m_acceptEnabled; }
  bool MatchPathsEnabled() const { return m_matchPathsEnabled && !m_lost.empty(); }

  // The candidate area, shown after a file was chosen.
  bool CandidateVisible() const { return m_candidateVisible; }
  const tSongRecord& Candidate() const { return m_candidate; }
  std::string NewFileEditText() const { return m_newFileName; }
  std::string NewTitle() const { return m_newRecord.Title(); }
  std::string NewArtist() const { return m_newRecord.Artist(); }
  std::string InternalFormatLabel() const;
  bool InternalFormatLabelEnabled() const { return m_newRecord.InternalFormat() != 0; }
  std::string LyricsLabel() const;
  const InfoLines& TagInformation() const { return m_tagInformation; }
  int CandidateIcon() const;

  // The title and artist choices; each button's caption.
  RecordSource TitleSource() const { return m_titleSource; }
  RecordSource ArtistSource() const { return m_artistSource; }
  void SetTitleSource(RecordSource source);
  void SetArtistSource(RecordSource source);
  std::string TitleChoiceCaption(RecordSource source) const;
  std::string ArtistChoiceCaption(RecordSource source) const;

  // The "Locate Song file" request for the shown lost song.
  FileDialogRequest LocateRequest() const;

  // Actions.
  void Browse();
  void Accept();
  void RemoveIt();
  void RemoveAll();
  void IgnoreIt();
  void MatchPaths();
  // "View/Edit record": the candidate in the record editor, editable.
  void ViewEditCandidate();
  // Viewing without changes: the shown lost song's record, or the candidate.
  void ViewLostRecord();
  void ViewCandidate();

  // "Find moved files...": searches folder for the lost songs on a thread of its own; the
  // window polls MovedFiles() until it has finished, then shows its findings.
  tMovedFiles& FindMovedFiles(const std::string& folder);
  tMovedFiles* MovedFiles() { return m_moved.get(); }
  // Makes the ticked proposals and counts again; returns the songs changed.
  std::size_t AcceptMovedFiles();
  void CloseMovedFiles() { m_moved.reset(); }

  void CatalogueChanged(const CatalogueNotice& notice) override;

 private:
  void Show();
  void AfterShrinking();
  void SetStatus(std::string text);
  void ApplyTitleChoice();
  void ApplyArtistChoice();

  LostFilesServices m_services;
  std::vector<LostSong> m_lost;
  std::size_t m_position = 0;
  std::string m_status;
  std::string m_browseFolder;
  bool m_acceptEnabled = false;
  bool m_matchPathsEnabled = false;

  bool m_candidateVisible = false;
  bool m_fileChosen = false;  // since the shown song was shown
  tSongRecord m_candidate;
  std::string m_newFileName;
  tSongRecord m_newRecord;  // what the last chosen file says
  InfoLines m_tagInformation;
  RecordSource m_titleSource = RecordSource::ExistingRecord;
  RecordSource m_artistSource = RecordSource::ExistingRecord;

  std::unique_ptr<tMovedFiles> m_moved;
};

// The filter of "Locate Song file", and which of its entries a lost file's extension chooses.
std::vector<FileFilter> LocateSongFilters();
std::size_t LocateFilterIndex(std::string_view lostFileName);

}  // namespace tunedex
