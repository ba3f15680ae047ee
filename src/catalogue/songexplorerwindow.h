// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "catalogue/explorersettings.h"
#include "catalogue/songexplorer.h"
#include "catalogue/songfileoperations.h"
#include "inspect/bytes.h"

namespace tunedex {

inline constexpr int kExplorerHelpTopic = 7000;

// The files Cut or Copy took, until a paste or a drop uses them. Nothing goes on the
// desktop's clipboard.
struct tExplorerClipboard {
  std::vector<std::string> files;  // the songs' paths; companions are taken when pasting
  bool move = false;
  std::string sourceFolder;  // with a trailing "/"

  bool Empty() const { return files.empty(); }
};

// The keys the Song Explorer sees before its controls.
enum class ExplorerKey { Delete, ShiftDelete, CtrlC, CtrlV, CtrlX, Other };

// The Song Explorer window's commands over its list: the information box, deleting and
// trashing the selected files, renaming one in place, Cut, Copy and Paste, dropping the
// selection on a folder of the tree, the window's keys and its settings.
class tSongExplorerWindow {
 public:
  // Fills the information box's lines for a file; the real one inspects the file's tags.
  using Inspector = std::function<void(const std::string& path, InfoLines& lines)>;

  struct Services {
    tSongExplorer::Services list;
    Inspector inspect = {};  // empty: InspectSongFile over the disk
  };

  explicit tSongExplorerWindow(Services services);

  tSongExplorer& List() { return m_list; }
  const tSongExplorer& List() const { return m_list; }

  // The folder the window opens at: the given one when it is a folder, else the program's.
  std::string StartFolder(const std::string& given, const std::string& programFolder);

  // The information box's lines for the item at the remembered position.
  InfoLines Info();

  void Delete();
  void Trash();
  // Renames the item at index in place; false (the caller puts the old name back and beeps)
  // when the file was not renamed.
  bool Rename(std::size_t index, const std::string& newName);
  void Cut();
  void Copy();
  // Copies or moves the clipboard's files into destination (the tree's folder) and empties
  // the clipboard.
  void Paste(const std::string& destination);
  // The selection dropped on a folder of the tree: moved, or copied when copy is set.
  void Drop(const std::string& target, bool copy);
  const tExplorerClipboard& Clipboard() const { return m_clipboard; }

  // Del sends to the trash, Ctrl+C, Ctrl+V and Ctrl+X use the clipboard; not while a name is
  // being edited. True when the key was used up.
  bool Key(ExplorerKey key, bool editingName);

  // The "Explorer" section of the settings file; a file that cannot be read gives the
  // defaults, one that cannot be written is told as a warning.
  tExplorerSettings ReadSettings(const std::string& settingsPath);
  bool WriteSettings(const std::string& settingsPath, const tExplorerSettings& settings);

 private:
  std::vector<std::string> SelectedPaths() const;
  void TakeSelection(bool move);
  void Transfer(const std::vector<std::string>& files, const std::string& folder, bool move);
  void SyncPaste() { m_list.SetPasteAvailable(!m_clipboard.Empty()); }

  Services m_services;
  tSongExplorer m_list;
  tSongFileOperations m_operations;
  tExplorerClipboard m_clipboard;
};

}  // namespace tunedex
