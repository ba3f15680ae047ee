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
    view.Add(std::make_unique<tSong>(song));
  }

  // Opens the dialog on the view's first song and runs steps on it once it is shown.
  bool Run(int mode, const std::function<void(QDialog&)>& steps) {
    ids.FillFrom(view);
    RecordEditorContext context{view, ids, "Sve", user, players, {}, [this] { ++modified; }};
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
  tSongList view{tSongList::Ownership::OwnsSongs};
  tIDList ids;
  test::ScriptedUser user;
  tLivePlayerOptions players;
  tSongRecord record;
  int modified = 0;
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

}  // namespace
}  // namespace tunedex
