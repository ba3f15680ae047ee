// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/lostfilestexts.h"

namespace tunedex {

LostFilesControlText TextOf(LostFilesControl control) {
  using enum LostFilesControl;
  constexpr std::string_view kLostRecord = "Song record for lost file";
  constexpr std::string_view kAvailability = "Format and availability";
  switch (control) {
    case FileLabel:
      return {"The file:", kLostRecord};
    case FileEdit:
      return {"", "Filename for lost song file"};
    case TitleLabel:
    case ArtistLabel:
      return {"", kLostRecord};
    case LostIcon:
      return {"", kAvailability};
    case NotFoundLabel:
      return {"can no longer be found on this computer", kLostRecord};
    case ActionLabel:
      return {kSelectAnAction, ""};
    case NewFileLabel:
      return {"New file name:", "Full name of chosen file"};
    case NewFileEdit:
      return {"", "Full name of chosen file"};
    case NewTitle:
      return {"", "The chosen song's title"};
    case NewArtist:
      return {"", "The chosen song's artist"};
    case InternalFormat:
      return {"Internal format :", "The chosen song-files internal format"};
    case Lyrics:
      return {"", "Does the chosen song have lyrics"};
    case TagInformation:
      return {"", "Information in the chosen song-file's tags"};
    case CandidateIcon:
      return {"", kAvailability};
    case TitleChoice:
      return {"Use Title", "Which title will I use?"};
    case ArtistChoice:
      return {"Use Artist", "Which Artist will I use?"};
    case FromExistingRecord:
      return {"from existing record", ""};
    case FromNewFile:
      return {"from new file", ""};
    case Actions:
      return {"Action to be taken:", ""};
    case RemoveIt:
      return {"&Remove it", "Remove this song from the database"};
    case Browse:
      return {"Browse", "Browse for file"};
    case Accept:
      return {"Accept", "Accept changes to song record for lost song"};
    case ViewEdit:
      return {"View/Edit record", "Edit new record"};
    case RemoveAll:
      return {"Remove all", "Remove records for all lost files from database"};
    case IgnoreIt:
      return {"Ignore it", "Ignore this song"};
    case MatchPaths:
      return {"Match Paths", "Change all pathnames to match selected file"};
    case Refresh:
      return {"Refresh list", "Re-count the lost files"};
    case FindMovedFiles:
      return {"Find moved files...", "Search a folder for the lost files by their names"};
    case IgnoreGroup:
      return {"Ignore files on", ""};
    case IgnoreRemovable:
      return {"Removeable disks", ""};
    case IgnoreRemote:
      return {"Remote drives", ""};
    case IgnoreRam:
      return {"RAM disks", ""};
    case Help:
      return {"Help", "Show help for this diaog"};
    case Close:
      break;
  }
  return {"Close", "Close this dialog"};
}

}  // namespace tunedex
