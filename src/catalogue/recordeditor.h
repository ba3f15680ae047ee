// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/songlist.h"
#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "players/playeroptions.h"

namespace tunedex {

inline constexpr int kRecordEditorHelpTopic = 2000;

// Modes of the song record editor: flags that may be combined.
enum RecordEditorMode : int { kEditable = 1, kExisting = 2, kNavigator = 4 };

// What the song record editor works with besides its record.
struct RecordEditorContext {
  tSongList& view;        // the catalogue's shown songs, which the navigator steps through
  tCatalogue& catalogue;  // changes of records go through it
  std::string customLanguageCode;
  UserInteraction& user;
  tLivePlayerOptions& players;
  std::function<void(const std::string& file, std::uint8_t type, bool inFront)> play;
  FileSystem* files = nullptr;  // renames the song file; absent, Rename is not offered
};

// The song record editor's state and rules apart from its widgets. The widgets write the edit
// fields (idText, title, artist, languageButton, otherLanguage, notes, hasLyrics) and call the
// actions; they read everything else back.
class tSongRecordEditor {
 public:
  enum LanguageButton : int { kNoLanguage = -1, kEnglish = 0, kCustom = 1, kOther = 2 };
  enum class Close { Stay, Ok, Cancel };

  tSongRecordEditor(RecordEditorContext context, const tSongRecord& record, int mode,
                    std::string lastFolder);

  // Edit fields.
  std::string idText, title, artist, otherLanguage, notes;
  int languageButton = kNoLanguage;
  bool hasLyrics = false;

  int Mode() const { return m_mode; }
  std::string WindowTitle() const;
  const std::string& FileName() const { return m_fileName; }
  std::uint8_t FileType() const { return m_fileType; }
  std::uint8_t InternalFormat() const { return m_internalFormat; }
  bool TypeLabelsRed() const { return m_typeLabelsRed; }
  const std::vector<std::string>& TagInformation() const { return m_info; }
  std::string LanguageCaption(int button) const;  // "Eng", the custom code, "Other"
  int Position() const { return m_position; }
  int Count() const { return static_cast<int>(m_context.view.Count()); }
  const std::string& LastFolder() const { return m_lastFolder; }
  bool PlayerInFront() const;

  // Enabling and visibility.
  bool NavigatorVisible() const { return (m_mode & kNavigator) != 0; }
  bool EditBoxVisible() const { return m_mode != kEditable; }
  bool EditTicked() const { return (m_mode & kEditable) != 0; }
  bool BrowseEnabled() const { return (m_mode & kEditable) != 0; }
  bool FieldsEnabled() const { return EditTicked(); }
  bool HasLyricsEnabled() const;
  bool PlayEnabled() const;
  bool RenameEnabled() const {
    return m_context.files != nullptr && PlayEnabled() && BrowseEnabled();
  }
  bool OtherLanguageVisible() const { return languageButton == kOther; }
  bool CompleteVisible() const;
  bool FirstEnabled() const { return m_position >= 1; }
  bool LastEnabled() const;
  std::string Counter() const;  // "3/120"

  // Actions.
  // The notes as a text box shows them: every line break (CR LF, CR or LF) one LF.
  std::string NotesForTextBox() const;
  // The text box's notes. Text that the box was given unchanged keeps the stored notes exactly
  // (a box turns CR LF into LF); edited text takes the line breaks of the stored notes (CR LF
  // when they have none, as the catalogue's notes are written) and is cut to the notes' limit.
  void NotesFromTextBox(std::string_view text);

  void SetEditTicked(bool ticked);
  // Browse: a chosen song file fills every field, the ID code completed afresh.
  void Browse();
  void Complete();
  // Leaving the ID field: false (after the error) when another song uses the code.
  bool LeaveIdField();
  void Rename();
  void GoTo(int index);  // the navigator
  void Play();
  void SetPlayerInFront(bool inFront);

  bool Differs() const;
  tSongRecord BuildRecord();
  // The first validation message, or nothing.
  std::optional<std::string> Validate() const;
  // OK: Stay (after the message), Ok (the record is built and, when editing an existing song,
  // stored), or Cancel (nothing changed).
  Close PressOk();
  // Closing without OK: a rename is undone.
  void Cancel();

  // The outcome for the caller: true when the dialog ended with OK and a change.
  bool Result(tSongRecord& record, std::string& lastFolder) const;

 private:
  void Load(const tSongRecord& record);
  std::string SelectedLanguage() const;
  void InspectFile();
  int LastIndex() const { return static_cast<int>(m_context.view.Count()) - 1; }

  RecordEditorContext m_context;
  tSongRecord m_reference;
  int m_mode = 0;
  int m_openingMode = 0;
  std::string m_fileName;
  std::string m_previousFileName;
  int m_position = -1;
  std::string m_lastFolder;
  std::uint8_t m_fileType = 0;
  std::uint8_t m_internalFormat = 0;
  bool m_typeLabelsRed = false;
  std::vector<std::string> m_info;
  std::string m_renamedFrom;                 // the file's name before this dialog renamed it
  std::vector<std::string> m_reservedCodes;  // codes this dialog gave out
  bool m_closedWithOk = false;
  tSongRecord m_built;
};

// The longest text an edit field of the song record editor takes: the record field's maximum.
int EditFieldLimit(TextField field);
// The hint of an edit field, which tells its limit where that is news to the user.
std::string EditFieldHint(TextField field);

// The song file dialog's filters: all song files, then each kind.
std::vector<FileFilter> SongFileFilters();

}  // namespace tunedex
