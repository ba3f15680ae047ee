// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "print/printgrid.h"
#include "print/qt/pdfdocument.h"
#include "print/songbook.h"
#include "print/songreport.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

bool HavePdfToText() {
  return std::system("command -v pdftotext >/dev/null 2>&1") == 0;
}

std::string WithoutBlanks(std::string text) {
  std::erase(text, ' ');
  return text;
}

// The text of a PDF file as pdftotext reads it, without blanks: how many it puts between
// words depends on the fonts the system substituted.
std::string PdfText(const std::string& path) {
  const std::string command = "pdftotext -layout '" + path + "' -";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::string text;
  char buffer[4096];
  std::size_t got = 0;
  while (pipe && (got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0) {
    text.append(buffer, got);
  }
  return WithoutBlanks(text);
}

class PdfTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (QGuiApplication::instance() == nullptr) {
      if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
      static int argc = 1;
      static char name[] = "print_tests";
      static char* argv[] = {name, nullptr};
      static QGuiApplication app(argc, argv);
    }
  }
  void SetUp() override {
    if (!HavePdfToText()) {
      GTEST_SKIP() << "pdftotext (package poppler-utils) is not installed: "
                      "the PDF cannot be read back";
    }
    for (int i = 1; i <= 120; ++i) {
      test::AddSongs(m_songs, {{.title = "Title " + std::to_string(i),
                                .artist = i % 2 ? "Caf\xC3\xA9 Band" : "Zed",
                                .idCode = "ID" + std::to_string(1000 + i)}});
    }
  }

  PrintLayoutStep Layout(PrintLayout layout) {
    return [this, layout](const PageDevice& device, FontMetrics& metrics) {
      return LayoutPrintout(layout, device, metrics, {"All my songs", "Thursday 10.12.26"},
                            m_songs);
    };
  }

  test::TempFolder m_folder;
  tSongList m_songs{tSongList::Ownership::OwnsSongs};
};

TEST_F(PdfTest, ThePrintedListReadsBackWithItsHeaderRowsAndPageNumbers) {
  const std::string path = m_folder.PathOf("list.pdf");
  int pagesTold = 0;
  ASSERT_EQ(WritePdf(path, "Karaoke Songs", Layout(PrintLayout::List),
                     [&](int done, int total) {
                       EXPECT_EQ(done, pagesTold + 1);
                       EXPECT_GE(total, done);
                       pagesTold = done;
                       return true;
                     }),
            PaintResult::Done);
  const std::string text = PdfText(path);
  EXPECT_GE(pagesTold, 3);
  for (const std::string& wanted : std::vector<std::string>{
           "-   T u n e d e x   -", "https://tunedex.org", "Thursday 10.12.26", "All my songs",
           "All my songs (cont...)", "ID Code", "ID1001", "Title 120", "Caf\xC3\xA9 Band",
           "120 songs", "Page: 1", "Page: " + std::to_string(pagesTold)}) {
    EXPECT_NE(text.find(WithoutBlanks(wanted)), std::string::npos) << wanted << "\n"
                                                                   << text.substr(0, 2000);
  }
}

TEST_F(PdfTest, TheSongbookByArtistReadsBack) {
  const std::string path = m_folder.PathOf("book.pdf");
  ASSERT_EQ(WritePdf(path, "Karaoke Songs", Layout(PrintLayout::ByArtist)), PaintResult::Done);
  const std::string text = PdfText(path);
  for (const char* wanted : {"Caf\xC3\xA9 Band", "Zed", "Title 99", "ID1099"}) {
    EXPECT_NE(text.find(WithoutBlanks(wanted)), std::string::npos) << wanted << "\n"
                                                                   << text.substr(0, 2000);
  }
  EXPECT_LT(text.find("Caf\xC3\xA9"
                      "Band"),
            text.find("Zed"));
}

TEST_F(PdfTest, ACancelledWriteLeavesTheExistingFile) {
  const std::string path = m_folder.Write("list.pdf", "old contents");
  int pages = 0;
  EXPECT_EQ(WritePdf(path, "Karaoke Songs", Layout(PrintLayout::List),
                     [&](int, int) { return ++pages < 2; }),
            PaintResult::Cancelled);
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(test::ReadFileText(path), "old contents");
}

}  // namespace
}  // namespace tunedex
