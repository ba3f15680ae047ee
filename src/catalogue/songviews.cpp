// SPDX-License-Identifier: GPL-3.0-or-later
#include "songviews.h"

#include "common/collation.h"

namespace tunedex {

ViewSelection::ViewSelection(int mode, std::string_view customLanguageCode)
    : m_mode(mode),
      m_customCode(customLanguageCode),
      m_knownCodes(LowerCase(m_customCode + ",eng")) {}

bool ViewSelection::Admits(const tSongRecord& record) const {
  const std::string_view language = record.RawText(TextField::Language);
  switch (m_mode) {
    case kViewAll: return true;
    case kViewCustomLanguage: return EqualsIgnoringCase(language, m_customCode);
    case kViewEnglish: return EqualsIgnoringCase(language, "Eng");
    case kViewOtherLanguages:
      // A code is "other" unless it occurs anywhere in "<custom code>,eng", so short codes such
      // as "e" or "ng" count as neither.
      return !language.empty() && m_knownCodes.find(LowerCase(language)) == std::string::npos;
    case kViewNewSongs: return language.empty();
    default: return false;
  }
}

void SelectViewSongs(const tSongList& master, tSongList& view, int mode,
                     std::string_view customLanguageCode) {
  const ViewSelection selection(mode, customLanguageCode);
  view.Clear();
  view.Reserve(master.Count());
  for (tSong* song : master) {
    if (selection.Admits(song->Record())) view.Add(song);
  }
  view.SetSortOrder(master.SortOrder());
}

std::string_view FileNamePart(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool FindBoxMatcher::Matches(const tSongRecord& record) const {
  return m_matcher.Matches(record.RawText(TextField::Title)) ||
         m_matcher.Matches(record.RawText(TextField::Artist)) ||
         m_matcher.Matches(record.RawText(TextField::IdCode)) ||
         m_matcher.Matches(record.RawText(TextField::Notes)) ||
         m_matcher.Matches(FileNamePart(record.FileName())) ||
         m_matcher.Matches(record.RawText(TextField::Language));
}

std::optional<std::size_t> FindBoxMatcher::FindFrom(const tSongList& view,
                                                    std::size_t start) const {
  if (m_matcher.Empty()) return std::nullopt;
  for (std::size_t row = start; row < view.Count(); ++row) {
    if (Matches(view[row]->Record())) return row;
  }
  return std::nullopt;
}

}  // namespace tunedex
