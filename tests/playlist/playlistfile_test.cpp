// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using test::MakeRecord;
using test::ScriptedUser;
using test::TempFolder;

std::string Record(std::string_view singer, std::string_view file) {
  std::string out;
  out.push_back(static_cast<char>(singer.size()));
  out += singer;
  out.push_back(static_cast<char>(file.size()));
  out += file;
  return out;
}

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

class PlayListFileTest : public ::testing::Test {
 protected:
  PlayListFileTest() {
    for (const char* name : {"c:\\songs\\x.kar", "/k/a.kar", "/k/b.mp3", "/k/c.kfn"}) {
      songs.push_back(catalogue.Add(MakeRecord({.title = name, .fileName = name})));
    }
  }

  std::vector<std::string> Singers() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.Count(); ++i) out.push_back(list.Item(i).Singer);
    return out;
  }

  tCatalogue catalogue;
  std::vector<const tSong*> songs;
  tPlayList list{catalogue};
  ScriptedUser user;
  TempFolder folder;
};

TEST_F(PlayListFileTest, RecordLayoutIsLengthPrefixedSingerThenFileName) {
  list.Append("Ann", *songs[0]);
  EXPECT_EQ(PlayListBytes(list), std::string("\x03"
                                             "Ann"
                                             "\x0e"
                                             "c:\\songs\\x.kar"));
  EXPECT_EQ(PlayListBytes(list).size(), 19u);
}

TEST_F(PlayListFileTest, SingerNamesAreCutToTwentyFiveCharacters) {
  const struct {
    std::string given;
    std::string stored;
  } cases[] = {
      {std::string(40, 'a'), std::string(25, 'a')},
      {std::string(25, 'b'), std::string(25, 'b')},
      {"", ""},
      // Characters, not bytes: 30 two-byte letters keep 25 of them.
      {[] {
         std::string s;
         for (int i = 0; i < 30; ++i) s += "\xc3\xa9";
         return s;
       }(),
       [] {
         std::string s;
         for (int i = 0; i < 25; ++i) s += "\xc3\xa9";
         return s;
       }()},
  };
  for (const auto& c : cases) {
    tPlayListItem item(c.given, *songs[0]);
    EXPECT_EQ(item.Singer, c.stored) << c.given;
  }
  list.Append("", *songs[1]);
  EXPECT_EQ(PlayListBytes(list), std::string("\x00\x08/k/a.kar", 10));
}

TEST_F(PlayListFileTest, SingerTextsAreStoredLikeRecordTexts) {
  list.Append("J\xc3\xb6rg", *songs[1]);               // fits Windows-1252
  list.Append("\xe5\xb1\xb1\xe7\x94\xb0", *songs[2]);  // does not: stays UTF-8
  const std::string bytes = PlayListBytes(list);
  EXPECT_EQ(bytes.substr(0, 5), std::string("\x04J\xf6rg"));
  EXPECT_EQ(bytes.substr(14, 7), std::string("\x06\xe5\xb1\xb1\xe7\x94\xb0"));
  tPlayList back(catalogue);
  EXPECT_EQ(ReadPlayList(Bytes(bytes), back, user), LoadOutcome::Loaded);
  ASSERT_EQ(back.Count(), 2u);
  EXPECT_EQ(back.Item(0).Singer, "J\xc3\xb6rg");
  EXPECT_EQ(back.Item(1).Singer, "\xe5\xb1\xb1\xe7\x94\xb0");
}

TEST_F(PlayListFileTest, EmptyListIsAZeroByteFileBothWays) {
  const std::string path = folder.PathOf("empty.tdp");
  ASSERT_TRUE(SavePlayList(path, list, user));
  EXPECT_EQ(test::ReadFileText(path), "");
  list.Append("x", *songs[0]);
  EXPECT_EQ(LoadPlayList(path, list, user), LoadOutcome::Loaded);
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_TRUE(user.Messages().empty());
}

TEST_F(PlayListFileTest, SaveAndLoadKeepOrderAndShareSongs) {
  list.Append("Ann", *songs[1]);
  list.Append("Bob", *songs[2]);
  list.Append("Cy", *songs[1]);
  const std::string path = folder.PathOf("list.tdp");
  ASSERT_TRUE(SavePlayList(path, list, user));
  tPlayList back(catalogue);
  EXPECT_EQ(LoadPlayList(path, back, user), LoadOutcome::Loaded);
  ASSERT_EQ(back.Count(), 3u);
  EXPECT_EQ(back.Item(0).Song, songs[1]);
  EXPECT_EQ(back.Item(2).Song, songs[1]);  // one song record, two items
  EXPECT_EQ(back.Item(1).Singer, "Bob");
}

TEST_F(PlayListFileTest, LooksSongsUpIgnoringCase) {
  const std::string bytes = Record("A", "C:\\SONGS\\X.KAR");
  EXPECT_EQ(ReadPlayList(Bytes(bytes), list, user), LoadOutcome::Loaded);
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Item(0).Song, songs[0]);
}

TEST_F(PlayListFileTest, UnknownFileAsksAndOkGoesOnWhileCancelStops) {
  const std::string bytes =
      Record("A", "/k/a.kar") + Record("B", "/gone.kar") + Record("C", "/k/b.mp3");
  const struct {
    Button answer;
    LoadOutcome outcome;
    std::vector<std::string> singers;
  } cases[] = {
      {Button::Ok, LoadOutcome::Loaded, {"A", "C"}},
      {Button::Cancel, LoadOutcome::Cancelled, {"A"}},
  };
  for (const auto& c : cases) {
    ScriptedUser asked;
    asked.QueueButton(c.answer);
    EXPECT_EQ(ReadPlayList(Bytes(bytes), list, asked), c.outcome);
    EXPECT_EQ(Singers(), c.singers);
    ASSERT_EQ(asked.Messages().size(), 1u);
    EXPECT_EQ(asked.Messages()[0].text, "Cannot find /gone.kar\rin current Song list.");
    EXPECT_EQ(asked.Messages()[0].buttons, (std::vector<Button>{Button::Ok, Button::Cancel}));
  }
}

TEST_F(PlayListFileTest, ShortFilesKeepTheCompleteItems) {
  const std::string good = Record("A", "/k/a.kar");
  const struct {
    const char* what;
    std::string bytes;
    std::size_t items;
    std::size_t messages;
  } cases[] = {
      {"ends after the singer",
       good + std::string("\x02"
                          "Bo"),
       1, 0},
      {"ends after a length byte", good + std::string("\x00", 1), 1, 0},
      {"singer runs past the end",
       good + std::string("\x30"
                          "Bob\x08/k/b.mp3"),
       1, 0},
      {"file name runs past the end",
       good + std::string("\x01"
                          "B"
                          "\x20"
                          "/k/b"),
       1, 1},
      {"file name of no length",
       good +
           std::string("\x01"
                       "B\x00",
                       3) +
           good,
       2, 1},
  };
  for (const auto& c : cases) {
    ScriptedUser quiet;
    EXPECT_EQ(ReadPlayList(Bytes(c.bytes), list, quiet), LoadOutcome::Loaded) << c.what;
    EXPECT_EQ(list.Count(), c.items) << c.what;
    EXPECT_EQ(quiet.Messages().size(), c.messages) << c.what;
  }
}

TEST_F(PlayListFileTest, NamesThatAreNotUtf8AreShownDecoded) {
  const std::string bytes = Record("\xe9", "/k/\xff.kar");
  EXPECT_EQ(ReadPlayList(Bytes(bytes), list, user), LoadOutcome::Loaded);
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, "Cannot find /k/\xc3\xbf.kar\rin current Song list.");
}

TEST_F(PlayListFileTest, RandomBytesNeverCrash) {
  std::string bytes;
  std::uint32_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1103515245u + 12345u;
    bytes.push_back(static_cast<char>(state >> 16));
  }
  ScriptedUser tired;
  for (int i = 0; i < 3; ++i) tired.QueueButton(Button::Ok);
  tired.QueueButton(Button::Cancel);
  const LoadOutcome outcome = ReadPlayList(Bytes(bytes), list, tired);
  EXPECT_TRUE(outcome == LoadOutcome::Cancelled || outcome == LoadOutcome::Loaded);
  EXPECT_LE(tired.Messages().size(), 4u);
}

TEST_F(PlayListFileTest, FilesThatAreNotPlaylistsLeaveTheListAndSayWhy) {
  list.Append("keep", *songs[0]);
  EXPECT_EQ(LoadPlayList(folder.PathOf("missing.tdp"), list, user), LoadOutcome::Missing);
  EXPECT_TRUE(user.Messages().empty());
  ::mkdir(folder.PathOf("dir.tdp").c_str(), 0700);
  EXPECT_EQ(LoadPlayList(folder.PathOf("dir.tdp"), list, user), LoadOutcome::Failed);
  const std::string huge = folder.PathOf("huge.tdp");
  ASSERT_EQ(::truncate(folder.Write("huge.tdp", "x").c_str(), kMaxPlayListFileSize + 1), 0);
  EXPECT_EQ(LoadPlayList(huge, list, user), LoadOutcome::Failed);
  ASSERT_EQ(user.Messages().size(), 2u);
  EXPECT_NE(user.Messages()[0].text.find("dir.tdp"), std::string::npos);
  EXPECT_NE(user.Messages()[1].text.find("larger than any playlist"), std::string::npos);
  ASSERT_EQ(list.Count(), 1u);
  EXPECT_EQ(list.Item(0).Singer, "keep");
}

TEST_F(PlayListFileTest, FailedSaveKeepsTheOldFileAndSaysWhy) {
  const std::string path = folder.Write("old.tdp", Record("A", "/k/a.kar"));
  ::chmod(path.c_str(), 0444);
  list.Append("B", *songs[2]);
  EXPECT_FALSE(SavePlayList(path, list, user));
  EXPECT_EQ(test::ReadFileText(path), Record("A", "/k/a.kar"));
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_NE(user.Messages()[0].text.find("read-only"), std::string::npos);
}

TEST_F(PlayListFileTest, ItemsLeaveWithTheirSongs) {
  list.Append("A", *songs[1]);
  list.Append("B", *songs[2]);
  list.Append("C", *songs[1]);
  int told = 0;
  list.SetChangedHandler([&] { ++told; });
  catalogue.Remove(songs[1]);
  EXPECT_EQ(Singers(), std::vector<std::string>{"B"});
  EXPECT_EQ(told, 1);
  catalogue.New();
  EXPECT_TRUE(list.Empty());
}

TEST(ActivePlayListNameTest, ReplacesTheCatalogueExtension) {
  const std::pair<const char*, const char*> cases[] = {
      {"/a/songs.tdb", "/a/songs.tdp"},
      {"/a.b/songs", "/a.b/songs.tdp"},
      {"/a/.hidden", "/a/.hidden.tdp"},
      {"/a/x.y.tdb", "/a/x.y.tdp"},
  };
  for (const auto& [catalogue, playlist] : cases)
    EXPECT_EQ(ActivePlayListName(catalogue), playlist);
}

}  // namespace
}  // namespace tunedex
