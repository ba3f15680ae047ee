// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/import/recordeditordialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "common/userlocale.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "ui/widgets/pictures.h"

namespace tunedex {
namespace {

using test::MakeRecord;

// The song record dialog driven through its widgets while it runs modally.
class RecordEditorDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserLocale("en_US");
    InitUiResources();
  }

  void AddSong(const std::string& title, const std::string& notes) {
    tSongRecord song = MakeRecord({.title = title,
                                   .language = "Eng",
                                   .fileName = folder.PathOf(title + ".kar"),
                                   .idCode = title.substr(0, 2) + "001"});
    song.SetNotes(notes);
    view.Add(catalogue.Add(song));
    catalogue.SetModified(false);
  }

  // Opens the dialog on the view's first song and runs steps on it once it is shown.
  bool Run(int mode, const std::function<void(QDialog&)>& steps) {
    RecordEditorContext context{view, catalogue, "Sve", user, players, {}};
    bool shown = false;
    QTimer::singleShot(0, [&steps, &shown] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QStringLiteral("TSongRecordDlg") && widget->isVisible()) {
          auto& dialog = static_cast<QDialog&>(*widget);
          shown = true;
          steps(dialog);
          if (dialog.isVisible()) dialog.reject();
        }
      }
    });
    record = view[0]->Record();
    std::string lastFolder;
    const bool changed =
        RunSongRecordDialog(nullptr, context, record, mode, lastFolder, [](int) {});
    EXPECT_TRUE(shown) << "the dialog was not found";
    return changed;
  }

  template <typename T>
  static T* ByHint(QDialog& dialog, const QString& hint) {
    for (T* child : dialog.findChildren<T*>()) {
      if (child->toolTip() == hint) return child;
    }
    return nullptr;
  }
  static void Click(QDialog& dialog, const QString& hint) {
    if (auto* button = ByHint<QAbstractButton>(dialog, hint))
      button->click();
    else
      ADD_FAILURE() << "no button " << hint.toStdString();
  }

  test::TempFolder folder;
  tCatalogue catalogue;
  tSongList view;  // every song of the catalogue
  test::ScriptedUser user;
  tLivePlayerOptions players;
  tSongRecord record;
};

TEST_F(RecordEditorDialogTest, EditFieldsTakeWhatTheRecordHolds) {
  AddSong("Waterloo", "");
  Run(kExisting | kEditable, [](QDialog& dialog) {
    for (const TextField field :
         {TextField::IdCode, TextField::Title, TextField::Artist, TextField::Language}) {
      const QLineEdit* edit =
          ByHint<QLineEdit>(dialog, QString::fromStdString(EditFieldHint(field)));
      ASSERT_NE(edit, nullptr) << EditFieldHint(field);
      EXPECT_EQ(edit->maxLength(), static_cast<int>(tSongRecord::MaxLength(field)));
    }
    EXPECT_NE(ByHint<QPlainTextEdit>(dialog, QStringLiteral("Your notes (up to 255 characters)")),
              nullptr);
  });
}

// Notes the Windows program wrote have CR LF line breaks, which the text box shows as LF.
// Stepping through them in View mode and OK leave every record as it was.
TEST_F(RecordEditorDialogTest, ViewingNotesWithCrLfChangesNothing) {
  AddSong("Waterloo", "first\r\nsecond");
  AddSong("Fernando", "no\r\nbreak\u00a0here");
  AddSong("Chiquitita", "");
  std::vector<tSongRecord> before;
  for (std::size_t i = 0; i < view.Count(); ++i) before.push_back(view[i]->Record());
  const bool changed = Run(kExisting | kNavigator, [](QDialog& dialog) {
    EXPECT_EQ(ByHint<QPlainTextEdit>(dialog, QStringLiteral("Your notes (up to 255 characters)"))
                  ->toPlainText(),
              QStringLiteral("first\nsecond"));
    for (const char* step : {"Next song", "Next song", "First song"}) {
      Click(dialog, QString::fromLatin1(step));
    }
    Click(dialog, QStringLiteral("Close the dialog and keep any changes"));
  });
  EXPECT_FALSE(changed);
  EXPECT_FALSE(catalogue.Modified());
  for (std::size_t i = 0; i < view.Count(); ++i) EXPECT_EQ(view[i]->Record(), before[i]) << i;
}

// An edited note keeps the line breaks it had.
TEST_F(RecordEditorDialogTest, AnEditedNoteKeepsItsLineBreaks) {
  AddSong("Waterloo", "first\r\nsecond");
  const bool changed = Run(kExisting | kEditable, [](QDialog& dialog) {
    auto* notes =
        ByHint<QPlainTextEdit>(dialog, QStringLiteral("Your notes (up to 255 characters)"));
    notes->moveCursor(QTextCursor::End);
    notes->insertPlainText(QStringLiteral("\nthird"));
    Click(dialog, QStringLiteral("Close the dialog and keep any changes"));
  });
  EXPECT_TRUE(changed);
  EXPECT_EQ(record.Notes(), "first\r\nsecond\r\nthird");
  EXPECT_EQ(view[0]->Record().Notes(), "first\r\nsecond\r\nthird");
}

}  // namespace
}  // namespace tunedex
