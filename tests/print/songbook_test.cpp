// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "common/userlocale.h"
#include "print/fakemetrics.h"
#include "print/songbook.h"
#include "print/songreport.h"
#include "support/songfixtures.h"

namespace tunedex {
namespace {

using test::FakeFontMetrics;
using test::FindText;
using test::kA4At254;
using test::TextsOf;

// With the fake metrics on kA4At254 a songbook page has its title at y 310 and its columns from
// y 375; the two columns by artist start at x 120 and 950 and are 770 pixels wide.
constexpr int kColumnTop = 375;
constexpr int kSecondColumn = 950;
constexpr PrintFont kHeadingFont{kArial, 10, true, false};
constexpr PrintFont kLetterFont{kArial, 12, true, false};

// Runs each test in a known collation and restores the one before.
class SongbookTest : public testing::Test {
 protected:
  void SetUp() override { m_locale = UserCollationLocale(); }
  void TearDown() override { SetUserLocale(m_locale); }

  PrintDocument ByArtist(int pageHeight = kA4At254.height) {
    PageDevice device = kA4At254;
    device.height = pageHeight;
    return LayoutSongbookByArtist(device, m_metrics, {"Book", "Today"}, m_songs);
  }
  PrintDocument ByTitle(int pageHeight = kA4At254.height) {
    PageDevice device = kA4At254;
    device.height = pageHeight;
    return LayoutSongbookByTitle(device, m_metrics, {"Book", "Today"}, m_songs);
  }
  void AddArtist(const std::string& artist, int songs) {
    for (int i = 0; i < songs; ++i) {
      test::AddSongs(m_songs, {{.title = artist + " song " + std::to_string(100 + i),
                                .artist = artist,
                                .idCode = "I" + std::to_string(m_songs.Count())}});
    }
  }

  std::string m_locale;
  FakeFontMetrics m_metrics;
  tSongList m_songs{tSongList::Ownership::OwnsSongs};
};

// The texts in the body of a page in a font (the title line at y 310 left out), in order.
std::vector<PrintText> InFont(const PrintPage& page, const PrintFont& font) {
  std::vector<PrintText> found;
  for (const PrintText& text : TextsOf(page)) {
    if (text.font == font && text.y > 310) found.push_back(text);
  }
  return found;
}

std::vector<std::string> Headings(const PrintDocument& document, const PrintFont& font) {
  std::vector<std::string> headings;
  for (const PrintPage& page : document.pages) {
    for (const PrintText& text : InFont(page, font)) headings.push_back(text.text);
  }
  return headings;
}

struct OrderCase {
  const char* locale;
  std::vector<std::string> artists;
};

TEST_F(SongbookTest, ArtistsFollowTheUsersCollation) {
  // "abba" and "ABBA" are one artist: case does not tell artists apart.
  for (const char* artist : {"\xC3\x96sten", "abba", "Zappa", "\xC3\x84rlig", "Adam", "ABBA"}) {
    test::AddSongs(m_songs, {{.title = "T", .artist = artist, .idCode = "X"}});
  }
  const std::vector<OrderCase> cases = {
      {"sv_SE", {"abba", "Adam", "Zappa", "\xC3\x84rlig", "\xC3\x96sten"}},
      {"en_US", {"abba", "Adam", "\xC3\x84rlig", "\xC3\x96sten", "Zappa"}},
  };
  for (const OrderCase& c : cases) {
    SetUserLocale(c.locale);
    EXPECT_EQ(Headings(ByArtist(), kHeadingFont), c.artists) << c.locale;
  }
}

TEST_F(SongbookTest, EachArtistsTitlesFollowInOrderWithTheirIdCodes) {
  SetUserLocale("en_US");
  test::AddSongs(m_songs, {{.title = "Waterloo", .artist = "ABBA", .idCode = "AB002"},
                           {.title = "Dancing Queen", .artist = "ABBA", .idCode = "AB001"},
                           {.title = "", .artist = "", .idCode = "N1"}});
  const PrintDocument document = ByArtist();
  ASSERT_EQ(document.pages.size(), 1U);
  const std::vector<PrintText> headings = InFont(document.pages[0], kHeadingFont);
  ASSERT_EQ(headings.size(), 2U);
  EXPECT_EQ(headings[0].text, "(no artist)");
  EXPECT_EQ(headings[1].text, "ABBA");
  const PrintText* first = FindText(document.pages[0], "Dancing Queen");
  const PrintText* second = FindText(document.pages[0], "Waterloo");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->x, 120 + 30);  // set in under the heading
  EXPECT_GT(first->y, headings[1].y);
  EXPECT_EQ(second->y, first->y + 45);
  const PrintText* id = FindText(document.pages[0], "AB001");
  ASSERT_NE(id, nullptr);
  EXPECT_EQ(id->y, first->y);
  EXPECT_EQ(id->align, PrintAlign::Right);
  EXPECT_EQ(id->x + 5 * 18, 120 + 770);  // ends at the column's right edge
  // The page has the report's header and footer and the view's title.
  EXPECT_NE(FindText(document.pages[0], "-   T u n e d e x   -"), nullptr);
  EXPECT_NE(FindText(document.pages[0], "Page: 1"), nullptr);
  EXPECT_NE(FindText(document.pages[0], "Book"), nullptr);
}

// A 1200-pixel page: the body ends at 1000, a column holds its heading and 12 titles.
TEST_F(SongbookTest, AColumnThatContinuesAnArtistBeginsWithTheHeadingAndCont) {
  AddArtist("Solo", 30);
  const PrintDocument document = ByArtist(1200);
  ASSERT_EQ(document.pages.size(), 2U);
  const std::vector<PrintText> first = InFont(document.pages[0], kHeadingFont);
  ASSERT_EQ(first.size(), 2U);
  EXPECT_EQ(first[0].text, "Solo");
  EXPECT_EQ(first[0].x, 120);
  EXPECT_EQ(first[1].text, "Solo (cont.)");
  EXPECT_EQ(first[1].x, kSecondColumn);
  EXPECT_EQ(first[1].y, kColumnTop);
  const std::vector<PrintText> second = InFont(document.pages[1], kHeadingFont);
  ASSERT_EQ(second.size(), 1U);
  EXPECT_EQ(second[0].text, "Solo (cont.)");
  EXPECT_EQ(second[0].x, 120);
  EXPECT_EQ(second[0].y, kColumnTop);
  EXPECT_NE(FindText(document.pages[1], "Book (cont...)"), nullptr);
  // Every title is there once.
  std::size_t titles = 0;
  for (const PrintPage& page : document.pages) {
    for (const PrintText& text : InFont(page, {kArial, 9})) {
      titles += text.align == PrintAlign::Left ? 1 : 0;
    }
  }
  EXPECT_EQ(titles, 30U);
}

// After 11 titles the first column has room for a heading but not for a heading and a title:
// the next artist starts the second column instead.
TEST_F(SongbookTest, AHeadingIsNeverLeftAloneAtTheFootOfAColumn) {
  AddArtist("Alpha", 11);
  AddArtist("Beta", 2);
  const PrintDocument document = ByArtist(1200);
  ASSERT_EQ(document.pages.size(), 1U);
  const std::vector<PrintText> headings = InFont(document.pages[0], kHeadingFont);
  ASSERT_EQ(headings.size(), 2U);
  EXPECT_EQ(headings[1].text, "Beta");
  EXPECT_EQ(headings[1].x, kSecondColumn);
  EXPECT_EQ(headings[1].y, kColumnTop);
}

// Over many artists of many sizes, no heading is the last text of its column.
TEST_F(SongbookTest, NoColumnEndsWithAHeading) {
  for (int a = 0; a < 40; ++a) AddArtist("Artist " + std::to_string(100 + a), (a * 7) % 13 + 1);
  const PrintDocument document = ByArtist(1300);
  ASSERT_GT(document.pages.size(), 2U);
  for (const PrintPage& page : document.pages) {
    std::map<int, PrintText> lastOfColumn;
    for (const PrintText& text : TextsOf(page)) {
      if (text.y <= 310 || text.y >= 1100 || text.align != PrintAlign::Left) continue;
      const int column = text.x < kSecondColumn ? 0 : 1;
      if (!lastOfColumn.count(column) || lastOfColumn.at(column).y <= text.y) {
        lastOfColumn.insert_or_assign(column, text);
      }
    }
    for (const auto& [column, text] : lastOfColumn) {
      EXPECT_FALSE(text.font == kHeadingFont)
          << "page " << page.number << " column " << column << ": " << text.text;
    }
  }
}

struct LetterCase {
  const char* locale;
  std::vector<std::string> letters;
};

TEST_F(SongbookTest, ByTitleHasALetterHeadingWhereTheFirstLetterChanges) {
  for (const char* title : {"banana", "Apple", "7 Rings", "\xC3\x84ngel", "apricot", "\xC3\x96l",
                            "Bolero", "(Intro)"}) {
    test::AddSongs(m_songs, {{.title = title, .artist = "X", .idCode = "1"}});
  }
  const std::vector<LetterCase> cases = {
      {"sv_SE", {"#", "A", "B", "\xC3\x84", "\xC3\x96"}},
      {"en_US", {"#", "A", "B", "O"}},
  };
  for (const LetterCase& c : cases) {
    SetUserLocale(c.locale);
    EXPECT_EQ(Headings(ByTitle(), kLetterFont), c.letters) << c.locale;
  }
}

TEST_F(SongbookTest, ByTitleShowsTitleArtistAndIdCodeInColumns) {
  SetUserLocale("en_US");
  test::AddSongs(m_songs, {{.title = "Waterloo", .artist = "ABBA", .idCode = "AB002"}});
  const PrintDocument document = ByTitle();
  const PrintText* title = FindText(document.pages[0], "Waterloo");
  const PrintText* artist = FindText(document.pages[0], "ABBA");
  const PrintText* id = FindText(document.pages[0], "AB002");
  ASSERT_TRUE(title && artist && id);
  EXPECT_EQ(title->y, artist->y);
  EXPECT_EQ(title->y, id->y);
  EXPECT_LT(title->x, artist->x);
  EXPECT_EQ(id->x + 5 * 18, 120 + 1600);  // the ID code ends at the 16 cm edge
  const PrintText* heading = FindText(document.pages[0], "Title");
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->colour, kBlue);
  EXPECT_LT(heading->y, title->y);
}

TEST(LetterHeadingTest, IsTheUpperCasedFirstLetterOrHash) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"abc", "A"}, {"\xC3\xA9t\xC3\xA9", "\xC3\x89"}, {"9 to 5", "#"}, {"", "#"}, {"'Tis", "#"}};
  for (const auto& [title, heading] : cases) EXPECT_EQ(LetterHeading(title), heading) << title;
}

}  // namespace
}  // namespace tunedex
