// SPDX-License-Identifier: GPL-3.0-or-later
#include "generatedcatalogue.h"

#include <random>
#include <string>

namespace tunedex::bench {
namespace {

const char* const kWords[] = {"love",  "night", "dance", "heart", "baby",   "fire",  "rain",
                              "queen", "money", "dream", "summer", "blue",  "river", "road",
                              "home",  "light", "happy", "crazy", "star",   "time",  "caf\xC3\xA9",
                              "s\xC3\xB6t", "m\xC3\xA5ne", "\xC3\xA9t\xC3\xA9", "more", "again"};

std::string Words(std::mt19937& random, int minimum, int maximum) {
  std::uniform_int_distribution<int> count(minimum, maximum);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(kWords) - 1);
  std::string text;
  for (int i = count(random); i > 0; --i) {
    if (!text.empty()) text += ' ';
    std::string word = kWords[pick(random)];
    if (random() % 2) word[0] = static_cast<char>(word[0] - 32);
    text += word;
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

}  // namespace tunedex::bench
