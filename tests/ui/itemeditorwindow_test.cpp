// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playlist/itemeditorwindow.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "common/inifile.h"
#include "playlist/centralfixture.h"
#include "ui/widgets/pictures.h"

namespace tunedex {
namespace {

struct PlacedError {
  std::string text;
  QPoint topLeft;
};

class ItemEditorWindowTest : public test::CentralFixture {
 protected:
  ItemEditorWindowTest() {
    InitUiResources();
    settingsPath = folder.Write("tunedex.ini", "");
    for (const tSong* song : songs) view.Add(const_cast<tSong*>(song));
  }
  ~ItemEditorWindowTest() override {
    if (editor) delete editor.data();
  }

  // Opens the editor as Playlist Central does: kAddMode, or the row to change.
  TItemEditorWindow* Edit(int mode) {
    if (mode == kAddMode) {
      central->AddItem();
    } else {
      central->SelectRow(mode);
      central->ChangeItem();
    }
    ItemEditorContext context{*central, catalogue, view, files, user, players};
    context.settingsPath = settingsPath;
    context.placedError = [this](std::string_view text, QPoint topLeft) {
      placed.push_back({std::string(text), topLeft});
    };
    editor = OpenItemEditor(nullptr, std::move(context), mode);
    if (editor) editor->FinishFilling();
    return editor;
  }

  // Whether the editor is gone: a closed window is deleted by the event loop.
  bool Gone() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return editor.isNull();
  }

  void ChooseRow(int row) {
    QTreeView& list = editor->SongList();
    list.selectionModel()->setCurrentIndex(
        list.model()->index(row, 0),
        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }

  void TypeSinger(const QString& name) {
    editor->SingerBox().clear();
    QTest::keyClicks(&editor->SingerBox(), name);
  }

  std::vector<std::string> Titles() const {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < central->Items().Count(); ++i) {
      out.push_back(central->Items().Item(i).Song->Record().Title());
    }
    return out;
  }

  tSongList view;
  std::string settingsPath;
  QPointer<TItemEditorWindow> editor;
  std::vector<PlacedError> placed;
};

TEST_F(ItemEditorWindowTest, AddModeShowsItsCaptionsAndTheAvailableSongs) {
  Open({{"Ann", 1}, {"bob", 2}, {"", 3}, {"Ann", 4}});
  files.Delete("/k/s2.kar");
  ASSERT_NE(Edit(kAddMode), nullptr);
  EXPECT_EQ(editor->windowTitle(), QStringLiteral("Playlist - add items"));
  EXPECT_EQ(editor->CancelButton().text(), QStringLiteral("Close"));
  EXPECT_EQ(editor->OkButton().text(), QStringLiteral("&Add to list"));
  EXPECT_FALSE(editor->CloseAfterAddBox().isHidden());
  EXPECT_FALSE(editor->PlacementBox().isHidden());
  EXPECT_EQ(editor->SongList().model()->rowCount(), 4);
  EXPECT_EQ(editor->SongList().model()->index(1, 0).data().toString(), QStringLiteral("ID3"));
  EXPECT_EQ(editor->SongList().model()->headerData(2, Qt::Horizontal).toString(),
            QStringLiteral("Original Artist"));
  EXPECT_EQ(editor->CounterLabel().text(), QStringLiteral("1/4"));
  EXPECT_EQ(editor->ChoiceLabel(1).text(), QString());  // nothing chosen yet
  ASSERT_EQ(editor->SingersList().count(), 2);
  EXPECT_EQ(editor->SingersList().item(0)->text(), QStringLiteral("Ann"));
  EXPECT_EQ(editor->SingersList().item(1)->text(), QStringLiteral("bob"));
  EXPECT_EQ(OpenedItemEditor(), editor.data());
  EXPECT_FALSE(central->Controls().addItem);
}

// Where a new item goes, with row 0 set as the starting item: Ann, Bob, Ann are in the list and
// Cy is added.
TEST_F(ItemEditorWindowTest, AnAddedItemGoesWhereThePlacementSays) {
  struct Case {
    int placement;
    std::vector<std::string> singers;
  };
  for (const Case& c : {Case{0, {"Ann", "Bob", "Ann", "Cy"}}, Case{1, {"Ann", "Cy", "Bob", "Ann"}},
                        Case{2, {"Ann", "Bob", "Cy", "Ann"}}}) {
    SCOPED_TRACE(c.placement);
    Open({{"Ann", 1}, {"Bob", 2}, {"Ann", 3}});
    central->SelectRow(0);
    central->SetStartingItem();
    ASSERT_NE(Edit(kAddMode), nullptr);
    editor->PlacementBox().setCurrentIndex(c.placement);
    TypeSinger(QStringLiteral("Cy"));
    ChooseRow(4);
    EXPECT_EQ(editor->ChoiceLabel(1).text(), QStringLiteral("T5"));
    EXPECT_EQ(editor->CounterLabel().text(), QStringLiteral("5/5"));
    editor->OkButton().click();
    EXPECT_EQ(Singers(), c.singers);
    EXPECT_TRUE(Gone()) << "closes after add by default";
    EXPECT_FALSE(central->EditorOpen());
  }
}

TEST_F(ItemEditorWindowTest, WithoutCloseAfterAddItemsAreAddedInARow) {
  Open({});
  ASSERT_NE(Edit(kAddMode), nullptr);
  editor->CloseAfterAddBox().setChecked(false);
  TypeSinger(QStringLiteral("Dee"));
  for (int row : {2, 0, 4}) {
    ChooseRow(row);
    editor->OkButton().click();
    ASSERT_FALSE(Gone());
    EXPECT_EQ(editor->ChoiceLabel(1).text(), QString()) << "cleared for the next item";
    EXPECT_EQ(editor->ChoiceLabel(0).text(), QStringLiteral("Dee")) << "the singer stays";
  }
  EXPECT_EQ(Titles(), (std::vector<std::string>{"T3", "T1", "T5"}));
  ASSERT_EQ(editor->SingersList().count(), 1);
  EXPECT_EQ(editor->SingersList().item(0)->text(), QStringLiteral("Dee"));
  editor->CancelButton().click();
  EXPECT_TRUE(Gone());
  EXPECT_FALSE(central->EditorOpen());
}

TEST_F(ItemEditorWindowTest, ChangeModeEditsTheItemAndCloses) {
  Open({{"Ann", 1}, {"Bob", 3}, {"Cy", 5}});
  ASSERT_NE(Edit(1), nullptr);
  EXPECT_EQ(editor->windowTitle(), QStringLiteral("Playlist - change item"));
  EXPECT_EQ(editor->OkButton().text(), QStringLiteral("&Ok"));
  EXPECT_EQ(editor->CancelButton().text(), QStringLiteral("Cancel"));
  EXPECT_TRUE(editor->CloseAfterAddBox().isHidden());
  EXPECT_TRUE(editor->PlacementBox().isHidden());
  EXPECT_EQ(editor->SingerBox().text(), QStringLiteral("Bob"));
  EXPECT_EQ(editor->SingersList().currentItem()->text(), QStringLiteral("Bob"));
  EXPECT_EQ(editor->SongList().currentIndex().row(), 2);  // the item's song, T3
  EXPECT_EQ(editor->ChoiceLabel(1).text(), QStringLiteral("T3"));
  EXPECT_EQ(editor->ChoiceLabel(2).text(), QStringLiteral("Eng"));

  editor->SingersList().setCurrentRow(0);
  Q_EMIT editor->SingersList().itemClicked(editor->SingersList().item(0));
  EXPECT_EQ(editor->SingerBox().text(), QStringLiteral("Ann"));
  ChooseRow(3);
  editor->OkButton().click();
  EXPECT_TRUE(Gone());
  EXPECT_EQ(Singers(), (std::vector<std::string>{"Ann", "Ann", "Cy"}));
  EXPECT_EQ(Titles(), (std::vector<std::string>{"T1", "T4", "T5"}));
  EXPECT_EQ(central->SelectedRow(), 1);
}

TEST_F(ItemEditorWindowTest, ARowThatIsNotInTheListOpensNothing) {
  Open({{"Ann", 1}});
  ItemEditorContext context{*central, catalogue, view, files, user, players};
  EXPECT_EQ(OpenItemEditor(nullptr, std::move(context), 7), nullptr);
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, "Please select the item you wish to change");
  EXPECT_FALSE(central->EditorOpen());
}

TEST_F(ItemEditorWindowTest, SearchJoinsTheFieldsWithAStarAndDoesNotWrap) {
  Open({});
  ASSERT_NE(Edit(kAddMode), nullptr);
  EXPECT_FALSE(editor->FindNextButton().isEnabled());
  struct Case {
    const char* text;
    int row;  // the chosen row afterwards; -1: unchanged from the first row
  };
  for (const Case& c :
       {Case{"id3", 2}, Case{"t4*artist4", 3}, Case{"t4artist4", 3}, Case{"ARTIST2", 1}}) {
    SCOPED_TRACE(c.text);
    editor->SearchBox().setText(QString::fromLatin1(c.text));
    EXPECT_TRUE(editor->FindNextButton().isEnabled());
    EXPECT_EQ(editor->SongList().currentIndex().row(), c.row);
  }
  // "artist" is in every row: Find next walks on from the found row and stops at the last.
  editor->SearchBox().setText(QStringLiteral("artist"));
  EXPECT_EQ(editor->SongList().currentIndex().row(), 0);
  for (int expected : {1, 2, 3, 4}) {
    editor->FindNextButton().click();
    EXPECT_EQ(editor->SongList().currentIndex().row(), expected);
  }
  EXPECT_TRUE(user.Messages().empty());
  editor->FindNextButton().click();
  ASSERT_EQ(user.Messages().size(), 1u);
  EXPECT_EQ(user.Messages()[0].text, "Cannot find another song with \"artist\"");
  EXPECT_EQ(editor->SongList().currentIndex().row(), 4);
  EXPECT_EQ(editor->CounterLabel().text(), QStringLiteral("5/5"));
  EXPECT_EQ(editor->SongList().toolTip(), QStringLiteral("s5.mp3"));
  EXPECT_EQ(editor->InformationLine().text(), QStringLiteral("/k/s5.mp3"));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&editor->SongList(), &leave);
  EXPECT_EQ(editor->SongList().toolTip(), QStringLiteral("Available songs pane"));

  QTest::keyClick(&editor->SearchBox(), Qt::Key_Escape);
  EXPECT_EQ(editor->SearchBox().text(), QString());
  EXPECT_FALSE(editor->FindNextButton().isEnabled());
  EXPECT_FALSE(Gone()) << "Esc in the search box only clears it";
}

// OK's two checks: the message goes beside the field to correct, and nothing is added.
TEST_F(ItemEditorWindowTest, OkSaysWhatIsMissingBesideTheField) {
  struct Case {
    const char* singer;
    bool blankNames;
    bool chooseSong;
    std::string message;
    bool nearSinger;
  };
  const std::string noSinger =
      "No singer's name has been provided for this item.\r\rIf you wish to add songs without "
      "singers' names\rplease place a check mark in the \"Allow singers'\rnames to be added "
      "later\" box.";
  const std::string noSong = "Please select a song for this item.\r\r";
  for (const Case& c :
       {Case{"", false, true, noSinger, true}, Case{"Eve", false, false, noSong, false},
        Case{"", true, false, noSong, false}}) {
    SCOPED_TRACE(c.message);
    Open({{"Ann", 1}});
    placed.clear();
    ASSERT_NE(Edit(kAddMode), nullptr);
    editor->show();
    TypeSinger(QString::fromLatin1(c.singer));
    editor->BlankNamesBox().setChecked(c.blankNames);
    if (c.chooseSong) ChooseRow(1);
    editor->OkButton().click();
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].text, c.message);
    QWidget& field = c.nearSinger ? static_cast<QWidget&>(editor->SingerBox())
                                  : static_cast<QWidget&>(editor->SongList());
    EXPECT_EQ(placed[0].topLeft, field.mapToGlobal(QPoint(150, 30)));
    EXPECT_TRUE(user.Messages().empty()) << "shown once, placed";
    EXPECT_FALSE(Gone());
    EXPECT_EQ(central->Items().Count(), 1u);
    delete editor.data();
  }
}

TEST_F(ItemEditorWindowTest, AViewWithoutExistingFilesOffersNoSongs) {
  Open({});
  for (int i = 1; i <= 5; ++i) files.Delete(std::string(songs[i - 1]->Record().FileName()));
  ASSERT_NE(Edit(kAddMode), nullptr);
  EXPECT_EQ(editor->SongList().model()->rowCount(), 0);
  EXPECT_EQ(editor->InformationLine().text(), QStringLiteral("No available songs in song-list"));
  EXPECT_EQ(editor->CounterLabel().text(), QString());
}

TEST_F(ItemEditorWindowTest, TheAvailableSongsFillInSlicesWhileTheWindowRuns) {
  Open({});
  constexpr int kMore = 600;
  for (int i = 0; i < kMore; ++i) {
    const std::string name = "/m/x" + std::to_string(i) + ".kar";
    tSongRecord record = test::MakeRecord({.title = "X" + std::to_string(i), .fileName = name});
    view.Add(const_cast<tSong*>(catalogue.Add(record)));
    if (i % 3 != 0) files.AddFile(name);  // every third file is missing
  }
  central->AddItem();
  ItemEditorContext context{*central, catalogue, view, files, user, players};
  editor = OpenItemEditor(nullptr, std::move(context), kAddMode);
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(editor->Filling());
  EXPECT_EQ(editor->SongList().model()->rowCount(), 0);
  std::vector<int> counts;
  while (editor->Filling()) {
    QCoreApplication::processEvents();
    counts.push_back(editor->SongList().model()->rowCount());
  }
  ASSERT_GE(counts.size(), 2u) << "more than one turn of the event loop";
  EXPECT_LT(counts.front(), 5 + 400);
  EXPECT_EQ(counts.back(), 5 + 400);
  EXPECT_EQ(editor->CounterLabel().text(), QStringLiteral("1/405"));
  EXPECT_EQ(editor->SongList().currentIndex().row(), 0);
}

TEST_F(ItemEditorWindowTest, ClosingWritesTheSettingsAndOpeningReadsThem) {
  Open({{"Ann", 1}});
  ASSERT_NE(Edit(kAddMode), nullptr);
  editor->show();
  editor->BlankNamesBox().setChecked(true);
  editor->CloseAfterAddBox().setChecked(false);
  editor->PlacementBox().setCurrentIndex(2);
  editor->SongList().setColumnWidth(1, 222);
  editor->close();
  EXPECT_TRUE(Gone());
  EXPECT_FALSE(central->EditorOpen());
  const tIniFile ini = tIniFile::Load(settingsPath);
  EXPECT_TRUE(ini.ReadBool(kItemEditorSection, "Blank names", false));
  EXPECT_FALSE(ini.ReadBool(kItemEditorSection, "Close on add", true));
  EXPECT_EQ(ini.ReadInteger(kItemEditorSection, "Placement", 0), 2);
  EXPECT_EQ(ini.ReadInteger(kItemEditorSection, "Col 1", 0), 222);

  ASSERT_NE(Edit(kAddMode), nullptr);
  EXPECT_TRUE(editor->BlankNamesBox().isChecked());
  EXPECT_FALSE(editor->CloseAfterAddBox().isChecked());
  EXPECT_EQ(editor->PlacementBox().currentIndex(), 2);
}

TEST_F(ItemEditorWindowTest, ThePopupMenuHasItsEntriesAndShortcuts) {
  Open({});
  ASSERT_NE(Edit(kAddMode), nullptr);
  QStringList texts;
  for (QAction* action : editor->PopupMenu().actions()) {
    if (!action->isSeparator()) {
      texts << action->text() + QLatin1Char(' ') + action->shortcut().toString();
    }
  }
  EXPECT_EQ(texts,
            (QStringList{QStringLiteral("SingerName Ctrl+N"),
                         QStringLiteral("CloseAfterAdd Ctrl+C"), QStringLiteral("ShowDetails F2"),
                         QStringLiteral("PlaySong F9"), QStringLiteral("FindAgain F3"),
                         QStringLiteral("Help F1"), QStringLiteral("Exit Ctrl+X")}));
  const bool before = editor->BlankNamesBox().isChecked();
  editor->PopupMenu().actions().front()->trigger();
  EXPECT_NE(editor->BlankNamesBox().isChecked(), before);
}

}  // namespace
}  // namespace tunedex
