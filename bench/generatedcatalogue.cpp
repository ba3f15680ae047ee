// SPDX-License-Identifier: GPL-3.0-or-later
#include "generatedcatalogue.h"

#include "catalogue/database.h"

#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <random>
#include <string>

namespace tunedex::bench {
namespace {

// Syllables make some thousands of distinct words; a few carry accented letters, as Swedish,
// French and German titles do.
const char* const kSyllables[] = {
    "lo",  "ve",  "ni",  "ght", "dan", "ce",  "he",        "art",       "ba",       "by",
    "fi",  "re",  "ra",  "in",  "que", "en",  "mo",        "ney",       "dre",      "am",
    "sum", "mer", "blu", "ri",  "ver", "ro",  "ad",        "ho",        "me",       "li",
    "st",  "ar",  "ti",  "to",  "wa",  "ter", "s\xC3\xB6", "m\xC3\xA5", "\xC3\xA9", "k\xC3\xA4",
    "ge",  "ka",  "sa",  "on",  "el",  "um"};

std::string Word(std::mt19937& random) {
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kSyllables) - 1);
  std::string word;
  for (int i = 1 + static_cast<int>(random() % 3); i > 0; --i) word += kSyllables[pick(random)];
  if (random() % 3 != 0 && word[0] >= 'a') word[0] = static_cast<char>(word[0] - 32);
  return word;
}

std::string Words(std::mt19937& random, int minimum, int maximum) {
  std::uniform_int_distribution<int> count(minimum, maximum);
  std::string text;
  for (int i = count(random); i > 0; --i) {
    if (!text.empty()) text += ' ';
    text += Word(random);
  }
  return text;
}

}  // namespace

std::vector<tSongRecord> GeneratedCatalogue(std::size_t count) {
  std::mt19937 random(2026);
  const char* const kLanguages[] = {"Eng", "Eng", "Eng", "Eng", "Sve", "Ger", "Fra", ""};
  std::vector<tSongRecord> records;
  records.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    tSongRecord record;
    const std::string title = Words(random, 1, 6);
    const std::string artist = Words(random, 1, 3);
    record.SetTitle(title);
    record.SetArtist(artist);
    record.SetLanguage(kLanguages[random() % std::size(kLanguages)]);
    std::string id(2, 'A');
    id[0] = static_cast<char>('A' + random() % 26);
    id[1] = static_cast<char>('A' + random() % 26);
    record.SetIdCode(id + std::to_string(100 + random() % 900));
    record.SetFileName("/media/karaoke/disc" + std::to_string(random() % 40) + "/" + artist +
                       " - " + title + " " + std::to_string(i) + ".kar");
    record.SetFileType(1);
    record.SetInternalFormat(1);
    record.SetHasLyrics(true);
    if (i % 10 == 0) record.SetNotes("Duet, " + Words(random, 2, 8));
    records.push_back(record);
  }
  return records;
}

GeneratedCatalogueFile::GeneratedCatalogueFile(std::size_t count) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tunedex-bench-XXXXXX").string();
  folder = ::mkdtemp(pattern.data());
  path = folder + "/songs.tdb";
  tSongList list(tSongList::Ownership::OwnsSongs);
  for (const tSongRecord& record : GeneratedCatalogue(count)) {
    list.Add(std::make_unique<tSong>(record));
  }
  SaveDatabase(list, path);
}

GeneratedCatalogueFile::~GeneratedCatalogueFile() {
  std::filesystem::remove_all(folder);
}

const tSongList& GeneratedView(std::size_t count) {
  static std::map<std::size_t, std::unique_ptr<tSongList>> views;
  std::unique_ptr<tSongList>& view = views[count];
  if (!view) {
    view = std::make_unique<tSongList>(tSongList::Ownership::OwnsSongs);
    for (const tSongRecord& record : GeneratedCatalogue(count)) {
      view->Add(std::make_unique<tSong>(record));
    }
  }
  return *view;
}

}  // namespace tunedex::bench
