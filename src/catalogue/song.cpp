// SPDX-License-Identifier: GPL-3.0-or-later
#include "song.h"

#include <functional>
#include <new>

#include <sys/mman.h>

#include "catalogue/filenameindex.h"
#include "common/collation.h"
#include "common/textcase.h"
#include "common/userlocale.h"

namespace tunedex {
namespace {

std::uint64_t g_editStamp = 0;

#if defined(__SANITIZE_ADDRESS__)
#define TUNEDEX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TUNEDEX_ASAN 1
#endif
#endif

#ifdef TUNEDEX_ASAN
extern "C" void __asan_poison_memory_region(void const volatile* addr, std::size_t size);
extern "C" void __asan_unpoison_memory_region(void const volatile* addr, std::size_t size);
#define POISON(addr, size) __asan_poison_memory_region((addr), (size))
#define UNPOISON(addr, size) __asan_unpoison_memory_region((addr), (size))
#else
#define POISON(addr, size) ((void)(addr), (void)(size))
#define UNPOISON(addr, size) ((void)(addr), (void)(size))
#endif

// Fixed-size slots in blocks that are never given back; freed slots are reused first, in the
// order they were allocated when a whole list was destroyed last to first. Under
// AddressSanitizer a free slot is poisoned, so a use after destruction is still reported.
class SongPool {
 public:
  void* Allocate() {
    if (!m_free.empty()) {
      void* slot = m_free.back();
      m_free.pop_back();
      UNPOISON(slot, sizeof(tSong));
      return slot;
    }
    if (m_blocks.empty() || m_usedInBlock == kSlotsPerBlock) {
      // Mapped with its pages present: faulting them in one by one costs more than the copy.
      void* block = ::mmap(nullptr, kBlockBytes, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
      if (block == MAP_FAILED) throw std::bad_alloc();
      m_blocks.push_back(static_cast<unsigned char*>(block));
      m_usedInBlock = 0;
    }
    return m_blocks.back() + sizeof(tSong) * m_usedInBlock++;
  }

  void Free(void* slot) {
    POISON(slot, sizeof(tSong));
    m_free.push_back(slot);
  }

 private:
  static constexpr std::size_t kSlotsPerBlock = 4096;
  static constexpr std::size_t kBlockBytes = kSlotsPerBlock * sizeof(tSong);
  std::vector<unsigned char*> m_blocks;
  std::size_t m_usedInBlock = 0;
  std::vector<void*> m_free;
};

SongPool& Pool() {
  static SongPool* pool = new SongPool;  // lives as long as the process; songs may outlive statics
  return *pool;
}

}  // namespace

void* tSong::operator new(std::size_t size) {
  if (size != sizeof(tSong)) return ::operator new(size);
  return Pool().Allocate();
}

void tSong::operator delete(void* song, std::size_t size) {
  if (song == nullptr) return;
  if (size != sizeof(tSong)) {
    ::operator delete(song);
    return;
  }
  Pool().Free(song);
}

std::uint64_t tSong::EditStamp() {
  return g_editStamp;
}

tSong::~tSong() {
  // Copy first: leaving an index removes it from m_indexes.
  const std::vector<FileNameIndex*> indexes = m_indexes;
  for (FileNameIndex* index : indexes) index->ForgetSong(this);
}

void tSong::SetRecord(const tSongRecord& record) {
  const bool fileNameChanged = record.FileName() != m_record.FileName();
  const std::uint64_t oldKey = fileNameChanged && !m_indexes.empty() ? FileNameKey() : 0;
  m_record = record;
  ++g_editStamp;
  for (CachedKey& cached : m_sortKeys) cached.generation = 0;
  if (fileNameChanged) {
    m_fileNameKeyValid = false;
    const std::vector<FileNameIndex*> indexes = m_indexes;
    for (FileNameIndex* index : indexes) index->Refile(this, oldKey);
  }
}

const std::string& tSong::CollationKey(SortKey field) const {
  CachedKey& cached = m_sortKeys[static_cast<std::size_t>(field)];
  if (cached.generation != UserLocaleGeneration()) {
    cached.key = UserSortKey(m_record.RawText(InfoOf(field).field));
    cached.generation = UserLocaleGeneration();
  }
  return cached.key;
}

std::uint64_t tSong::FileNameKey() const {
  if (!m_fileNameKeyValid) {
    m_fileNameKey = std::hash<std::string>{}(FoldCase(m_record.FileName()));
    m_fileNameKeyValid = true;
  }
  return m_fileNameKey;
}

}  // namespace tunedex
