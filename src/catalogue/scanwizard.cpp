// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/scanwizard.h"

#include <algorithm>

#include "catalogue/explorerlist.h"

namespace tunedex {

const std::array<tScanTypeBox, 7>& ScanTypeBoxes() {
  static const std::array<tScanTypeBox, 7> boxes = {{
      {"MIDI *.kar Karaoke files", kScanKar, 0},
      {"Star Data *.st3 Karaoke files", kScanSt3, 2},
      {"MIDI *.mi, *.mid, *.midi, *.rmi files", kScanMidi, 4},
      {"MP3 *.mp3 music files", kScanMp3, 8},
      {"WMA Windows media audio files", kScanWma, 10},
      {"KFun *.kfn karaoke files", kScanKfn, 19},
      {"MPEG  Windows media  files", kScanMpeg, 22},
  }};
  return boxes;
}

const std::array<tScanIconKey, 8>& ScanIconKey() {
  static const std::array<tScanIconKey, 8> key = {{{0, "kar"},
                                                   {2, "st3"},
                                                   {4, "mid - lyrics"},
                                                   {6, "mid - no lyrics"},
                                                   {8, "mp3"},
                                                   {10, "wma"},
                                                   {19, "kfn"},
                                                   {22, "mpeg"}}};
  return key;
}

tScanWizard::tScanWizard(Services services) : m_services(std::move(services)) {}

tScanWizard::~tScanWizard() {
  if (m_scan) m_scan->Stop();
}

tScanWizardControls tScanWizard::Controls() const {
  tScanWizardControls controls;
  switch (m_step) {
    case ScanWizardStep::Types:
      controls.nextCaption = "&Next";
      controls.nextHint = "Next step";
      controls.nextEnabled = m_types != 0;
      break;
    case ScanWizardStep::Start:
      controls.nextCaption = "&Scan";
      controls.nextHint = "Start search for files";
      controls.nextEnabled = m_start.has_value();
      controls.backEnabled = true;
      break;
    case ScanWizardStep::Results:
      controls.nextCaption = "&Scan";
      controls.nextHint = "Start search for files";
      // The results stay until the scan has ended; going back meanwhile would leave it running
      // unseen.
      controls.backEnabled = !Scanning();
      controls.stopShown = true;
      controls.stopEnabled = Scanning();
      controls.playerInFrontShown = true;
      controls.pathLineShown = true;
      controls.importEnabled = !Scanning() && m_selectedImportable > 0;
      controls.problemsEnabled = !Scanning() && !m_problems.empty();
      break;
  }
  return controls;
}

void tScanWizard::SetTypeChosen(std::size_t box, bool chosen) {
  if (box >= ScanTypeBoxes().size()) return;
  const std::uint8_t bit = ScanTypeBoxes()[box].type;
  m_types = chosen ? (m_types | bit) : (m_types & ~bit);
}

bool tScanWizard::TypeChosen(std::size_t box) const {
  return box < ScanTypeBoxes().size() && (m_types & ScanTypeBoxes()[box].type) != 0;
}

void tScanWizard::Next() {
  const tScanWizardControls controls = Controls();
  if (!controls.nextEnabled) return;
  if (m_step == ScanWizardStep::Types) {
    m_step = ScanWizardStep::Start;
  } else if (m_step == ScanWizardStep::Start) {
    m_step = ScanWizardStep::Results;
    StartScan();
  }
}

void tScanWizard::Back() {
  if (!Controls().backEnabled) return;
  m_step = m_step == ScanWizardStep::Results ? ScanWizardStep::Start : ScanWizardStep::Types;
}

void tScanWizard::ClearList() {
  m_items.clear();
  m_position.reset();
  m_selected = m_selectedImportable = 0;
}

void tScanWizard::StartScan() {
  ClearList();
  m_problems.clear();
  m_pathLine.clear();
  m_counter = "0";
  const tScanStart start = m_start.value_or(tScanStart{});
  m_scan = std::make_unique<tBackgroundScan>(
      tBackgroundScan::Services{m_services.files, m_services.volumes}, PatternText(), start);
}

void tScanWizard::TakeBatch(tScanBatch batch) {
  if (!batch.announcements.empty()) m_pathLine = batch.announcements.back();
  const tSongList& songs = m_services.catalogue.Songs();
  m_items.reserve(m_items.size() + batch.results.size());
  for (ScanResult& result : batch.results) {
    tExplorerItem item;
    item.caption = std::move(result.name);
    item.record = std::move(result.record);
    FillReadItem(item, songs.ContainsFileName(item.record));
    m_items.push_back(std::move(item));
  }
  m_problems.insert(m_problems.end(), std::make_move_iterator(batch.problems.begin()),
                    std::make_move_iterator(batch.problems.end()));
  m_counter = std::to_string(m_items.size());
}

bool tScanWizard::Poll() {
  if (!m_scan) return false;
  tScanBatch batch = m_scan->TakeBatch();
  const bool finished = batch.finished;
  TakeBatch(std::move(batch));
  if (finished) Complete(std::nullopt);
  return !finished;
}

void tScanWizard::Stop() {
  if (!m_scan) return;
  const std::optional<std::string> silent = m_scan->Stop();
  TakeBatch(m_scan->TakeBatch());
  Complete(silent);
}

void tScanWizard::Complete(const std::optional<std::string>& silentFolder) {
  m_scan.reset();
  if (silentFolder) m_problems.push_back({*silentFolder, "Does not answer", true});
  m_pathLine = "Scan completed";
  m_services.user.ShowInformation("Scan for song files completed.\r" + m_counter + " songs found");
  if (m_items.empty()) {
    m_pathLine = "No songs found";
    m_counter = "0/0";
  } else {
    SelectOnly(0);
    m_resultsPending = true;
  }
  CountSelection();
  // The results so far stay usable; the path line says where the scan hung.
  if (silentFolder) m_pathLine = "Stopped: " + *silentFolder + " does not answer";
}

void tScanWizard::CountSelection() {
  const tListSelectionCounts counts = CountListSelection(m_items);
  m_selected = counts.selected;
  m_selectedImportable = counts.selectedImportable;
}

void tScanWizard::ShowPosition() {
  if (!m_position || *m_position >= m_items.size()) return;
  m_pathLine = std::string(m_items[*m_position].record.FileName());
  m_counter = std::to_string(*m_position + 1) + "/" + std::to_string(m_items.size());
}

void tScanWizard::SetSelected(std::size_t index, bool selected) {
  if (Scanning() || index >= m_items.size()) return;
  m_items[index].selected = selected;
  CountSelection();
}

void tScanWizard::MoveTo(std::size_t index) {
  if (Scanning() || index >= m_items.size() || !m_items[index].hasRecord) return;
  m_position = index;
  CountSelection();
  ShowPosition();
}

void tScanWizard::SelectOnly(std::size_t index) {
  if (Scanning() || index >= m_items.size()) return;
  for (tExplorerItem& item : m_items) item.selected = false;
  m_items[index].selected = true;
  MoveTo(index);
}

void tScanWizard::SelectAll() {
  if (Scanning()) return;
  for (tExplorerItem& item : m_items) item.selected = true;
  CountSelection();
}

void tScanWizard::SortByColumn(int column) {
  if (Scanning() || column < 0 || column > 2) return;
  if (column == m_sortColumn) m_descending = !m_descending;
  m_sortColumn = column;
  m_position = SortExplorerItems(m_items, m_sortColumn, m_descending, m_position);
}

std::size_t tScanWizard::Import() {
  if (Scanning()) return 0;
  const std::optional<std::size_t> added =
      ImportSelectedItems(m_items, m_services.catalogue, m_services.user, m_counter);
  if (!added) return 0;
  MarkCatalogueItems(m_items, m_services.catalogue);
  m_resultsPending = false;
  CountSelection();
  ShowPosition();
  return *added;
}

void tScanWizard::Play(WindowHandle owner) {
  if (m_services.players == nullptr) return;
  const tExplorerItem* item = ItemToPlay(m_items, m_position);
  if (item == nullptr) return;
  m_services.players->PlaySong(owner, std::string(item->record.FileName()), item->record.FileType(),
                               PlayerInFront());
}

bool tScanWizard::PlayerInFront() const {
  return m_services.playerOptions.Set().PlayerPopups.InFront(PlayerPopup::ScanWizard);
}

void tScanWizard::SetPlayerInFront(bool inFront) {
  // Only the wizard's bit changes; the other windows' choices stay as stored.
  m_services.playerOptions.Set().PlayerPopups.SetInFront(PlayerPopup::ScanWizard, inFront);
}

bool tScanWizard::Close(tIniFile& ini) {
  if (m_resultsPending &&
      m_services.user.ShowMessage(MessageKind::Confirmation,
                                  "Close Song-file Scan Expert without importing any songs?",
                                  {Button::Yes, Button::No}) != Button::Yes) {
    return false;
  }
  if (m_scan) {
    m_scan->Stop();
    m_scan.reset();
  }
  m_resultsPending = false;
  WriteScanWizardSettings(ini, m_settings);
  ClearList();
  return true;
}

}  // namespace tunedex
