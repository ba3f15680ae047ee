// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace tunedex {

inline constexpr std::string_view kLostFilesTitle = "Lost Files";
inline constexpr int kLostFilesHelpTopic = 10000;

// The Lost Files window's controls that have a caption or a hint of their own.
enum class LostFilesControl {
  FileLabel,           // "The file:"
  FileEdit,            // the lost song's file name
  TitleLabel,          // "Title: ..."
  ArtistLabel,         // "Artist: ..."
  LostIcon,            // the song type's missing-file picture
  NotFoundLabel,       // "can no longer be found on this computer"
  ActionLabel,         // "Select an action ..." or "Nothing to do"
  NewFileLabel,        // "New file name:"
  NewFileEdit,         // the chosen file's name
  NewTitle,            // the chosen file's title
  NewArtist,           // the chosen file's artist
  InternalFormat,      // "Internal format: ..."
  Lyrics,              // "Has lyrics" or "Without lyrics"
  TagInformation,      // the chosen file's tags
  CandidateIcon,       // the chosen file's not-in-catalogue picture
  TitleChoice,         // "Use Title"
  ArtistChoice,        // "Use Artist"
  FromExistingRecord,  // the caption beside each group's first button
  FromNewFile,         // the caption beside each group's second button
  Actions,             // "Action to be taken:"
  RemoveIt,
  Browse,
  Accept,
  ViewEdit,
  RemoveAll,
  IgnoreIt,
  MatchPaths,
  Refresh,
  FindMovedFiles,
  IgnoreGroup,  // "Ignore files on"
  IgnoreRemovable,
  IgnoreRemote,
  IgnoreRam,
  Help,
  Close,
};

struct LostFilesControlText {
  std::string_view caption;  // empty for controls whose text is the data they show
  std::string_view hint;
};

LostFilesControlText TextOf(LostFilesControl control);

// The texts the window shows as its state changes.
inline constexpr std::string_view kNoLostFilesMessage = "The database contains no lost files";
inline constexpr std::string_view kAlreadyListedSuffix = " is already listed in the database";
inline constexpr std::string_view kLastLostFileMessage = "This was the last lost file";
inline constexpr std::string_view kRemoveAllQuestion =
    "Remove records for all lost files\rAre you sure?";
inline constexpr std::string_view kNoMissingSongs = "No missing songs";
inline constexpr std::string_view kNothingToDo = "Nothing to do";
inline constexpr std::string_view kSelectAnAction =
    "Select an action by clicking on one of the buttons";
inline constexpr std::string_view kLocateSongFileTitle = "Locate Song file";

}  // namespace tunedex
