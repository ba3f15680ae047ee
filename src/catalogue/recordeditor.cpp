// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordeditor.h"

#include "catalogue/songfilerename.h"
#include "catalogue/songviews.h"
#include "common/collation.h"
#include "common/fileio.h"
#include "common/recordtext.h"
#include "inspect/songfilereader.h"
#include "song/songtype.h"

namespace tunedex {

std::vector<FileFilter> SongFileFilters() {
  return {{"Song files",
           {"*.kar", "*.st3", "*.mi*", "*.mid", "*.midi", "*.rmi*", "*.mp3", "*.wma", "*.kfn",
            "*.mpg", "*.mpeg"}},
          {"Karaoke MIDI files", {"*.kar"}},
          {"STAR DATA files", {"*.st3"}},
          {"MIDI files", {"*.mi*", "*.mid", "*.midi", "*.rmi*"}},
          {"MP3 files", {"*.mp3"}},
          {"WMA files", {"*.wma"}},
          {"KaraFun karaoke files", {"*.kfn"}},
          {"Miscellaneous MPEG", {"*.mpg", "*.mpeg"}}};
}

int EditFieldLimit(TextField field) {
  return static_cast<int>(tSongRecord::MaxLength(field));
}

std::string EditFieldHint(TextField field) {
  const std::string limit = std::to_string(EditFieldLimit(field));
  switch (field) {
    case TextField::IdCode:
      return "ID code (up to " + limit + " characters)";
    case TextField::Title:
      return "Song Title";
    case TextField::Artist:
      return "Artist";
    case TextField::Language:
      return limit + "-letter language code";
    case TextField::Notes:
      return "Your notes (up to " + limit + " characters)";
    case TextField::FileName:
      break;
  }
  return "Full file-name and path for song";
}

tSongRecordEditor::tSongRecordEditor(RecordEditorContext context, const tSongRecord& record,
                                     int mode, std::string lastFolder)
    : m_context(std::move(context)),
      m_mode(mode),
      m_openingMode(mode),
      m_lastFolder(std::move(lastFolder)) {
  if (mode != kEditable) {
    m_position = m_context.view.IndexOfFileName(record);
    Load(record);
    m_previousFileName = m_fileName;
  }
}

std::string tSongRecordEditor::WindowTitle() const {
  switch (m_mode) {
    case 1:
      return "Song record - Add new song";
    case 2:
    case 6:
      return "Song record - View";
    case 3:
    case 7:
      return "Song record - Edit";
    default:
      return "Song record";
  }
}

std::string tSongRecordEditor::LanguageCaption(int button) const {
  switch (button) {
    case kEnglish:
      return "Eng";
    case kCustom:
      return m_context.customLanguageCode;
    default:
      return "Other";
  }
}

bool tSongRecordEditor::PlayerInFront() const {
  return m_context.players.Set().PlayerPopups.InFront(PlayerPopup::DetailsWindow);
}

void tSongRecordEditor::SetPlayerInFront(bool inFront) {
  m_context.players.Set().PlayerPopups.SetInFront(PlayerPopup::DetailsWindow, inFront);
}

void tSongRecordEditor::Load(const tSongRecord& record) {
  if (m_mode != kEditable) m_reference = record;
  m_renamedFrom.clear();
  m_fileName = std::string(record.FileName());
  idText = record.IdCode();
  title = record.Title();
  artist = record.Artist();
  otherLanguage = record.Language();
  notes = record.Notes();
  const std::string language = record.Language();
  if (EqualsIgnoringCase(language, LanguageCaption(kEnglish))) {
    languageButton = kEnglish;
  } else if (EqualsIgnoringCase(language, LanguageCaption(kCustom))) {
    languageButton = kCustom;
  } else {
    languageButton = language.empty() ? kNoLanguage : kOther;
  }
  m_fileType = record.FileType();
  m_internalFormat = record.InternalFormat();
  hasLyrics = record.HasLyrics();
  m_typeLabelsRed = m_fileType != m_internalFormat && m_fileType != kSongTypeMpeg;
  InspectFile();
}

void tSongRecordEditor::InspectFile() {
  m_info.clear();
  if (!m_fileName.empty()) InspectSongFile(m_fileName, m_info, m_context.user);
}

namespace {

// Calls each(line, line break) for every line of text; the break is CR LF, a lone CR or a lone
// LF, and empty after a last line that has none.
template <typename Each>
void SplitLines(std::string_view text, Each each) {
  while (!text.empty()) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) {
      each(text, std::string_view());
      return;
    }
    const std::size_t length = text.compare(at, 2, "\r\n") == 0 ? 2 : 1;
    each(text.substr(0, at), text.substr(at, length));
    text.remove_prefix(at + length);
  }
}

}  // namespace

std::string tSongRecordEditor::NotesForTextBox() const {
  std::string shown;
  SplitLines(notes, [&shown](std::string_view line, std::string_view lineBreak) {
    shown += line;
    if (!lineBreak.empty()) shown += '\n';
  });
  return shown;
}

void tSongRecordEditor::NotesFromTextBox(std::string_view text) {
  if (text == NotesForTextBox()) return;
  // The first line break of the stored notes, else the catalogue's CR LF.
  std::string lineBreak;
  SplitLines(notes, [&lineBreak](std::string_view, std::string_view found) {
    if (lineBreak.empty()) lineBreak = std::string(found);
  });
  if (lineBreak.empty()) lineBreak = "\r\n";
  std::string edited;
  std::size_t characters = 0;
  const std::size_t limit = tSongRecord::MaxLength(TextField::Notes);
  bool full = false;
  SplitLines(text, [&](std::string_view line, std::string_view found) {
    for (std::size_t i = 0; i < line.size() && !full; ++i) {
      // A UTF-8 character is its lead byte and the continuation bytes after it.
      if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80 && ++characters > limit) {
        full = true;
      } else {
        edited += line[i];
      }
    }
    if (found.empty() || full) return;
    if (characters + lineBreak.size() > limit) {
      full = true;
      return;
    }
    edited += lineBreak;
    characters += lineBreak.size();
  });
  notes = std::move(edited);
}

void tSongRecordEditor::SetEditTicked(bool ticked) {
  m_mode = kExisting | (ticked ? kEditable : 0) | (m_mode & kNavigator);
}

bool tSongRecordEditor::HasLyricsEnabled() const {
  return EditTicked() && m_internalFormat != kSongTypeKar && m_internalFormat != kSongTypeSt3 &&
         m_internalFormat != kSongTypeRmid;
}

bool tSongRecordEditor::PlayEnabled() const {
  return !m_fileName.empty() && FileExists(m_fileName);
}

bool tSongRecordEditor::CompleteVisible() const {
  const std::size_t length = Utf8CharacterCount(idText);
  return length >= 2 && length <= 4;
}

bool tSongRecordEditor::LastEnabled() const {
  return m_position < LastIndex();
}

std::string tSongRecordEditor::Counter() const {
  return std::to_string(m_position + 1) + "/" + std::to_string(m_context.view.Count());
}

void tSongRecordEditor::Browse() {
  FileDialogRequest request;
  request.title = "Select Song File";
  request.filters = SongFileFilters();
  request.folder = m_lastFolder;
  const std::optional<std::string> chosen = m_context.user.AskOpenFile(request);
  if (!chosen || chosen->empty()) return;
  tSongRecord record;
  ReadSongRecord(*chosen, record, m_context.user);
  const std::string code = CompleteIdCode(m_context.catalogue.Ids(), *chosen);
  m_reservedCodes.push_back(code);
  record.SetIdCode(code);
  Load(record);
  m_lastFolder = FolderPart(*chosen);
}

void tSongRecordEditor::Complete() {
  idText = CompleteIdCode(m_context.catalogue.Ids(), idText);
  m_reservedCodes.push_back(idText);
}

bool tSongRecordEditor::LeaveIdField() {
  if (!m_context.catalogue.Ids().Contains(idText)) return true;
  // A song keeps its own code, and a code this dialog gave out is the song's.
  if (idText == m_reference.IdCode()) return true;
  for (const std::string& code : m_reservedCodes) {
    if (code == idText) return true;
  }
  m_context.user.ShowError("Another song is using the ID code, " + idText);
  return false;
}

void tSongRecordEditor::Rename() {
  if (!m_context.files) return;
  const std::string name(FileNamePart(m_fileName));
  const std::string folder = FolderPart(m_fileName);
  const std::optional<std::string> answer =
      m_context.user.AskText("Rename file", "Enter new name for file " + name, name);
  const std::string before = m_fileName;
  m_previousFileName = m_fileName;
  // A name holding "/" would move the file into another folder.
  if (!answer || answer->empty() || *answer == name || answer->find('/') != std::string::npos) {
    return;
  }
  tSongRecord scratch;
  scratch.SetFileType(m_fileType);
  scratch.SetInternalFormat(m_internalFormat);
  if (!RenameSongFile(folder + name, folder + *answer, scratch, true, m_context.user,
                      *m_context.files)) {
    return;
  }
  if (m_renamedFrom.empty()) m_renamedFrom = before;
  m_fileName = folder + *answer;
  m_fileType = ExtToSongType(m_fileName);
  m_typeLabelsRed = m_fileType != m_internalFormat;
}

void tSongRecordEditor::GoTo(int index) {
  if (index < 0 || index > LastIndex()) return;
  if (m_position >= 0 && m_position <= LastIndex()) {
    const tSongRecord built = BuildRecord();
    tSong* song = m_context.view[static_cast<std::size_t>(m_position)];
    m_context.catalogue.ChangeRecord(*song, built);
  }
  m_position = index;
  Load(m_context.view[static_cast<std::size_t>(index)]->Record());
  m_previousFileName = m_fileName;
}

void tSongRecordEditor::Play() {
  if (!PlayEnabled() || !m_context.play) return;
  m_context.play(m_fileName, m_fileType, PlayerInFront());
}

std::string tSongRecordEditor::SelectedLanguage() const {
  if (languageButton == kNoLanguage) return "";
  if (languageButton == kOther) return otherLanguage;
  return LanguageCaption(languageButton);
}

bool tSongRecordEditor::Differs() const {
  const tSongRecord& r = m_reference;
  return m_fileName != m_previousFileName || idText != r.IdCode() || title != r.Title() ||
         artist != r.Artist() || SelectedLanguage() != r.Language() || notes != r.Notes() ||
         m_fileType != r.FileType() || m_internalFormat != r.InternalFormat() ||
         hasLyrics != r.HasLyrics();
}

tSongRecord tSongRecordEditor::BuildRecord() {
  tSongRecord record = m_reference;  // keeps the reserved bytes
  record.SetFileName(m_fileName);
  record.SetIdCode(idText);
  record.SetTitle(title);
  record.SetArtist(artist);
  record.SetLanguage(SelectedLanguage());
  record.SetFileType(m_fileType);
  record.SetInternalFormat(m_internalFormat);
  record.SetHasLyrics(hasLyrics);
  record.SetNotes(notes);
  if (Differs()) m_context.catalogue.SetModified(true);
  return record;
}

std::optional<std::string> tSongRecordEditor::Validate() const {
  if (m_fileName.empty()) return "Please provide a filename";
  if (idText.empty()) return "Please provide an ID code";
  if (languageButton == kOther && otherLanguage.empty()) {
    return "Please provide a 3 letter language code";
  }
  return std::nullopt;
}

tSongRecordEditor::Close tSongRecordEditor::PressOk() {
  if (!Differs()) {
    Cancel();
    return Close::Cancel;
  }
  if (const std::optional<std::string> problem = Validate()) {
    m_context.user.ShowError(*problem);
    return Close::Stay;
  }
  m_built = BuildRecord();
  if ((m_mode & (kEditable | kExisting)) == (kEditable | kExisting) && m_position >= 0 &&
      m_position <= LastIndex()) {
    m_context.catalogue.ChangeRecord(*m_context.view[static_cast<std::size_t>(m_position)],
                                     m_built);
  }
  m_closedWithOk = true;
  return Close::Ok;
}

void tSongRecordEditor::Cancel() {
  // Only a rename made in this dialog is undone: after Browse the shown file is another one.
  if (m_renamedFrom.empty() || m_renamedFrom == m_fileName) return;
  if (m_context.files->RenameWithoutReplacing(m_fileName, m_renamedFrom)) {
    m_fileName = m_renamedFrom;
    m_renamedFrom.clear();
    return;
  }
  m_context.user.ShowError("Could not undo new name (" + std::string(FileNamePart(m_fileName)) +
                           ")" + "\r" + "for file " + std::string(FileNamePart(m_renamedFrom)));
}

bool tSongRecordEditor::Result(tSongRecord& record, std::string& lastFolder) const {
  if (!m_closedWithOk) return false;
  record = m_built;
  if (m_openingMode != (kEditable | kExisting)) lastFolder = m_lastFolder;
  return true;
}

}  // namespace tunedex
