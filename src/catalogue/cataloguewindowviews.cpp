// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue window's view: its mode and rows, sorting, the find box, type-ahead and keys.
#include <algorithm>

#include "catalogue/cataloguewindow.h"
#include "catalogue/viewtexts.h"
#include "common/recordtext.h"
#include "common/textcase.h"

namespace tunedex {

// ---------------------------------------------------------------------------------------------
// Views and sorting

void tCatalogueWindow::ChooseView(ViewMode mode) {
  const bool hadSongs = !m_view.Empty();
  const int distance = CurrentRow() - TopRow();
  if (mode == ViewMode::CustomFiltered) {
    const ViewMode before = m_viewMode;
    const bool ok = m_services.showFilter && m_services.showFilter(m_filter, [this] {
      m_viewMode = ViewMode::CustomFiltered;
      RebuildView();
    });
    if (!ok) mode = before;
  }
  m_viewMode = m_tickedMode = mode;
  RebuildView();
  if (m_view.Empty() || !hadSongs) {
    m_cursor.Reset();
  } else {
    m_cursor.PlaceRow(CurrentRow(), distance);
  }
}

void tCatalogueWindow::RebuildView() {
  if (m_viewMode == ViewMode::CustomFiltered) {
    std::vector<tSong*> kept;
    kept.reserve(m_view.Count());
    for (tSong* song : m_view) {
      if (FilterMatches(song->Record(), m_filter)) kept.push_back(song);
    }
    m_view.Clear();
    for (tSong* song : kept) m_view.Add(song);
    m_view.SortBy(m_catalogue.SortCode());
  } else {
    SelectViewSongs(m_catalogue.Songs(), m_view, m_viewMode, m_settings.customLanguage.code);
  }
  m_cursor.SetRowCount(static_cast<int>(m_view.Count()));
  m_typeAhead.clear();
  ++m_rowsRevision;
}

void tCatalogueWindow::SetSort(int code) {
  if (m_view.Empty()) return;
  const tSong* remembered = CurrentSong();
  m_catalogue.SortBy(code);
  const int index = IndexInView(remembered);
  if (index >= 0) m_cursor.SelectRow(index);
  m_view.SetSortOrder(static_cast<std::int8_t>(m_catalogue.SortCode()));
}

void tCatalogueWindow::Resort() {
  m_catalogue.Resort();
  m_cursor.Reset();
}

std::string tCatalogueWindow::SortStatusText() const {
  const SortKeyInfo* key = SortKeyOfCode(m_shownSort);
  return key ? std::string(key->statusText) : std::string();
}

void tCatalogueWindow::FontChosen(const tFontSetting& font, double widthRatio) {
  m_columns.ScrollFullyLeft();
  m_columns.FontWidthChanged(widthRatio);
  const ColourValue colour = m_settings.font.colour;
  m_settings.font = font;
  m_settings.font.colour = colour;
}

void tCatalogueWindow::ApplyCustomLanguage() {
  m_settings.customLanguage.Apply();
}

void tCatalogueWindow::ChooseCustomLanguage(const CustomLanguageChoice& choice) {
  choice.StoreInto(m_settings.customLanguage);
  ApplyCustomLanguage();
  if (m_viewMode == ViewMode::CustomLanguage) ChooseView(ViewMode::CustomLanguage);
}

std::string tCatalogueWindow::ViewCaption(ViewMode mode) const {
  return ViewText(mode, ViewTextKind::Menu, m_settings.customLanguage.name);
}

std::string tCatalogueWindow::SelectionMenuCaption(ViewMode mode) const {
  return ViewText(mode, ViewTextKind::Selection, m_settings.customLanguage.name);
}

std::string tCatalogueWindow::ViewHint(ViewMode mode) const {
  return ViewText(mode, ViewTextKind::Hint, m_settings.customLanguage.name);
}

std::string tCatalogueWindow::LogoHint(ViewMode mode) const {
  return ViewText(mode, ViewTextKind::LogoHint, m_settings.customLanguage.name);
}

std::string tCatalogueWindow::ViewStatusText() const {
  return "Showing: " + ViewText(m_tickedMode, ViewTextKind::Status, m_settings.customLanguage.name);
}

bool tCatalogueWindow::ViewButtonPressed(ViewMode mode) const {
  return !m_catalogue.Empty() && m_tickedMode == mode;
}

std::string tCatalogueWindow::CaptionPathText() const {
  return CaptionPath(m_catalogue.Path(), m_catalogue.IsNew());
}

std::string tCatalogueWindow::CaptionText() const {
  return std::string(kCaptionPrefix) + CaptionPathText();
}

std::string tCatalogueWindow::SongStatusText() const {
  if (m_view.Empty()) return "No songs";
  return "Song " + std::to_string(CurrentRow() + 1) + "/" + std::to_string(m_view.Count());
}

// ---------------------------------------------------------------------------------------------
// Find box, type-ahead and keys

void tCatalogueWindow::FindTextChanged(std::string_view text) {
  m_findText = text;
  if (m_view.Empty()) return;
  if (m_findText.empty()) {
    SelectRow(0);
  } else {
    SearchFindBox(0);
  }
}

void tCatalogueWindow::FindNext() {
  if (m_view.Empty() || m_findText.empty()) return;
  SearchFindBox(static_cast<std::size_t>(CurrentRow()) + 1);
}

void tCatalogueWindow::SearchFindBox(std::size_t start) {
  if (const std::optional<std::size_t> row = m_findSearch->FindFrom(m_findText, start)) {
    SelectRow(static_cast<int>(*row));
    return;
  }
  m_services.user.ShowInformation("Cannot find " + m_findText);
  m_findFocusRequest = true;
}

bool tCatalogueWindow::TakeFindBoxFocusRequest() {
  return std::exchange(m_findFocusRequest, false);
}

void tCatalogueWindow::TypeAhead(std::string_view character) {
  if (character.empty()) return;
  if (character == "\x1b") {
    m_typeAhead.clear();
    return;
  }
  if (static_cast<unsigned char>(character.front()) < 32) return;
  m_typeAhead += character;
  SearchTypeAhead(CurrentRow());
}

void tCatalogueWindow::SearchTypeAhead(int start) {
  const SortKeyInfo* key = SortKeyOfCode(m_catalogue.SortCode());
  if (!key) {
    if (m_services.beep) m_services.beep();
    return;
  }
  const TextField field = key->field;
  if (!m_typeAhead.empty()) {
    const TextMatcher matcher(m_typeAhead);
    for (std::size_t row = static_cast<std::size_t>(std::max(start, 0)); row < m_view.Count();
         ++row) {
      if (matcher.IsPrefixOf(m_view[row]->Record().RawText(field))) {
        SelectRow(static_cast<int>(row));
        return;
      }
    }
  }
  if (m_services.beep) m_services.beep();
}

bool tCatalogueWindow::HandleKey(WindowKey key, int modifiers) {
  const bool alt = (modifiers & kAlt) != 0;
  const bool ctrl = (modifiers & kCtrl) != 0;
  const int last = m_cursor.LastRow();
  const int current = CurrentRow();
  const int top = TopRow();
  bool passOn = false;
  switch (key) {
    case WindowKey::Home:
      if (alt) {
        SetTopRow(0);
      } else {
        m_typeAhead.clear();
        SelectRow(0);
      }
      break;
    case WindowKey::End:
      if (alt) {
        SetTopRow(m_cursor.LastTopRow());
      } else {
        m_typeAhead.clear();
        SelectRow(last);
      }
      break;
    case WindowKey::Up:
      if (alt) {
        SetTopRow(top - 1);
      } else if (current > 0) {
        m_typeAhead.clear();
        SelectRow(current - 1);
      }
      break;
    case WindowKey::Down:
      if (alt) {
        SetTopRow(top + 1);
      } else if (current < last) {
        m_typeAhead.clear();
        SelectRow(current + 1);
      }
      break;
    case WindowKey::Left:
      m_columns.ScrollLeft();
      break;
    case WindowKey::Right:
      m_columns.ScrollRight();
      break;
    case WindowKey::PageUp:
      if (alt) {
        SetTopRow(top - VisibleRows());
      } else if (ctrl) {
        SelectRow(0);
      } else {
        passOn = true;
      }
      break;
    case WindowKey::PageDown:
      if (alt) {
        SetTopRow(top + VisibleRows());
      } else if (ctrl) {
        SelectRow(last);
      } else {
        passOn = true;
      }
      break;
    case WindowKey::Backspace:
    case WindowKey::Delete:
      RemoveLastUtf8Character(m_typeAhead);
      SelectRow(0);
      SearchTypeAhead(0);
      passOn = true;
      break;
    case WindowKey::F9:
      PlayCurrentSong();
      break;
    case WindowKey::Enter:
    case WindowKey::Escape:
    case WindowKey::Clear:
      m_typeAhead.clear();
      SelectRow(0);
      break;
    case WindowKey::Other:
      passOn = true;
      break;
  }
  return passOn;
}

// ---------------------------------------------------------------------------------------------
// Grid rows

const tSong* tCatalogueWindow::SongAt(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= m_view.Count()) return nullptr;
  return m_view[static_cast<std::size_t>(row)];
}

int tCatalogueWindow::IndexInView(const tSong* song) const {
  if (!song) return -1;
  const auto found = std::find(m_view.begin(), m_view.end(), song);
  return found == m_view.end() ? -1 : static_cast<int>(found - m_view.begin());
}

}  // namespace tunedex
