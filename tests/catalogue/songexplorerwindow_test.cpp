// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/songexplorerwindow.h"

#include <gtest/gtest.h>

#include "common/inifile.h"
#include "common/userlocale.h"
#include "support/fakefilesystem.h"
#include "support/scripteduser.h"
#include "support/songfilebuilders.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

using Strings = std::vector<std::string>;

// /music holds x.mp3 with its x.cdg, y.kar and z.kar; the catalogue holds x.mp3 and y.kar.
class SongExplorerWindowTest : public testing::Test {
 protected:
  SongExplorerWindowTest() {
    SetUserLocale("en_US");
    m_files.AddFolder("/music");
    m_files.AddFolder("/other");
    m_files.AddFile("/music/x.mp3", test::Id3v2File({{"TIT2", "X song"}, {"TPE1", "X"}}));
    m_files.AddFile("/music/x.cdg", "graphics");
    m_files.AddFile("/music/y.kar", "kar");
    m_files.AddFile("/music/z.kar", "kar");
    m_catalogue.Import({test::MakeRecord({.title = "X", .fileName = "/music/x.mp3"}),
                        test::MakeRecord({.title = "Y", .fileName = "/music/y.kar"})});
    m_catalogue.SetModified(false);
    m_window.List().ChooseFolder("/music");
    m_window.List().LoadAll();
  }

  SongReadStatus Read(const std::string& path, tSongRecord& record) {
    if (!m_files.FileExists(path)) return SongReadStatus::Missing;
    const std::string bytes = m_files.Contents(path);
    ReadSongRecordBytes(test::AsBytes(bytes), path, record,
                        [this](const std::string& p) { return m_files.FileExists(p); });
    return SongReadStatus::Read;
  }

  Strings Captions() const {
    Strings captions;
    for (const tExplorerItem& item : m_window.List().Items()) captions.push_back(item.caption);
    return captions;
  }
  // Selects the items of these names, the first of them the current one.
  void Select(const Strings& names) {
    tSongExplorer& list = m_window.List();
    bool first = true;
    for (std::size_t i = 0; i < list.Items().size(); ++i) {
      const bool wanted =
          std::find(names.begin(), names.end(), list.Items()[i].caption) != names.end();
      if (wanted && first) {
        list.SelectOnly(i);
        first = false;
      } else {
        list.SetSelected(i, wanted);
      }
    }
  }
  bool Catalogued(const std::string& path) const {
    return m_catalogue.Songs().FindByFileName(path) != nullptr;
  }
  Strings Texts() const {
    Strings texts;
    for (const auto& message : m_user.Messages()) texts.push_back(message.text);
    return texts;
  }

  test::FakeFileSystem m_files;
  test::ScriptedUser m_user;
  tCatalogue m_catalogue;
  tLivePlayerOptions m_options;
  tSongExplorerWindow m_window{
      {{m_catalogue, m_files, m_user, m_options,
        [this](const std::string& path, tSongRecord& record) { return Read(path, record); }},
       [](const std::string& path, InfoLines& lines) { lines = {"info of " + path}; }}};
};

TEST_F(SongExplorerWindowTest, DeleteRemovesFilesAndRecordsThenReselectsThePosition) {
  Select({"z.kar"});
  m_user.QueueButton(Button::Yes);
  m_window.Delete();
  m_window.List().LoadAll();
  EXPECT_EQ(Texts(), (Strings{"Are you sure that you wish to delete 'z.kar'?"}));
  EXPECT_EQ(Captions(), (Strings{"x.mp3", "y.kar"}));
  // The position was the last item's; the list is shorter now, so the last item is selected.
  ASSERT_TRUE(m_window.List().Position());
  EXPECT_EQ(*m_window.List().Position(), 1u);
  EXPECT_TRUE(m_window.List().Items()[1].selected);
}

TEST_F(SongExplorerWindowTest, DeclinedDeleteKeepsTheListAsItWas) {
  Select({"x.mp3", "y.kar"});
  m_user.QueueButton(Button::No);
  m_window.Delete();
  EXPECT_EQ(Texts(), (Strings{"Are you sure that you wish to delete these 2 items?"}));
  EXPECT_FALSE(m_window.List().Loading());
  EXPECT_EQ(Captions(), (Strings{"x.mp3", "y.kar", "z.kar"}));
  EXPECT_TRUE(Catalogued("/music/x.mp3"));
}

TEST_F(SongExplorerWindowTest, TrashTakesTheRecordOfEachTrashedFile) {
  Select({"y.kar"});
  m_user.QueueButton(Button::Yes);
  m_window.Trash();
  m_window.List().LoadAll();
  EXPECT_EQ(Texts(), (Strings{"Send 'y.kar' to the Trash?"}));
  EXPECT_FALSE(m_files.FileExists("/music/y.kar"));
  EXPECT_FALSE(Catalogued("/music/y.kar"));
  EXPECT_EQ(Captions(), (Strings{"x.mp3", "z.kar"}));
}

TEST_F(SongExplorerWindowTest, RenameTakesTheCompanionAndTheRecordAndKeepsTheItem) {
  ASSERT_TRUE(m_window.Rename(0, "w.mp3"));
  EXPECT_TRUE(m_files.FileExists("/music/w.mp3"));
  EXPECT_TRUE(m_files.FileExists("/music/w.cdg"));
  EXPECT_FALSE(m_files.FileExists("/music/x.cdg"));
  EXPECT_TRUE(Catalogued("/music/w.mp3"));
  EXPECT_TRUE(m_catalogue.Modified());
  const tExplorerItem& item = m_window.List().Items()[0];
  EXPECT_EQ(item.caption, "w.mp3");
  EXPECT_EQ(item.record.FileName(), "/music/w.mp3");
  EXPECT_EQ(item.title, "X Song");  // titles are capitalised as read
  EXPECT_TRUE(item.InCatalogue());
  EXPECT_EQ(m_window.List().StatusText(), "/music/w.mp3");
}

TEST_F(SongExplorerWindowTest, RefusedRenamesLeaveEverything) {
  for (const char* name : {"a/b.mp3", "", "y.kar"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(m_window.Rename(0, name));
    EXPECT_EQ(m_window.List().Items()[0].caption, "x.mp3");
    EXPECT_TRUE(m_files.FileExists("/music/x.mp3"));
    EXPECT_TRUE(Catalogued("/music/x.mp3"));
  }
  // A file gone since it was listed.
  m_files.Delete("/music/z.kar");
  EXPECT_FALSE(m_window.Rename(2, "zz.kar"));
}

TEST_F(SongExplorerWindowTest, PasteAfterCopyLeavesTheCatalogueAndAfterCutMovesTheRecords) {
  struct Case {
    bool cut;
  };
  for (const Case c : {Case{false}, Case{true}}) {
    SCOPED_TRACE(c.cut ? "cut" : "copy");
    Select({"x.mp3", "z.kar"});
    c.cut ? m_window.Cut() : m_window.Copy();
    EXPECT_TRUE(m_window.List().Commands().paste);
    EXPECT_EQ(m_window.Clipboard().sourceFolder, "/music/");
    m_window.Paste("/other");
    EXPECT_TRUE(m_window.Clipboard().Empty());  // a second paste needs a new Cut or Copy
    EXPECT_FALSE(m_window.List().Commands().paste);
    EXPECT_TRUE(m_files.FileExists("/other/x.mp3"));
    EXPECT_TRUE(m_files.FileExists("/other/x.cdg"));
    EXPECT_TRUE(m_files.FileExists("/other/z.kar"));
    EXPECT_EQ(Catalogued("/other/x.mp3"), c.cut);
    EXPECT_EQ(Catalogued("/music/x.mp3"), !c.cut);
    EXPECT_FALSE(Catalogued("/other/z.kar"));  // not catalogued before, nor after
    EXPECT_EQ(m_catalogue.Songs().Count(), 2u);
    if (c.cut) break;
    // Back to the start for the cut.
    for (const char* name : {"x.mp3", "x.cdg", "z.kar"})
      m_files.Delete(std::string("/other/") + name);
    m_window.List().LoadAll();
  }
}

TEST_F(SongExplorerWindowTest, DropMovesOrWithCtrlCopiesTheSelection) {
  Select({"y.kar"});
  m_window.Drop("/other", true);
  m_window.List().LoadAll();
  EXPECT_TRUE(m_files.FileExists("/music/y.kar"));
  EXPECT_TRUE(m_files.FileExists("/other/y.kar"));
  EXPECT_TRUE(Catalogued("/music/y.kar"));
  EXPECT_FALSE(Catalogued("/other/y.kar"));

  Select({"z.kar", "x.mp3"});
  m_window.Drop("/other", false);
  m_window.List().LoadAll();
  EXPECT_EQ(Captions(), (Strings{"y.kar"}));  // the current folder loaded again
  EXPECT_TRUE(Catalogued("/other/x.mp3"));
  EXPECT_TRUE(m_files.FileExists("/other/x.cdg"));
}

TEST_F(SongExplorerWindowTest, ADropOnItsOwnFolderMovesNothing) {
  Select({"x.mp3"});
  m_window.Drop("/music", false);
  EXPECT_TRUE(m_files.FileExists("/music/x.mp3"));
  EXPECT_TRUE(Catalogued("/music/x.mp3"));
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Error);
}

TEST_F(SongExplorerWindowTest, KeysAreUsedUpUnlessANameIsBeingEdited) {
  Select({"z.kar"});
  EXPECT_FALSE(m_window.Key(ExplorerKey::CtrlC, true));
  EXPECT_TRUE(m_window.Clipboard().Empty());
  EXPECT_FALSE(m_window.Key(ExplorerKey::Other, false));
  EXPECT_TRUE(m_window.Key(ExplorerKey::CtrlC, false));
  EXPECT_FALSE(m_window.Clipboard().move);
  EXPECT_TRUE(m_window.Key(ExplorerKey::CtrlX, false));
  EXPECT_TRUE(m_window.Clipboard().move);
  m_user.QueueButton(Button::No);
  EXPECT_TRUE(m_window.Key(ExplorerKey::Delete, false));
  EXPECT_EQ(Texts(), (Strings{"Send 'z.kar' to the Trash?"}));
}

TEST_F(SongExplorerWindowTest, InfoIsOfTheCurrentItem) {
  Select({"y.kar"});
  EXPECT_EQ(m_window.Info(), (InfoLines{"info of /music/y.kar"}));
  m_window.List().ChooseFolder("");
  EXPECT_TRUE(m_window.Info().empty());
}

TEST_F(SongExplorerWindowTest, StartsAtTheGivenFolderOrTheProgramsFolder) {
  EXPECT_EQ(m_window.StartFolder("/other", "/opt/tunedex"), "/other");
  EXPECT_EQ(m_window.StartFolder("/gone", "/opt/tunedex"), "/opt/tunedex");
  EXPECT_EQ(m_window.StartFolder("/music/y.kar", "/opt/tunedex"), "/opt/tunedex");
  EXPECT_EQ(m_window.StartFolder("", "/opt/tunedex"), "/opt/tunedex");
}

TEST_F(SongExplorerWindowTest, SettingsGoToTheirSectionAndAReadOnlyFileIsTold) {
  test::TempFolder folder;
  const std::string path = folder.Write("tunedex.ini", "[Main]\nTop=5\n");
  tExplorerSettings settings;
  settings.state = 2;
  settings.verticalDivision = 300;
  settings.columns = {100, 120, 140};
  ASSERT_TRUE(m_window.WriteSettings(path, settings));
  const tIniFile ini = tIniFile::Load(path);
  EXPECT_EQ(ini.ReadInteger("Main", "Top", 0), 5);  // other sections stay
  const tExplorerSettings read = m_window.ReadSettings(path);
  EXPECT_EQ(read.state, 2);
  EXPECT_EQ(read.verticalDivision, 300);
  EXPECT_EQ(read.columns, settings.columns);
  EXPECT_EQ(m_window.ReadSettings(folder.Path() + "/missing.ini"), tExplorerSettings());

  // A settings path below a file cannot be written.
  EXPECT_FALSE(m_window.WriteSettings(path + "/explorer.ini", settings));
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Warning);
  EXPECT_EQ(m_user.Messages()[0].text.rfind("The settings were not saved.\r", 0), 0u);
}

TEST(ExplorerLayoutTest, ListWidthAndColumnScaling) {
  EXPECT_EQ(ListWidthWithin(10, 800), kSmallestPane);
  EXPECT_EQ(ListWidthWithin(377, 800), 377);
  EXPECT_EQ(ListWidthWithin(790, 800), 724);
  // Scaled by the ratio and rounded...
  EXPECT_EQ(ScaleColumns({150, 150, 150}, 400, 800, 16), (std::array<int, 3>{300, 300, 300}));
  EXPECT_EQ(ScaleColumns({100, 301, 99}, 600, 300, 16), (std::array<int, 3>{94, 151, 94}));
  // ...raised to a third of the room left beside a scroll bar.
  EXPECT_EQ(ScaleColumns({30, 30, 30}, 300, 300, 16), (std::array<int, 3>{94, 94, 94}));
  EXPECT_EQ(ScaleColumns({150, 150, 150}, 0, 300, 16), (std::array<int, 3>{150, 150, 150}));
}

}  // namespace
}  // namespace tunedex
