// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "cli/arguments.h"
#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "common/volumes.h"
#include "song/songrecord.h"

namespace tunedex::cli {

// Exit statuses.
constexpr int kExitOk = 0;
constexpr int kExitNotRecognised = 1;
constexpr int kExitFailed = 1;  // the work failed: an error was reported or output was lost
constexpr int kExitBadInput = 2;

// tunedex-cli list DB [--view V] [--custom-code CODE] [--sort S] [--find TEXT]
int RunList(const Arguments& arguments, UserInteraction& user, std::FILE* out);
// tunedex-cli info DB
int RunInfo(const Arguments& arguments, UserInteraction& user, std::FILE* out);

// tunedex-cli inspect FILE
int RunInspect(const Arguments& arguments, UserInteraction& user, std::FILE* out);
// tunedex-cli record FILE
int RunRecord(const Arguments& arguments, UserInteraction& user, std::FILE* out);
// tunedex-cli scan DB PATH... [--types kar,st3,midi,mp3,wma,kfn,mpeg]
// tunedex-cli scan DB --computer [--types ...]
int RunScan(const Arguments& arguments, UserInteraction& user, std::FILE* out);

// The services of a scan of the Computer node.
struct ScanServices {
  std::shared_ptr<FileSystem> files;
  std::shared_ptr<Volumes> volumes;
};
// tunedex-cli scan DB --computer [--types ...]: every ready volume of the Computer node, each
// without entering the others, as the scan wizard walks them; what could not be read is named
// on standard error, and the songs found are saved all the same.
int RunComputerScan(const Arguments& arguments, UserInteraction& user, std::FILE* out,
                    const ScanServices& services);

// tunedex-cli files rename DB OLD NEW | move DB FILE... FOLDER | copy DB FILE... FOLDER |
// delete DB FILE... | trash DB FILE... [--no-cdg]
int RunFiles(const Arguments& arguments, UserInteraction& user, std::FILE* out);

// tunedex-cli lost DB [--ignore removable,remote,ram]: one line per lost song (ID code, file
// name, why), the count last.
int RunLost(const Arguments& arguments, UserInteraction& user, std::FILE* out);
// tunedex-cli match-paths DB FIND REPLACEMENT: the path-matching rule over every lost song.
int RunMatchPaths(const Arguments& arguments, UserInteraction& user, std::FILE* out);
// tunedex-cli relink DB FOLDER [--apply]: the lost songs' files found by name in FOLDER.
int RunRelink(const Arguments& arguments, UserInteraction& user, std::FILE* out);
int RunRelink(const Arguments& arguments, UserInteraction& user, std::FILE* out,
              std::shared_ptr<FileSystem> files);

// tunedex-cli windows
int RunWindows(const Arguments& arguments, UserInteraction& user, std::FILE* out);
int RunVolumes(const Arguments& arguments, UserInteraction& user, std::FILE* out);
// tunedex-cli play FILE
int RunPlay(const Arguments& arguments, UserInteraction& user, std::FILE* out);

// tunedex-cli playlist show TDP --db DB | check TDP --db DB |
//             add TDP --db DB [--singer NAME] [--at end|next|fair] [--current N] FILE...
int RunPlaylist(const Arguments& arguments, UserInteraction& user, std::FILE* out);

// One song as a line of TAB-separated fields: IdCode, Title, Artist, Language, FileName, the
// type names of FileType and InternalFormat, HasLyrics (0/1) and Notes, in UTF-8, with every
// control character inside a field (TAB, CR, LF, ESC, NUL, DEL, ...) shown as a blank.
std::string SongLine(const tSongRecord& record);

}  // namespace tunedex::cli
