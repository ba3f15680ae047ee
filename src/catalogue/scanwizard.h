// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/scanwizardsettings.h"
#include "catalogue/songexplorer.h"
#include "common/filesystem.h"
#include "common/inifile.h"
#include "common/userinteraction.h"
#include "common/volumes.h"
#include "inspect/backgroundscan.h"
#include "inspect/scanstart.h"
#include "inspect/songscan.h"
#include "players/playercontrol.h"
#include "players/playeroptions.h"

namespace tunedex {

enum class ScanWizardStep : std::uint8_t { Types = 0, Start = 1, Results = 2 };

// A type box of the first step: its caption, the types it adds and the picture beside it.
struct tScanTypeBox {
  std::string_view caption;
  ScanType type;
  int picture;
};
const std::array<tScanTypeBox, 7>& ScanTypeBoxes();

// A picture of the icon key below the results, with its label.
struct tScanIconKey {
  int picture;
  std::string_view label;
};
const std::array<tScanIconKey, 8>& ScanIconKey();

// The wizard's buttons and the parts shown per step.
struct tScanWizardControls {
  std::string_view nextCaption;  // "&Next", or "&Scan" on the start step
  std::string_view nextHint;
  bool nextEnabled = false;
  bool backEnabled = false;
  bool stopShown = false;
  bool stopEnabled = false;
  bool playerInFrontShown = false;
  bool pathLineShown = false;
  bool importEnabled = false;    // "&Import Files"
  bool problemsEnabled = false;  // "Problems...", after a scan that met any

  friend bool operator==(const tScanWizardControls&, const tScanWizardControls&) = default;
};

// The song-file scan wizard's state and rules: choosing the types and the start, the scan (run
// off the window thread; the window polls it), the results with their counter and path line,
// selection, sorting, import, play, the problems met, closing and the "SongScan" settings. The
// results list is the Song Explorer's kind of list, and shares its rules where they agree.
class tScanWizard {
 public:
  struct Services {
    tCatalogue& catalogue;
    UserInteraction& user;
    tLivePlayerOptions& playerOptions;
    // Used by the scan's own thread, which may outlive the wizard when a call never returns.
    std::shared_ptr<FileSystem> files;
    std::shared_ptr<Volumes> volumes;
    tPlayerControl* players = nullptr;  // null: Play does nothing
  };

  explicit tScanWizard(Services services);
  ~tScanWizard();
  tScanWizard(const tScanWizard&) = delete;
  tScanWizard& operator=(const tScanWizard&) = delete;

  // The settings, read when the window opens; the window keeps its placement in them.
  void ReadSettings(const tIniFile& ini) { m_settings = ReadScanWizardSettings(ini); }
  tScanWizardSettings& Settings() { return m_settings; }

  ScanWizardStep Step() const { return m_step; }
  tScanWizardControls Controls() const;

  // The type boxes, by their index in ScanTypeBoxes().
  void SetTypeChosen(std::size_t box, bool chosen);
  bool TypeChosen(std::size_t box) const;
  // The chosen boxes' patterns in the boxes' order ("*.kar;*.mp3;").
  std::string PatternText() const { return ScanPatternText(m_types); }

  // The folder tree's selection: nothing selected, or the node (a node without a folder other
  // than the Computer node is tScanStart{}, where nothing is searched).
  void SetStartNode(std::optional<tScanStart> node) { m_start = std::move(node); }
  // The label under the tree: the selected node's folder.
  std::string StartLabel() const { return m_start ? m_start->folder : std::string(); }

  // "&Next" (or "&Scan"): the next step; on the start step, the scan begins.
  void Next();
  // "&Back": the step before. The results stay listed until the next scan.
  void Back();

  // Takes what the scan found since the last call into the list; when the scan has ended, the
  // completion message and the first item's selection follow. True while the scan goes on.
  bool Poll();
  // "S&TOP": the scan ends after its current file, at once when it is stuck in a call to a
  // folder that does not answer (the path line then names the folder). The completion follows.
  void Stop();
  bool Scanning() const { return m_scan != nullptr; }

  const std::vector<tExplorerItem>& Items() const { return m_items; }
  // The path line and the counter at its right.
  const std::string& PathLine() const { return m_pathLine; }
  const std::string& Counter() const { return m_counter; }
  // The folders and files the last scan could not read, each with the system's reason.
  const std::vector<ScanProblem>& Problems() const { return m_problems; }
  bool ResultsPending() const { return m_resultsPending; }

  // Selection as the list reports it (ignored while the scan runs). MoveTo is the selection
  // moving to an item: its path and position are shown.
  void SetSelected(std::size_t index, bool selected);
  void MoveTo(std::size_t index);
  void SelectOnly(std::size_t index);
  void SelectAll();
  std::optional<std::size_t> Position() const { return m_position; }
  std::size_t SelectedCount() const { return m_selected; }
  std::size_t SelectedImportableCount() const { return m_selectedImportable; }

  // A click on column 0 (file name), 1 (title) or 2 (artist); no column is current at first,
  // so the first click on any sorts it ascending.
  void SortByColumn(int column);
  int SortColumn() const { return m_sortColumn; }
  bool Descending() const { return m_descending; }

  // "&Import Files": the question, then the selected importable files into the catalogue; every
  // item's picture is then set again from the catalogue, both ways. Returns how many were added.
  std::size_t Import();

  void Play(WindowHandle owner);
  bool PlayerInFront() const;
  void SetPlayerInFront(bool inFront);

  // "&Close": with results not imported, asks first; false keeps the window open. Otherwise
  // the scan stops, the settings are written to ini and the list is cleared.
  bool Close(tIniFile& ini);

 private:
  void StartScan();
  void TakeBatch(tScanBatch batch);
  void Complete(const std::optional<std::string>& silentFolder);
  void ClearList();
  void CountSelection();
  void ShowPosition();

  Services m_services;
  tScanWizardSettings m_settings;
  ScanWizardStep m_step = ScanWizardStep::Types;
  std::uint8_t m_types = 0;
  std::optional<tScanStart> m_start;
  std::unique_ptr<tBackgroundScan> m_scan;
  std::vector<tExplorerItem> m_items;
  std::vector<ScanProblem> m_problems;
  std::string m_pathLine;
  std::string m_counter;
  std::optional<std::size_t> m_position;
  std::size_t m_selected = 0, m_selectedImportable = 0;
  bool m_resultsPending = false;
  int m_sortColumn = -1;
  bool m_descending = false;
};

}  // namespace tunedex
