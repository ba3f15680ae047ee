// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistcheck.h"

#include <string>

#include "common/recordtext.h"
#include "song/songtype.h"

namespace tunedex {

bool PlayerAvailable(const tSong& song, const tPlayerOptionSet& players, FileSystem& files,
                     ProgramStarter& programs) {
  const std::uint8_t type = song.Record().FileType();
  std::string program = OptionsForSongType(players, type).PlayerFile;
  if (program.empty()) program = programs.AssociatedProgram(AssociatedProgramExtension(type));
  return !program.empty() && files.FileExists(program);
}

bool CheckPlayListAvailability(const tPlayList& list, const tPlayerOptionSet& players,
                               FileSystem& files, ProgramStarter& programs, UserInteraction& user) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const tSong& song = *list.Item(i).Song;
    const std::string raw(song.Record().FileName());
    const std::string name = DecodeRecordText(raw);
    const std::string number = std::to_string(i + 1);
    if (!files.FileExists(raw)) {
      user.ShowError("Cannot find song file " + name + "\r\tfor song " + name + "\r(Item " +
                     number + ").\r\rPlease select another song.");
      return false;
    }
    if (!PlayerAvailable(song, players, files, programs)) {
      user.ShowInformation(
          "A suitable player has not been chosen for song \r" + name + "\r(Item " + number +
          ", type " + std::string(SongTypeName(song.Record().FileType())) +
          ").\r\rPlease use Options|Players to select a suitable player for this song-type.");
      return false;
    }
  }
  user.ShowInformation("The check has been successful.\rAll song files and players are available.");
  return true;
}

}  // namespace tunedex
