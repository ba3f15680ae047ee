// SPDX-License-Identifier: GPL-3.0-or-later
// tunedex-cli: the Tunedex catalogue without a window.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/consoleuser.h"
#include "cli/reportcommand.h"
#include "common/fileio.h"

namespace {

constexpr const char* kUsage =
    "Usage: tunedex-cli COMMAND [ARGUMENTS] [--settings FILE] [--answer BUTTON]\n"
    "\n"
    "Commands:\n"
    "  list DB [--view all|custom|english|other|new] [--custom-code CODE]\n"
    "          [--sort id|title|artist|-id|-title|-artist] [--find TEXT]\n"
    "      Print the songs of a catalogue, one line each, fields separated by TAB:\n"
    "      ID code, title, artist, language, file name, file type, detected format,\n"
    "      lyrics (0/1), notes.\n"
    "  info DB\n"
    "      Print the number of songs and the catalogue's sort code.\n"
    "  inspect FILE\n"
    "      Print what a song file is and what its tags say. Exit status 0 when the\n"
    "      format was recognised, 1 when not, 2 when the file cannot be read.\n"
    "  record FILE\n"
    "      Print the song record that adding the file would make.\n"
    "  scan DB PATH... [--types kar,st3,midi,mp3,wma,kfn,mpeg]\n"
    "  scan DB --computer [--types ...]\n"
    "      Search the folders, or every ready volume of the computer, for song files\n"
    "      of the chosen types (all by default) and add those the catalogue DB does\n"
    "      not hold (DB is created when missing).\n"
    "  files rename DB OLD NEW\n"
    "  files move DB FILE... FOLDER\n"
    "  files copy DB FILE... FOLDER\n"
    "  files delete DB FILE...\n"
    "  files trash DB FILE... [--no-cdg]\n"
    "      Rename, move, copy, delete or send to the Trash song files and keep the\n"
    "      catalogue DB in step (a moved or renamed file's song takes the new name, a\n"
    "      deleted file's song goes). The \".cdg\" file beside an MP3 or WMA song goes\n"
    "      along unless --no-cdg. An existing file is replaced only with --answer yes\n"
    "      or yestoall (a rename that changes the song type too). One line per file\n"
    "      done; exit status 1 when some failed, 2 for bad input (nothing touched).\n"
    "  lost DB [--ignore removable,remote,ram]\n"
    "      Print the songs whose files cannot be found, one per line: ID code, file\n"
    "      name and why (missing, volume not ready, Windows path); the count last.\n"
    "      --ignore leaves out the songs of volumes of those kinds that are not\n"
    "      ready (removable includes optical discs).\n"
    "  match-paths DB FIND REPLACEMENT\n"
    "      Replace FIND by REPLACEMENT in the folders of the lost songs' paths and\n"
    "      keep the new path of each song whose file is there (\"D:\\Karaoke\" to\n"
    "      \"/home/me/Karaoke\" moves a Windows catalogue here). Saves DB when any\n"
    "      song was repaired.\n"
    "  relink DB FOLDER [--apply]\n"
    "      Search FOLDER for the lost songs' files by name (ignoring case) and print\n"
    "      the songs whose name occurs there once, and apart the names found more\n"
    "      than once; --apply points the songs at their files and saves DB.\n"
    "  volumes\n"
    "      Print the volumes songs may be kept on, one per line: mount point, kind\n"
    "      (fixed, removable, optical, remote, ram), file system, label, and \"ready\"\n"
    "      or \"not answering\" (asked within about two seconds).\n"
    "  windows\n"
    "      Print every top-level window of the X display: its id, then its class and\n"
    "      caption as a player's window is configured (\"class\"; \"caption\").\n"
    "  play FILE\n"
    "      Hand the song to the player set for its type in the settings file. Exit\n"
    "      status 0 when a player got the song.\n"
    "  playlist show|check TDP --db DB\n"
    "  playlist add TDP --db DB [--singer S] [--at end|next|fair] [--current N] FILE...\n"
    "      Print a playlist's items, check their song files and players, or add\n"
    "      items for songs of DB (see README).\n"
    "  report DB [--view V] [--custom-code CODE] [--sort S] [--find TEXT] [--title TEXT]\n"
    "            (-o FILE.txt | --pdf FILE.pdf [--layout list|by-artist|by-title])\n"
    "      Write the shown songs as the print preview's text report (UTF-8, CR LF),\n"
    "      or as a printed list or a songbook by artist or by title in PDF.\n"
    "\n"
    "Options:\n"
    "  --settings FILE   use this settings file instead of the usual one\n"
    "  --answer BUTTON   answer questions with this button when offered (yes, no, ok,\n"
    "                    cancel, ...); otherwise each question gets its first button\n"
    "  --help            show this text\n"
    "\n"
    "Exit status: 0 on success, 2 when the input is bad (a missing or unreadable file,\n"
    "a file that is not a catalogue, wrong arguments), 1 when the work failed (an error\n"
    "was reported, or the output could not be written).\n";

int RunCommand(const std::string& command, const tunedex::cli::Arguments& arguments,
               tunedex::cli::ConsoleUser& user) {
  using namespace tunedex::cli;
  if (command == "list") return RunList(arguments, user, stdout);
  if (command == "info") return RunInfo(arguments, user, stdout);
  if (command == "inspect") return RunInspect(arguments, user, stdout);
  if (command == "record") return RunRecord(arguments, user, stdout);
  if (command == "scan") return RunScan(arguments, user, stdout);
  if (command == "files") return RunFiles(arguments, user, stdout);
  if (command == "lost") return RunLost(arguments, user, stdout);
  if (command == "match-paths") return RunMatchPaths(arguments, user, stdout);
  if (command == "relink") return RunRelink(arguments, user, stdout);
  if (command == "windows") return RunWindows(arguments, user, stdout);
  if (command == "volumes") return RunVolumes(arguments, user, stdout);
  if (command == "play") return RunPlay(arguments, user, stdout);
  if (command == "playlist") return RunPlaylist(arguments, user, stdout);
  if (command == "report") return RunReport(arguments, user, stdout);
  throw UsageError("unknown command " + command);
}

// The status once everything is written: a command that reported an error has failed even when
// it went on to the end, and so has one whose output did not all reach standard output (a full
// disk, /dev/full, a closed descriptor), which is reported here.
int Finished(int status, const tunedex::cli::ConsoleUser* user = nullptr) {
  using namespace tunedex::cli;
  // A write that failed before now (a long text overflowing the stream's buffer) left its
  // reason in errno; the flush below tells only of the bytes still buffered.
  const int earlier = errno;
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    const int error = errno != 0 ? errno : earlier;
    std::fprintf(stderr, "tunedex-cli: cannot write the output: %s\n",
                 error != 0 ? std::strerror(error) : "write error");
    return status == kExitOk ? kExitFailed : status;
  }
  if (status == kExitOk && user != nullptr && user->ErrorsShown() > 0) return kExitFailed;
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tunedex;
  using namespace tunedex::cli;
  std::vector<std::string> words(argv + 1, argv + argc);
  if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    std::fputs(kUsage, words.empty() ? stderr : stdout);
    return Finished(words.empty() ? kExitBadInput : kExitOk);
  }
  const std::string command = words[0];
  words.erase(words.begin());
  try {
    const Arguments arguments(words, {"help", "no-cdg", "computer", "apply"});
    if (arguments.Flag("help")) {
      std::fputs(kUsage, stdout);
      return Finished(kExitOk);
    }
    std::optional<Button> preferred;
    if (const auto answer = arguments.Option("answer")) {
      preferred = ButtonFromName(*answer);
      if (!preferred) throw UsageError("unknown button " + *answer);
    }
    ConsoleUser user(stderr, preferred);
    return Finished(RunCommand(command, arguments, user), &user);
  } catch (const UsageError& error) {
    std::fprintf(stderr, "tunedex-cli: %s\nTry 'tunedex-cli --help'.\n", error.what());
    return kExitBadInput;
  } catch (const FileError& error) {
    std::fprintf(stderr, "tunedex-cli: %s\n", error.what());
    return kExitBadInput;
  } catch (const std::bad_alloc&) {
    // Nothing of the program's own stops an exception before here: each ends as a message.
    std::fprintf(stderr, "tunedex-cli: %s\n", std::strerror(ENOMEM));
    return kExitBadInput;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "tunedex-cli: %s\n", error.what());
    return kExitBadInput;
  } catch (...) {
    std::fputs("tunedex-cli: unexpected error\n", stderr);
    return kExitBadInput;
  }
}
