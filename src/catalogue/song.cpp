// SPDX-License-Identifier: GPL-3.0-or-later
#include "song.h"

#include <functional>

#include "catalogue/filenameindex.h"
#include "common/collation.h"
#include "common/textcase.h"
#include "common/userlocale.h"

namespace tunedex {
namespace {

TextField FieldOf(SortKeyField field) {
  switch (field) {
    case SortKeyField::IdCode: return TextField::IdCode;
    case SortKeyField::Title: return TextField::Title;
    case SortKeyField::Artist: return TextField::Artist;
  }
  return TextField::Title;
}

}  // namespace

tSong::~tSong() {
  // Copy first: leaving an index removes it from m_indexes.
  const std::vector<FileNameIndex*> indexes = m_indexes;
  for (FileNameIndex* index : indexes) index->ForgetSong(this);
}

void tSong::SetRecord(const tSongRecord& record) {
  const bool fileNameChanged = record.FileName() != m_record.FileName();
  const std::uint64_t oldKey = fileNameChanged && !m_indexes.empty() ? FileNameKey() : 0;
  m_record = record;
  for (CachedKey& cached : m_sortKeys) cached.generation = 0;
  if (fileNameChanged) {
    m_fileNameKeyValid = false;
    const std::vector<FileNameIndex*> indexes = m_indexes;
    for (FileNameIndex* index : indexes) index->Refile(this, oldKey);
  }
}

const std::string& tSong::SortKey(SortKeyField field) const {
  CachedKey& cached = m_sortKeys[static_cast<std::size_t>(field)];
  if (cached.generation != CollationGeneration()) {
    cached.key = UserSortKey(m_record.RawText(FieldOf(field)));
    cached.generation = CollationGeneration();
  }
  return cached.key;
}

std::uint64_t tSong::FileNameKey() const {
  if (!m_fileNameKeyValid) {
    m_fileNameKey = std::hash<std::string>{}(FoldFileName(m_record.FileName()));
    m_fileNameKeyValid = true;
  }
  return m_fileNameKey;
}

}  // namespace tunedex
