// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "common/filesystem.h"
#include "common/userinteraction.h"
#include "common/volumes.h"

class QWidget;

// What the catalogue window hands the Lost Files window. Kept apart from the window's own
// header, which brings the lost-files rules with it, so that the catalogue window needs none
// of them.

namespace tunedex {

class tCatalogue;
class tMovedFiles;
class tSongRecord;
struct PathMatchTexts;

struct LostFilesContext {
  tCatalogue& catalogue;
  // A search for moved files runs on a thread of its own that may outlive the window when a
  // call never returns.
  std::shared_ptr<FileSystem> files;
  std::shared_ptr<Volumes> volumes;
  UserInteraction& user;
  std::string songsFolder = {};
  // The song record editor: true when it closed with OK and something changed.
  std::function<bool(tSongRecord& record, int mode, std::string& lastFolder)> showSongRecord = {};
  std::function<void(int topic)> help = {};
  // The folder "Find moved files..." searches; a folder dialog when absent.
  std::function<std::optional<std::string>(QWidget* parent, const std::string& start)>
      chooseFolder = {};
  // The two texts of path matching; the path-matching dialog when absent.
  std::function<std::optional<PathMatchTexts>(QWidget* parent, const PathMatchTexts& texts)>
      askMatchPaths = {};
  // The review of what the search found: true to make the ticked proposals; the review dialog
  // when absent.
  std::function<bool(QWidget* parent, tMovedFiles& moved)> reviewMovedFiles = {};
};

// Runs the Lost Files window modally.
void RunLostFiles(QWidget* parent, LostFilesContext context);

}  // namespace tunedex
