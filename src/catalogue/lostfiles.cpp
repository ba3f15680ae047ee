// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/lostfiles.h"

#include <algorithm>

#include "catalogue/recordeditor.h"
#include "catalogue/songgridlayout.h"
#include "song/songtype.h"

namespace tunedex {

std::vector<FileFilter> LocateSongFilters() {
  return {{"KAR midi files", {"*.kar"}},
          {"ST3 midi flies", {"*.st3"}},
          {"MIDI files (*.mi, *.mid, *.midi)", {"*.mi", "*.mid", "*.midi"}},
          {"RMI midi files", {"*.rmi"}},
          {"Windows Media files (*.wma)", {"*.wma"}},
          {"MP3 mpeg files", {"*.mp3"}},
          {"KaraFun files", {"*.kfn"}},
          {"Miscellanous MPEG", {"*.mpg", "*.mpeg"}},
          {"All files", {"*"}}};
}

std::size_t LocateFilterIndex(std::string_view lostFileName) {
  const std::string_view name = SongFileName(lostFileName);
  const std::size_t dot = name.rfind('.');
  constexpr std::size_t kAllFiles = 8;
  if (dot == std::string_view::npos || name.size() - dot < 2) return kAllFiles;
  std::string ext(name.substr(dot, 5));
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  // The extensions of each filter entry, in the filter's order.
  constexpr std::string_view kExtensions[] = {".kar", ".st3", ".mi;.mid;.midi", ".rmi",
                                              ".wma", ".mp3", ".kfn",           ".mpg;.mpeg"};
  for (std::size_t i = 0; i < std::size(kExtensions); ++i) {
    if (kExtensions[i].find(ext) != std::string_view::npos) return i;
  }
  return kAllFiles;
}

tLostFiles::tLostFiles(LostFilesServices services)
    : m_services(std::move(services)), m_browseFolder(m_services.songsFolder) {
  if (!m_services.readRecord) {
    UserInteraction& user = m_services.user;
    m_services.readRecord = [&user](const std::string& path, tSongRecord& record) {
      return ReadSongRecord(path, record, user);
    };
  }
  if (!m_services.inspect) {
    UserInteraction& user = m_services.user;
    m_services.inspect = [&user](const std::string& path) {
      InfoLines lines;
      InspectSongFile(path, lines, user);
      return lines;
    };
  }
  m_services.catalogue.AddObserver(*this);
}

tLostFiles::~tLostFiles() {
  m_moved.reset();
  m_services.catalogue.RemoveObserver(*this);
}

// ---------------------------------------------------------------------------------------------
// Counting and showing

void tLostFiles::Open() {
  Count();
}

void tLostFiles::Count() {
  m_lost =
      FindLostSongs(m_services.catalogue.Songs(), *m_services.files, m_services.volumes, ignore);
  if (m_lost.empty()) m_services.user.ShowInformation(kNoLostFilesMessage);
  m_position = 0;
  Show();
  SetStatus("There are " + std::to_string(m_lost.size()) + " lost files in the songlist");
}

const tSong* tLostFiles::Current() const {
  return m_position < m_lost.size() ? m_lost[m_position].song : nullptr;
}

void tLostFiles::Show() {
  m_candidateVisible = false;
  m_acceptEnabled = false;
  m_fileChosen = false;
  if (const tSong* song = Current()) m_candidate = song->Record();
}

void tLostFiles::AfterShrinking() {
  if (m_position >= m_lost.size() && m_position > 0) m_position = m_lost.size() - 1;
  Show();
  SetStatus("There are " + std::to_string(m_lost.size()) + " lost files in the songlist");
}

void tLostFiles::SetStatus(std::string text) {
  m_status = std::move(text);
  if (m_services.statusChanged) m_services.statusChanged();
}

std::string tLostFiles::FileEditText() const {
  const tSong* song = Current();
  return song ? std::string(song->Record().FileName()) : std::string(kNoMissingSongs);
}

std::string tLostFiles::TitleLabel() const {
  const tSong* song = Current();
  return song ? "Title: " + song->Record().Title() : std::string();
}

std::string tLostFiles::ArtistLabel() const {
  const tSong* song = Current();
  return song ? "Artist: " + song->Record().Artist() : std::string();
}

int tLostFiles::LostIcon() const {
  const tSong* song = Current();
  return song ? TypePictureIndex(song->Record(), false) : kUnknownTypePicture;
}

std::string tLostFiles::ActionLabel() const {
  return std::string(Current() ? kSelectAnAction : kNothingToDo);
}

// ---------------------------------------------------------------------------------------------
// The candidate

std::string tLostFiles::InternalFormatLabel() const {
  const std::uint8_t format = m_newRecord.InternalFormat();
  if (format == 0) return "Internal format :";
  return "Internal format: " + std::string(SongTypeName(format));
}

std::string tLostFiles::LyricsLabel() const {
  return m_newRecord.HasLyrics() ? "Has lyrics" : "Without lyrics";
}

int tLostFiles::CandidateIcon() const {
  return TypePictureIndex(m_candidate, true);
}

std::string tLostFiles::TitleChoiceCaption(RecordSource source) const {
  if (source == RecordSource::NewFile) return NewTitle();
  const tSong* song = Current();
  return song ? song->Record().Title() : std::string();
}

std::string tLostFiles::ArtistChoiceCaption(RecordSource source) const {
  if (source == RecordSource::NewFile) return NewArtist();
  const tSong* song = Current();
  return song ? song->Record().Artist() : std::string();
}

void tLostFiles::SetTitleSource(RecordSource source) {
  m_titleSource = source;
  ApplyTitleChoice();
}

void tLostFiles::SetArtistSource(RecordSource source) {
  m_artistSource = source;
  ApplyArtistChoice();
}

namespace {

// A field of the candidate taken from the chosen file ("?" when the file has none) or from the
// lost song's record; the record cuts it to the field's length.
void TakeField(tSongRecord& candidate, TextField field, RecordSource source,
               const tSongRecord& newFile, const tSongRecord& lost) {
  if (source == RecordSource::NewFile) {
    const std::string_view text = newFile.RawText(field);
    candidate.SetRawText(field, text.empty() ? std::string_view("?") : text);
  } else {
    candidate.SetRawText(field, lost.RawText(field));
  }
}

}  // namespace

void tLostFiles::ApplyTitleChoice() {
  // Before a file is chosen there is no new title to take.
  const tSong* song = Current();
  if (!song || !m_fileChosen) return;
  TakeField(m_candidate, TextField::Title, m_titleSource, m_newRecord, song->Record());
}

void tLostFiles::ApplyArtistChoice() {
  const tSong* song = Current();
  if (!song || !m_fileChosen) return;
  TakeField(m_candidate, TextField::Artist, m_artistSource, m_newRecord, song->Record());
}

FileDialogRequest tLostFiles::LocateRequest() const {
  FileDialogRequest request;
  request.title = kLocateSongFileTitle;
  request.filters = LocateSongFilters();
  if (const tSong* song = Current()) {
    request.selectedFilter = LocateFilterIndex(song->Record().FileName());
  }
  request.folder = m_browseFolder;
  return request;
}

void tLostFiles::Browse() {
  if (!Current()) return;
  const std::optional<std::string> chosen = m_services.user.AskOpenFile(LocateRequest());
  if (!chosen) return;
  // From now on the dialog starts where the user last was.
  m_browseFolder.clear();
  if (m_services.catalogue.Songs().FindByFileName(*chosen)) {
    m_services.user.ShowInformation(*chosen + std::string(kAlreadyListedSuffix));
    return;
  }
  tSongRecord read;
  const SongReadStatus status = m_services.readRecord(*chosen, read);
  if (status == SongReadStatus::Missing || status == SongReadStatus::Unreadable) return;
  m_newRecord = read;
  m_fileChosen = true;
  m_candidate.SetFileName(*chosen);
  ApplyTitleChoice();
  ApplyArtistChoice();
  m_candidate.SetInternalFormat(read.InternalFormat());
  const std::uint8_t format = read.InternalFormat();
  // Only these formats tell from their content whether they carry lyrics; for the others the
  // lost record knows best.
  const bool told = format == kSongTypeKar || format == kSongTypeSt3 || format == kSongTypeRmid;
  m_candidate.SetHasLyrics(told ? read.HasLyrics() : Current()->Record().HasLyrics());
  m_candidate.SetFileType(read.FileType());
  m_newFileName = *chosen;
  m_tagInformation = m_services.inspect(*chosen);
  m_candidateVisible = true;
  m_acceptEnabled = true;
  m_matchPathsEnabled = true;
}

// ---------------------------------------------------------------------------------------------
// Actions

void tLostFiles::Accept() {
  if (!m_acceptEnabled || m_position >= m_lost.size()) return;
  tSong* song = m_lost[m_position].song;
  // The record editor may have pointed the candidate at another file meanwhile.
  const tSong* holder = m_services.catalogue.Songs().FindByFileName(m_candidate.FileName());
  if (holder && holder != song) {
    m_services.user.ShowInformation(std::string(m_candidate.FileName()) +
                                    std::string(kAlreadyListedSuffix));
    return;
  }
  m_services.catalogue.ChangeRecord(*song, m_candidate);
  m_services.catalogue.SetModified(true);
  m_lost.erase(m_lost.begin() + static_cast<std::ptrdiff_t>(m_position));
  AfterShrinking();
}

void tLostFiles::RemoveIt() {
  const tSong* song = Current();
  if (!song) return;
  // The catalogue's notice takes the song off the list.
  m_services.catalogue.Remove(song);
  AfterShrinking();
}

void tLostFiles::RemoveAll() {
  if (m_lost.empty()) return;
  if (m_services.user.ShowMessage(MessageKind::Confirmation, kRemoveAllQuestion,
                                  {Button::Yes, Button::No}) == Button::Yes) {
    std::vector<const tSong*> songs;
    for (const LostSong& song : m_lost) songs.push_back(song.song);
    // The catalogue's notices take the songs off the list.
    m_services.catalogue.Remove(songs);
  }
  AfterShrinking();
}

void tLostFiles::IgnoreIt() {
  if (m_lost.empty()) return;
  if (m_position + 1 >= m_lost.size()) {
    m_services.user.ShowInformation(kLastLostFileMessage);
    return;
  }
  ++m_position;
  Show();
}

void tLostFiles::MatchPaths() {
  if (!MatchPathsEnabled() || !m_services.askMatchPaths) return;
  const std::optional<PathMatchTexts> texts = m_services.askMatchPaths(
      {std::string(SongFolderPart(FileEditText())), std::string(SongFolderPart(m_newFileName))});
  if (!texts || texts->replacement.empty()) return;
  if (m_services.user.ShowMessage(MessageKind::Confirmation,
                                  PathMatchQuestion(texts->find, texts->replacement),
                                  {Button::Yes, Button::No}) != Button::Yes) {
    return;
  }
  SetStatus(std::string(kMatchingPathsStatus));
  MatchLostPaths(m_services.catalogue, m_lost, texts->find, texts->replacement, *m_services.files);
  m_matchPathsEnabled = false;
  SetStatus({});
  Count();
}

void tLostFiles::ViewEditCandidate() {
  if (!Current() || !m_services.showSongRecord) return;
  tSongRecord record = m_candidate;
  std::string lastFolder(SongFolderPart(record.FileName()));
  if (!m_services.showSongRecord(record, kEditable | kExisting, lastFolder)) return;
  m_candidate = record;
  if (m_candidateVisible && m_newFileName != m_candidate.FileName()) {
    m_newFileName = m_candidate.FileName();
    m_tagInformation = m_services.inspect(m_newFileName);
  }
}

void tLostFiles::ViewLostRecord() {
  const tSong* song = Current();
  if (!song || !m_services.showSongRecord) return;
  tSongRecord record = song->Record();
  std::string lastFolder(SongFolderPart(record.FileName()));
  m_services.showSongRecord(record, kExisting, lastFolder);
}

void tLostFiles::ViewCandidate() {
  if (!m_candidateVisible || !m_services.showSongRecord) return;
  tSongRecord record = m_candidate;
  std::string lastFolder(SongFolderPart(record.FileName()));
  m_services.showSongRecord(record, kExisting, lastFolder);
}

// ---------------------------------------------------------------------------------------------
// Find moved files

tMovedFiles& tLostFiles::FindMovedFiles(const std::string& folder) {
  m_moved.reset();
  m_moved = std::make_unique<tMovedFiles>(m_services.catalogue, m_services.files, folder, m_lost);
  return *m_moved;
}

std::size_t tLostFiles::AcceptMovedFiles() {
  if (!m_moved) return 0;
  const std::size_t changed = m_moved->Accept();
  m_moved.reset();
  if (changed > 0) m_services.catalogue.SetModified(true);
  Count();
  return changed;
}

// ---------------------------------------------------------------------------------------------

void tLostFiles::CatalogueChanged(const CatalogueNotice& notice) {
  if (notice.change == CatalogueChange::Replacing) {
    m_lost.clear();
    m_position = 0;
    Show();
  } else if (notice.change == CatalogueChange::Removing) {
    // From the back: Remove all takes the last song first.
    const auto found = std::find_if(m_lost.rbegin(), m_lost.rend(), [&](const LostSong& entry) {
      return entry.song == notice.song;
    });
    if (found == m_lost.rend()) return;
    const auto index = static_cast<std::size_t>(std::distance(found, m_lost.rend()) - 1);
    m_lost.erase(m_lost.begin() + static_cast<std::ptrdiff_t>(index));
    if (index < m_position) {
      --m_position;
    } else if (index == m_position) {
      if (m_position >= m_lost.size() && m_position > 0) m_position = m_lost.size() - 1;
      Show();
    }
  }
}

}  // namespace tunedex
