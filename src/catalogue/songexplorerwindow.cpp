// SPDX-License-Identifier: GPL-3.0-or-later
#include "songexplorerwindow.h"

#include "common/fileio.h"
#include "common/inifile.h"
#include "inspect/songfilereader.h"

namespace tunedex {

tSongExplorerWindow::tSongExplorerWindow(Services services)
    : m_services(std::move(services)),
      m_list(m_services.list),
      m_operations(m_services.list.catalogue, m_services.list.files, m_services.list.user) {
  if (!m_services.inspect) {
    UserInteraction& user = m_services.list.user;
    m_services.inspect = [&user](const std::string& path, InfoLines& lines) {
      InspectSongFile(path, lines, user);
    };
  }
}

std::string tSongExplorerWindow::StartFolder(const std::string& given,
                                             const std::string& programFolder) {
  if (!given.empty() && m_services.list.files.FolderExists(given)) return given;
  return programFolder;
}

InfoLines tSongExplorerWindow::Info() {
  InfoLines lines;
  const std::optional<std::size_t> position = m_list.Position();
  if (position && *position < m_list.Items().size()) {
    m_services.inspect(m_list.PathOf(*position), lines);
  }
  return lines;
}

std::vector<std::string> tSongExplorerWindow::SelectedPaths() const {
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < m_list.Items().size(); ++i) {
    if (m_list.Items()[i].selected) paths.push_back(m_list.PathOf(i));
  }
  return paths;
}

void tSongExplorerWindow::Delete() {
  const std::vector<std::string> paths = SelectedPaths();
  if (paths.empty()) return;
  const FileOperationReport report = m_operations.Delete(paths);
  if (!report.declined) m_list.Refresh();
}

void tSongExplorerWindow::Trash() {
  const std::vector<std::string> paths = SelectedPaths();
  if (paths.empty()) return;
  const FileOperationReport report = m_operations.Trash(paths);
  if (!report.done.empty()) m_list.Refresh();
}

bool tSongExplorerWindow::Rename(std::size_t index, const std::string& newName) {
  if (index >= m_list.Items().size()) return false;
  const tExplorerItem& item = m_list.Items()[index];
  if (newName == item.caption) return true;
  const FileOperationReport report =
      m_operations.Rename(m_list.PathOf(index), newName, item.record, true);
  // The song file is the first file done; a companion that could not follow is told.
  if (report.done.empty()) return false;
  m_list.ItemRenamed(index, newName);
  return true;
}

void tSongExplorerWindow::TakeSelection(bool move) {
  m_clipboard.files = SelectedPaths();
  m_clipboard.move = move;
  m_clipboard.sourceFolder = m_list.Folder();
  if (!m_clipboard.sourceFolder.empty() && m_clipboard.sourceFolder.back() != '/') {
    m_clipboard.sourceFolder += '/';
  }
  SyncPaste();
}

void tSongExplorerWindow::Cut() {
  TakeSelection(true);
}

void tSongExplorerWindow::Copy() {
  TakeSelection(false);
}

void tSongExplorerWindow::Transfer(const std::vector<std::string>& files, const std::string& folder,
                                   bool move) {
  if (files.empty() || folder.empty()) return;
  const FileOperationReport report =
      move ? m_operations.Move(files, folder) : m_operations.Copy(files, folder);
  // What was done shows, also when the rest failed or was cancelled. The list shows the
  // tree's folder, which a paste goes into and a drop may leave.
  if (!report.done.empty()) m_list.Refresh();
}

void tSongExplorerWindow::Paste(const std::string& destination) {
  const tExplorerClipboard clipboard = std::move(m_clipboard);
  m_clipboard = {};
  SyncPaste();
  Transfer(clipboard.files, destination, clipboard.move);
}

void tSongExplorerWindow::Drop(const std::string& target, bool copy) {
  m_clipboard = {};
  SyncPaste();
  Transfer(SelectedPaths(), target, !copy);
}

bool tSongExplorerWindow::Key(ExplorerKey key, bool editingName) {
  if (editingName) return false;
  switch (key) {
    case ExplorerKey::Delete:
      Trash();
      return true;
    case ExplorerKey::ShiftDelete:
      Delete();
      return true;
    case ExplorerKey::CtrlC:
      Copy();
      return true;
    case ExplorerKey::CtrlV:
      Paste(m_list.Folder());
      return true;
    case ExplorerKey::CtrlX:
      Cut();
      return true;
    case ExplorerKey::Other:
      break;
  }
  return false;
}

tExplorerSettings tSongExplorerWindow::ReadSettings(const std::string& settingsPath) {
  try {
    return ReadExplorerSettings(tIniFile::Load(settingsPath));
  } catch (const FileError&) {
    return {};  // the defaults; the catalogue window tells of a settings file it cannot read
  }
}

bool tSongExplorerWindow::WriteSettings(const std::string& settingsPath,
                                        const tExplorerSettings& settings) {
  try {
    tIniFile ini = tIniFile::Load(settingsPath);
    WriteExplorerSettings(ini, settings);
    ini.Save(settingsPath);
  } catch (const FileError& error) {
    m_services.list.user.ShowWarning(std::string("The settings were not saved.\r") + error.what());
    return false;
  }
  return true;
}

}  // namespace tunedex
