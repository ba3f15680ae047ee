// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the song-file fuzz target's seed corpus, made by the tests' own file builders.
#include <fstream>
#include <string>

#include "support/songfilebuilders.h"

int main(int argc, char** argv) {
  using namespace tunedex::test;
  if (argc != 2) return 2;
  const std::string folder = argv[1];
  const auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
  };
  write("karaoke.kar", MidiFile({{1, "@KMIDI KARAOKE FILE"},
                                 {1, "@V0100"},
                                 {1, "@Ttitle"},
                                 {1, "@Tartist"},
                                 {5, "words"}}));
  write("plain.mid",
        MidiFile({{3, "title"}, {3, "artist"}, {1, "author"}, {2, "(c)"}, {5, "la la"}}));
  write("wrapped.rmi", RmidFile({{3, "title"}, {3, "artist"}}));
  write("id3v2.mp3", Id3v2File({{"TIT2", "title"},
                                {"TPE1", "artist"},
                                {"TCON", "(17)"},
                                {"COMM", std::string("eng\0c", 5)},
                                {"USLT", "x"}}));
  write("id3v1.mp3",
        std::string("\xFF\xFB\x90\x00", 4) + Id3v1Tag("t", "a", "al", "2001", "c", 17));
  write("song.wma", WmaFile({AsfContentDescription("title", "author", "d"),
                             AsfExtendedContentDescription({{"WM/Year", 0, "1999"}})}));
  write("song.st3", StarDataFile(260, {{20, std::string("A\0\0B", 4)}, {132, "singer"}}));
  write("song.kfn", KfnBlock({{8, "title"}, {72, "artist"}, {752, LE32(17)}}));
  write("packed.kfn", PackedKfnFile(KfnBlock({{8, "title"}}), 1100));
  return 0;
}
