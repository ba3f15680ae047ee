// SPDX-License-Identifier: GPL-3.0-or-later
#include "songviews.h"

#include "common/fileio.h"

#include <algorithm>

#include "common/collation.h"
#include "common/userlocale.h"

namespace tunedex {

ViewSelection::ViewSelection(ViewMode mode, std::string_view customLanguageCode)
    : m_mode(mode),
      m_customCode(customLanguageCode),
      m_knownCodes(LowerCase(m_customCode + ",eng")) {}

bool ViewSelection::Admits(const tSongRecord& record) const {
  const std::string_view language = record.RawText(TextField::Language);
  switch (m_mode) {
    case ViewMode::All:
      return true;
    case ViewMode::CustomLanguage:
      return EqualsIgnoringCase(language, m_customCode);
    case ViewMode::English:
      return EqualsIgnoringCase(language, "Eng");
    case ViewMode::OtherLanguages:
      // A code is "other" unless it occurs anywhere in "<custom code>,eng", so short codes such
      // as "e" or "ng" count as neither.
      return !language.empty() && m_knownCodes.find(LowerCase(language)) == std::string::npos;
    case ViewMode::NewSongs:
      return language.empty();
    default:
      return false;
  }
}

void SelectViewSongs(const tSongList& master, tSongList& view, ViewMode mode,
                     std::string_view customLanguageCode) {
  const ViewSelection selection(mode, customLanguageCode);
  view.Clear();
  view.Reserve(master.Count());
  for (tSong* song : master) {
    if (selection.Admits(song->Record())) view.Add(song);
  }
  view.SetSortOrder(master.SortOrder());
}

std::array<std::string_view, 6> FindBoxFields(const tSongRecord& record) {
  return {record.RawText(TextField::Title),  record.RawText(TextField::Artist),
          record.RawText(TextField::IdCode), record.RawText(TextField::Notes),
          FileNamePart(record.FileName()),   record.RawText(TextField::Language)};
}

bool FindBoxMatches(const TextMatcher& matcher, const tSongRecord& record) {
  for (std::string_view field : FindBoxFields(record)) {
    if (matcher.Matches(field)) return true;
  }
  return false;
}

void FindBoxSearch::Refresh() {
  if (m_built && m_listVersion == m_list.Version() && m_editStamp == tSong::EditStamp() &&
      m_localeGeneration == UserLocaleGeneration()) {
    return;
  }
  const std::size_t previousSize = m_text.size();
  m_text.clear();
  m_text.reserve(std::max(previousSize, m_list.Count() * 96));
  m_starts.clear();
  m_starts.reserve(m_list.Count());
  for (const tSong* song : m_list) {
    m_starts.push_back(m_text.size());
    for (std::string_view field : FindBoxFields(song->Record())) {
      AppendUpperCase(m_text, field);
      m_text.push_back('\n');
    }
  }
  m_built = true;
  m_listVersion = m_list.Version();
  m_editStamp = tSong::EditStamp();
  m_localeGeneration = UserLocaleGeneration();
}

std::optional<std::size_t> FindBoxSearch::FindFrom(std::string_view text, std::size_t start) {
  if (text.empty() || start >= m_list.Count()) return std::nullopt;
  std::string needle;
  AppendUpperCase(needle, text);
  if (needle.find('\n') != std::string::npos) {
    // A line break could match across two fields of the block; such a text is matched field by
    // field instead.
    const TextMatcher matcher(text);
    for (std::size_t row = start; row < m_list.Count(); ++row) {
      if (FindBoxMatches(matcher, m_list[row]->Record())) return row;
    }
    return std::nullopt;
  }
  Refresh();
  const std::size_t at = std::string_view(m_text).find(needle, m_starts[start]);
  if (at == std::string_view::npos) return std::nullopt;
  const auto row = std::upper_bound(m_starts.begin(), m_starts.end(), at) - m_starts.begin() - 1;
  return static_cast<std::size_t>(row);
}

}  // namespace tunedex
