// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print/printpreviewdialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>
#include <filesystem>

#include "catalogue/catalogue.h"
#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "print/reportdate.h"
#include "support/fakevolumes.h"
#include "support/scripteduser.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "ui/main/mainwindow.h"

namespace tunedex {
namespace {

using namespace std::chrono;
using test::AddSongs;
using test::MakeRecord;

QStringList PaneLines(QPlainTextEdit& pane) {
  return pane.toPlainText().split(u'\n');
}

std::string Head(const std::string& path, std::size_t count) {
  return test::ReadFileText(path).substr(0, count);
}

class PrintPreviewTest : public testing::Test {
 protected:
  void SetUp() override {
    AddSongs(m_view, {{.title = "Waterloo", .artist = "ABBA", .idCode = "WA001"},
                      {.title = "  Amour  ", .artist = "Zaz", .idCode = "AM001"}});
  }

  std::unique_ptr<TPreviewWin> Open(std::string title = "Showing: All Songs, Sort: Title") {
    PrintPreviewContext context{m_view, std::move(title), m_user};
    context.date = year{2026} / December / 10;
    context.dateFormats = &m_formats;
    context.help = [this](int topic) { m_topics.push_back(topic); };
    context.chooseSongbook = [this](QWidget*) { return m_songbook; };
    return std::make_unique<TPreviewWin>(std::move(context));
  }

  tSongList m_view{tSongList::Ownership::OwnsSongs};
  test::ScriptedUser m_user;
  IcuDateFormats m_formats{"en_US"};
  std::vector<int> m_topics;
  std::optional<PrintLayout> m_songbook = PrintLayout::ByArtist;
  test::TempFolder m_folder;
};

TEST_F(PrintPreviewTest, ShowsTheProductTheTitleTheDateAndTheColumnHeading) {
  auto preview = Open();
  EXPECT_EQ(preview->windowTitle(), QStringLiteral("Print Preview"));
  EXPECT_EQ(preview->MainHeader().text(), QStringLiteral("-   T u n e d e x   -"));
  EXPECT_EQ(preview->SubHeader().text(), QStringLiteral("https://tunedex.org"));
  EXPECT_EQ(preview->GroupLabel().text(), QStringLiteral("Showing: All Songs, Sort: Title"));
  EXPECT_EQ(preview->DateLabel().text(), QStringLiteral("Thursday 12/10/26"));
  // Every blank counts: the words stand over the pane's tab stops.
  EXPECT_EQ(preview->ColumnHeading().text(),
            QStringLiteral("                ID code       Title                               "
                           "                  Artist"));
}

TEST_F(PrintPreviewTest, IsAFixedSizeWindowWithItsToolbarAndAHiddenDisabledHelpButton) {
  auto preview = Open();
  EXPECT_EQ(preview->minimumSize(), preview->maximumSize());
  QStringList captions;
  for (const QAction* action : preview->findChild<QToolBar*>()->actions()) {
    if (!action->isSeparator() && !action->text().isEmpty()) captions << action->text();
  }
  EXPECT_EQ(captions, (QStringList{QStringLiteral("Printer setup"), QStringLiteral("Print"),
                                   QStringLiteral("Songbook..."), QStringLiteral("Save Report")}));
  EXPECT_EQ(preview->CloseButton().text(), QStringLiteral("&Close"));
  preview->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
  // The buttons show the captions whole.
  auto* songbook = qobject_cast<QToolButton*>(
      preview->findChild<QToolBar*>()->widgetForAction(&preview->Action(PreviewCommand::Songbook)));
  ASSERT_NE(songbook, nullptr);
  EXPECT_EQ(songbook->text(), QStringLiteral("Songbook..."));
  EXPECT_TRUE(preview->CloseButton().isVisible());
  EXPECT_EQ(preview->HelpButton().text(), QStringLiteral("&Help"));
  EXPECT_FALSE(preview->HelpButton().isVisible());
  EXPECT_FALSE(preview->HelpButton().isEnabled());
  // Centred on the screen.
  const QPoint centre = preview->screen()->availableGeometry().center();
  EXPECT_LE((preview->frameGeometry().center() - centre).manhattanLength(), 1);
  preview->CloseButton().click();
  EXPECT_FALSE(preview->isVisible());
}

TEST(SongbookChoiceTest, AsksForTheOrderByArtistFirst) {
  struct Case {
    const char* click;  // the radio button chosen, or none
    bool accept;
    std::optional<PrintLayout> chosen;
  };
  const Case cases[] = {
      {nullptr, true, PrintLayout::ByArtist},
      {"By &title", true, PrintLayout::ByTitle},
      {"By &title", false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.click ? c.click : "none");
    QTimer::singleShot(0, [&c] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      for (QRadioButton* button : dialog->findChildren<QRadioButton*>()) {
        if (c.click && button->text() == QString::fromLatin1(c.click)) button->click();
      }
      if (c.accept) {
        dialog->accept();
      } else {
        dialog->reject();
      }
    });
    EXPECT_EQ(AskSongbookLayout(nullptr), c.chosen);
  }
}

struct FontCase {
  const char* label;
  QLabel& (TPreviewWin::*get)();
  const char* family;
  int pixels;
  bool bold;
  bool italic;
  QRgb colour;
};

TEST_F(PrintPreviewTest, LabelsHaveTheirFontsAndColours) {
  const FontCase cases[] = {
      {"main header", &TPreviewWin::MainHeader, "Arial", 19, true, true, 0xFF808080},
      {"sub-header", &TPreviewWin::SubHeader, "Arial", 12, false, false, 0xFF000000},
      {"group label", &TPreviewWin::GroupLabel, "Arial", 12, true, false, 0xFF000000},
      {"column heading", &TPreviewWin::ColumnHeading, "Arial", 13, true, false, 0xFF000000},
  };
  auto preview = Open();
  for (const FontCase& c : cases) {
    SCOPED_TRACE(c.label);
    QLabel& label = ((*preview).*c.get)();
    EXPECT_EQ(label.font().family(), QString::fromLatin1(c.family));
    EXPECT_EQ(label.font().pixelSize(), c.pixels);
    EXPECT_EQ(label.font().bold(), c.bold);
    EXPECT_EQ(label.font().italic(), c.italic);
    EXPECT_EQ(label.palette().color(QPalette::WindowText).rgba(), c.colour);
  }
  EXPECT_TRUE(preview->MainHeader().alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(preview->SubHeader().alignment() & Qt::AlignHCenter);
  EXPECT_TRUE(preview->DateLabel().alignment() & Qt::AlignRight);
  EXPECT_EQ(preview->DateLabel().width(), 130);
  const QFont pane = preview->ReportPane().font();
  EXPECT_EQ(pane.family(), QStringLiteral("MS Sans Serif"));
  EXPECT_EQ(pane.pixelSize(), 13);
  EXPECT_TRUE(preview->ReportPane().isReadOnly());
}

TEST_F(PrintPreviewTest, TheDateLabelIsTheWeekdayAndTheShortDateOfTheLocale) {
  struct Case {
    const char* locale;
    year_month_day date;
    const char* text;
  };
  const Case cases[] = {
      {"en_US", year{2026} / December / 10, "Thursday 12/10/26"},
      {"en_US", year{2024} / February / 29, "Thursday 2/29/24"},
      {"de_DE", year{2026} / December / 10, "Donnerstag 10.12.26"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    IcuDateFormats formats(c.locale);
    PrintPreviewContext context{m_view, "T", m_user};
    context.date = c.date;
    context.dateFormats = &formats;
    TPreviewWin preview(std::move(context));
    EXPECT_EQ(preview.DateLabel().text(), QString::fromUtf8(c.text));
    EXPECT_EQ(preview.Heading().dateText, c.text);
  }
}

TEST_F(PrintPreviewTest, ThePaneHasALinePerSongInViewOrderAndTheCount) {
  AddSongs(
      m_view,
      {{.title = "  " + std::string(49, 'x') + "yz", .artist = "Artist\tName", .idCode = "LO001"}});
  auto preview = Open();
  EXPECT_EQ(PaneLines(preview->ReportPane()),
            (QStringList{
                QStringLiteral("\tWA001\tWaterloo\tABBA"), QStringLiteral("\tAM001\tAmour\tZaz"),
                // The first 50 characters, then trimmed; a TAB inside becomes a blank.
                QStringLiteral("\tLO001\t") + QString(48, u'x') + QStringLiteral("\tArtist Name"),
                QStringLiteral("3 songs")}));
  EXPECT_EQ(preview->ReportPane().document()->blockCount(), 4);
}

TEST_F(PrintPreviewTest, AnEmptyViewShowsOnlyTheCount) {
  m_view.Clear();
  auto preview = Open();
  EXPECT_EQ(preview->ReportPane().toPlainText(), QStringLiteral("0 songs"));
}

TEST_F(PrintPreviewTest, ThePaneHasThreeTabStopsInScreenPixels) {
  auto preview = Open();
  const int dpi = preview->logicalDpiX();
  std::vector<int> expected;
  for (const int twips : {970, 2100, 5500}) {
    expected.push_back(static_cast<int>(std::lround(twips * dpi / 1440.0)));
  }
  EXPECT_EQ(preview->TabStops(), expected);
  std::vector<int> applied;
  for (const QTextOption::Tab& tab : preview->ReportPane().document()->defaultTextOption().tabs()) {
    applied.push_back(static_cast<int>(tab.position));
  }
  EXPECT_EQ(applied, expected);
  // Every line is laid out with them: the ID code starts at the first stop.
  preview->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
  const QTextBlock first = preview->ReportPane().document()->firstBlock();
  ASSERT_TRUE(first.layout() != nullptr);
  ASSERT_GT(first.layout()->lineCount(), 0);
  EXPECT_NEAR(first.layout()->lineAt(0).cursorToX(1), expected[0] + 4, 4.0)
      << "the document margin is 4 pixels";
}

TEST_F(PrintPreviewTest, F1AnywhereInTheWindowAsksForItsHelpTopic) {
  auto preview = Open();
  preview->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(preview.get()));
  QTest::keyClick(&preview->ReportPane(), Qt::Key_F1);
  QTest::keyClick(&preview->CloseButton(), Qt::Key_F1);
  EXPECT_EQ(m_topics, (std::vector<int>{6000, 6000}));
  EXPECT_TRUE(preview->isVisible());
}

// ---------------------------------------------------------------------------------------------
// Save Report

TEST_F(PrintPreviewTest, SaveReportWritesTheLinesEndedByCrLf) {
  const std::string path = m_folder.PathOf("report.txt");
  m_user.QueueFile(path);
  auto preview = Open();
  preview->Run(PreviewCommand::SaveReport);
  ASSERT_EQ(m_user.FileRequests().size(), 1u);
  const FileDialogRequest& request = m_user.FileRequests()[0];
  ASSERT_EQ(request.filters.size(), 1u);
  EXPECT_EQ(request.filters[0].name, "Text files");
  EXPECT_EQ(request.filters[0].patterns, std::vector<std::string>{"*.txt"});
  EXPECT_EQ(request.defaultExtension, "txt");
  EXPECT_EQ(test::ReadFileText(path),
            "-   T u n e d e x   -\r\n"
            "https://tunedex.org\r\n"
            "Showing: All Songs, Sort: Title\tThursday 12/10/26\r\n"
            "\tID Code\tTitle\tArtist\r\n"
            "\tWA001\tWaterloo\tABBA\r\n"
            "\tAM001\tAmour\tZaz\r\n"
            "2 songs\r\n");
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_F(PrintPreviewTest, SaveReportOfAnEmptyViewHasFiveLines) {
  m_view.Clear();
  const std::string path = m_folder.PathOf("empty.txt");
  m_user.QueueFile(path);
  auto preview = Open("Showing: English songs");
  preview->Run(PreviewCommand::SaveReport);
  EXPECT_EQ(test::ReadFileText(path),
            "-   T u n e d e x   -\r\nhttps://tunedex.org\r\n"
            "Showing: English songs\tThursday 12/10/26\r\n\tID Code\tTitle\tArtist\r\n0 songs\r\n");
}

TEST_F(PrintPreviewTest, CancellingTheSaveDialogWritesNothing) {
  m_user.QueueFile(std::nullopt);
  auto preview = Open();
  preview->Run(PreviewCommand::SaveReport);
  EXPECT_EQ(m_user.FileRequests().size(), 1u);
  EXPECT_TRUE(std::filesystem::is_empty(m_folder.Path()));
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_F(PrintPreviewTest, AFailingSaveSaysWhyAndLeavesTheOldFile) {
  const std::string path = m_folder.Write("report.txt", "old contents");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  const std::string missing = m_folder.PathOf("no such folder/report.txt");
  m_user.QueueFile(path);
  m_user.QueueFile(missing);
  auto preview = Open();
  preview->Run(PreviewCommand::SaveReport);
  preview->Run(PreviewCommand::SaveReport);
  ASSERT_EQ(m_user.Messages().size(), 2u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Error);
  EXPECT_NE(m_user.Messages()[0].text.find(path), std::string::npos) << m_user.Messages()[0].text;
  EXPECT_NE(m_user.Messages()[0].text.find("read-only"), std::string::npos);
  EXPECT_NE(m_user.Messages()[1].text.find(missing), std::string::npos);
  EXPECT_EQ(test::ReadFileText(path), "old contents");
}

// ---------------------------------------------------------------------------------------------
// Printing and the songbook

TEST_F(PrintPreviewTest, SongbookWritesAPdfInTheOrderChosen) {
  for (const PrintLayout layout : {PrintLayout::ByArtist, PrintLayout::ByTitle}) {
    SCOPED_TRACE(static_cast<int>(layout));
    m_songbook = layout;
    const std::string path =
        m_folder.PathOf("songbook" + std::to_string(static_cast<int>(layout)) + ".pdf");
    m_user.QueueFile(path);
    auto preview = Open();
    preview->Run(PreviewCommand::Songbook);
    EXPECT_EQ(Head(path, 4), "%PDF");
    EXPECT_EQ(preview->findChild<QProgressDialog*>(), nullptr) << "the progress window is gone";
  }
  ASSERT_EQ(m_user.FileRequests().size(), 2u);
  EXPECT_EQ(m_user.FileRequests()[0].defaultExtension, "pdf");
  ASSERT_EQ(m_user.FileRequests()[0].filters.size(), 1u);
  EXPECT_EQ(m_user.FileRequests()[0].filters[0].patterns, std::vector<std::string>{"*.pdf"});
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_F(PrintPreviewTest, CancellingTheSongbookChoiceAsksForNoFile) {
  m_songbook.reset();
  auto preview = Open();
  preview->Run(PreviewCommand::Songbook);
  EXPECT_TRUE(m_user.FileRequests().empty());
}

TEST_F(PrintPreviewTest, CancelInTheProgressWindowStopsTheSongbookAndLeavesTheOldFile) {
  const std::string path = m_folder.Write("songbook.pdf", "old contents");
  m_user.QueueFile(path);
  auto preview = Open();
  bool cancelled = false;
  QTimer::singleShot(0, preview.get(), [&] {
    if (auto* progress = preview->findChild<QProgressDialog*>()) {
      progress->cancel();
      cancelled = true;
    }
  });
  preview->Run(PreviewCommand::Songbook);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(test::ReadFileText(path), "old contents");
}

TEST_F(PrintPreviewTest, ASongbookThatCannotBeWrittenSaysWhy) {
  const std::string path = m_folder.PathOf("no such folder/songbook.pdf");
  m_user.QueueFile(path);
  auto preview = Open();
  preview->Run(PreviewCommand::Songbook);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Error);
  EXPECT_NE(m_user.Messages()[0].text.find(path), std::string::npos);
}

TEST_F(PrintPreviewTest, PrintGoesToThePrinterAsTheKaraokeSongsJob) {
  const std::string path = m_folder.PathOf("printed.pdf");
  auto preview = Open();
  preview->Printer().setOutputFormat(QPrinter::PdfFormat);
  preview->Printer().setOutputFileName(QString::fromStdString(path));
  preview->Run(PreviewCommand::Print);
  EXPECT_EQ(preview->Printer().docName(), QStringLiteral("Karaoke Songs"));
  EXPECT_TRUE(preview->Printer().fullPage());
  EXPECT_EQ(Head(path, 4), "%PDF");
  EXPECT_TRUE(m_user.Messages().empty());
}

TEST_F(PrintPreviewTest, CancelStopsPrintingAtThePageReachedAndSaysWhatWasPrinted) {
  for (int i = 0; i < 300; ++i) {
    AddSongs(m_view, {{.title = "Song " + std::to_string(i), .artist = "Artist", .idCode = "S1"}});
  }
  auto preview = Open();
  preview->Printer().setOutputFormat(QPrinter::PdfFormat);
  preview->Printer().setOutputFileName(QString::fromStdString(m_folder.PathOf("printed.pdf")));
  // Cancel once painting has begun (the label counts pages then).
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, preview.get(), [&] {
    auto* progress = preview->findChild<QProgressDialog*>();
    if (progress && progress->labelText().startsWith(QStringLiteral("Page "))) progress->cancel();
  });
  poll.start(0);
  preview->Run(PreviewCommand::Print);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  const std::string& text = m_user.Messages()[0].text;
  EXPECT_EQ(text.rfind("Printing stopped after page 1 of ", 0), 0u) << text;
  EXPECT_EQ(text.find(" of 1."), std::string::npos) << "the list takes several pages: " << text;
  EXPECT_EQ(preview->findChild<QProgressDialog*>(), nullptr);
}

TEST_F(PrintPreviewTest, CancelWhileThePagesAreLaidOutPrintsNothing) {
  for (int i = 0; i < 300; ++i) {
    AddSongs(m_view, {{.title = "Song " + std::to_string(i), .artist = "Artist", .idCode = "S1"}});
  }
  auto preview = Open();
  const std::string path = m_folder.PathOf("printed.pdf");
  preview->Printer().setOutputFormat(QPrinter::PdfFormat);
  preview->Printer().setOutputFileName(QString::fromStdString(path));
  QTimer::singleShot(0, preview.get(), [&] {
    if (auto* progress = preview->findChild<QProgressDialog*>()) progress->cancel();
  });
  preview->Run(PreviewCommand::Print);
  EXPECT_TRUE(m_user.Messages().empty());
  EXPECT_FALSE(std::filesystem::exists(path)) << "nothing reached the printer";
  EXPECT_EQ(preview->findChild<QProgressDialog*>(), nullptr);
}

// Printer setup is the printer dialog over the kept printer: Cancel leaves the printer as it
// was, OK takes what was chosen.
TEST_F(PrintPreviewTest, PrinterSetupChangesTheKeptPrinterOnlyWhenAccepted) {
  auto preview = Open();
  preview->Printer().setOutputFormat(QPrinter::PdfFormat);
  preview->Printer().setOutputFileName(QString());
  for (const bool accept : {false, true}) {
    SCOPED_TRACE(accept);
    QString caption;
    QTimer::singleShot(0, preview.get(), [&] {
      auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      caption = dialog->windowTitle();
      if (accept) {
        dialog->accept();
      } else {
        dialog->reject();
      }
    });
    preview->Run(PreviewCommand::PrinterSetup);
    EXPECT_EQ(caption, QStringLiteral("Printer setup"));
    EXPECT_TRUE(preview->Printer().fullPage());
    if (!accept) {
      EXPECT_TRUE(preview->Printer().outputFileName().isEmpty());
    }
  }
  // Without a printer the dialog offers printing to a PDF file, which Print then writes.
  if (QPrinterInfo::availablePrinters().isEmpty()) {
    EXPECT_FALSE(preview->Printer().outputFileName().isEmpty());
  }
}

TEST_F(PrintPreviewTest, APrintThatCannotStartSaysWhere) {
  const std::string path = m_folder.PathOf("no such folder/printed.pdf");
  auto preview = Open();
  preview->Printer().setOutputFormat(QPrinter::PdfFormat);
  preview->Printer().setOutputFileName(QString::fromStdString(path));
  preview->Run(PreviewCommand::Print);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_EQ(m_user.Messages()[0].kind, MessageKind::Error);
  EXPECT_NE(m_user.Messages()[0].text.find(path), std::string::npos) << m_user.Messages()[0].text;
  EXPECT_EQ(preview->findChild<QProgressDialog*>(), nullptr);
}

TEST_F(PrintPreviewTest, PrintWithoutAPrinterSaysSo) {
  auto preview = Open();
  preview->Printer().setOutputFormat(QPrinter::PdfFormat);
  preview->Printer().setOutputFileName(QString());
  preview->Run(PreviewCommand::Print);
  ASSERT_EQ(m_user.Messages().size(), 1u);
  EXPECT_NE(m_user.Messages()[0].text.find("no printer"), std::string::npos)
      << m_user.Messages()[0].text;
  EXPECT_EQ(preview->findChild<QProgressDialog*>(), nullptr);
}

// ---------------------------------------------------------------------------------------------
// Opened from the catalogue window

class PrintPreviewFromCatalogueTest : public testing::Test {
 protected:
  void SetUp() override { SetUserLocale("en_US"); }

  std::unique_ptr<TTunedexMain> OpenWindow() {
    const std::string database =
        m_folder.Write("songs.tdb", test::DatabaseFile(0, test::ThreeSongs()));
    const std::string settings =
        m_folder.Write("tunedex.ini", "[Startup]\nData=" + database + "\n");
    auto window = std::make_unique<TTunedexMain>(m_catalogue, m_files, m_volumes, settings);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return window;
  }

  // Runs the print-preview command and reads the preview it opened.
  std::pair<QString, QStringList> PreviewOf(TTunedexMain& window) {
    QString title;
    QStringList lines;
    QTimer::singleShot(0, &window, [&] {
      auto* preview = qobject_cast<TPreviewWin*>(QApplication::activeModalWidget());
      if (!preview) return;
      title = preview->GroupLabel().text();
      lines = PaneLines(preview->ReportPane());
      preview->CloseButton().click();
    });
    window.Logic().Run(Command::PrintPreview);
    window.Sync();
    return {title, lines};
  }

  test::TempFolder m_folder;
  GioFileSystem m_files;
  test::FakeVolumes m_volumes;
  tCatalogue m_catalogue;
};

TEST_F(PrintPreviewFromCatalogueTest, TheTitleIsTheFirstStatusPanelAndTheSecondWhenThereIsOne) {
  auto window = OpenWindow();
  ASSERT_TRUE(window->Action(Command::PrintPreview)->isEnabled());
  ASSERT_TRUE(window->StatusPanel(1)->text().isEmpty());
  EXPECT_EQ(PreviewOf(*window).first, QStringLiteral("Showing: All Songs"));

  window->Logic().SetSort(kSortByTitle);
  window->Sync();
  const auto [title, lines] = PreviewOf(*window);
  EXPECT_EQ(title,
            window->StatusPanel(0)->text() + QStringLiteral(", ") + window->StatusPanel(1)->text());
  EXPECT_EQ(title, QStringLiteral("Showing: All Songs, Sort: Title"));
  EXPECT_EQ(lines,
            (QStringList{QStringLiteral("\tAM001\tAmour\tZaz"),
                         QStringLiteral("\tMA001\tMamma Mia\tABBA"),
                         QStringLiteral("\tWA001\tWaterloo\tABBA"), QStringLiteral("3 songs")}));
}

TEST_F(PrintPreviewFromCatalogueTest, ListsTheViewTheWindowShows) {
  auto window = OpenWindow();
  window->Logic().Run(Command::ViewEnglish);
  window->Sync();
  const auto [title, lines] = PreviewOf(*window);
  EXPECT_EQ(title, window->StatusPanel(0)->text());
  EXPECT_EQ(lines,
            (QStringList{QStringLiteral("\tWA001\tWaterloo\tABBA"),
                         QStringLiteral("\tMA001\tMamma Mia\tABBA"), QStringLiteral("2 songs")}));
}

}  // namespace
}  // namespace tunedex
