// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakeplaylistwindows.h"

namespace tunedex::test {

std::vector<std::string> FakePlaylistWindows::LogOf(const std::string& prefix) const {
  std::vector<std::string> found;
  for (const std::string& entry : m_log) {
    if (entry.starts_with(prefix)) found.push_back(entry);
  }
  return found;
}

void FakePlaylistWindows::OpenFullList(int starting, int current) {
  m_log.push_back("open full list " + std::to_string(starting) + " " + std::to_string(current));
}

void FakePlaylistWindows::SetFullListRows(int starting, int current) {
  m_log.push_back("full list rows " + std::to_string(starting) + " " + std::to_string(current));
}

void FakePlaylistWindows::PlaySong(const tSong& song, bool playerInFront) {
  m_log.push_back("play " + std::string(song.Record().FileName()) +
                  (playerInFront ? " front" : ""));
}

void FakePlaylistWindows::ShowSongDetails(const tSong& song) {
  m_log.push_back("details " + std::string(song.Record().FileName()));
}

void FakePlaylistWindows::BringToFront(bool audienceToo) {
  m_log.push_back(audienceToo ? "front central+audience" : "front central");
}

}  // namespace tunedex::test
