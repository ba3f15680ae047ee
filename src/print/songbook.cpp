// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/songbook.h"

#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/unorm2.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "catalogue/song.h"
#include "common/collation.h"
#include "common/recordtext.h"
#include "common/usercollator.h"
#include "print/printgrid.h"
#include "print/songreport.h"

namespace tunedex {
namespace {

constexpr PrintFont kTitleFont{kArial, 10, true, false};
constexpr PrintFont kArtistFont{kArial, 10, true, false};
constexpr PrintFont kEntryFont{kArial, 9, false, false};
constexpr PrintFont kLetterFont{kArial, 12, true, false};
constexpr PrintFont kColumnHeadingFont{kArial, 9, true, false};
constexpr double kBookWidthCm = 16.0;
constexpr double kColumnGapCm = 0.6;
constexpr double kIndentCm = 0.3;
constexpr double kHeadingGapCm = 0.15;

struct Entry {
  std::string artist;
  std::string title;
  std::string id;
  std::string artistKey;
  std::string titleKey;
};

std::vector<Entry> Entries(const tSongList& view) {
  std::vector<Entry> entries;
  entries.reserve(view.Count());
  for (const tSong* song : view) {
    const tSongRecord& record = song->Record();
    Entry entry{PrintedText(record.RawText(TextField::Artist)),
                PrintedText(record.RawText(TextField::Title)),
                PrintedText(record.RawText(TextField::IdCode)),
                {},
                {}};
    // The printed texts are UTF-8, which the collation reads as it reads stored texts.
    entry.artistKey = UserSortKey(entry.artist);
    entry.titleKey = UserSortKey(entry.title);
    entries.push_back(std::move(entry));
  }
  return entries;
}

// A page body of one or more columns under the view's title, which the pages after the first
// show followed by " (cont...)".
class ColumnFlow : public tPrintSection {
 public:
  ColumnFlow(tPrintObject& engine, std::string title, int columns)
      : tPrintSection(engine), m_title(std::move(title)), m_columns(columns) {
    const int gap = engine.CmToX(kColumnGapCm);
    m_columnWidth = (engine.CmToX(kBookWidthCm) - gap * (columns - 1)) / columns;
    m_columnStep = m_columnWidth + gap;
    PrintTitle(m_title);
  }

  int ColumnLeft() const { return m_engine.Left() + m_column * m_columnStep; }
  int ColumnWidth() const { return m_columnWidth; }
  bool AtColumnTop() const { return m_y == m_columnTop; }

  // Goes on in the next column, or on the next page after the last one.
  void NextColumn() {
    if (++m_column < m_columns) {
      m_y = m_columnTop;
      return;
    }
    BreakPage();
  }

  void BreakPage() override {
    tPrintSection::BreakPage();
    m_column = 0;
    PrintTitle(m_title + " (cont...)");
  }

  void Advance(int height) { m_y += height; }

 protected:
  void PrintTitle(const std::string& title) {
    m_engine.Text(m_engine.Left(), m_y, title, kTitleFont, kBlack, PrintAlign::Left,
                  m_engine.Right() - m_engine.Left());
    m_y += m_engine.LineHeight(kTitleFont) + m_engine.CmToY(kHeadingGapCm);
    m_columnTop = m_y;
  }

  std::string m_title;
  int m_columns;
  int m_column = 0;
  int m_columnWidth = 0;
  int m_columnStep = 0;
  int m_columnTop = 0;
};

// One line of a songbook entry: text from left, the ID code right-aligned at the column's
// right edge, the text cut where it would run into the code.
void PrintEntry(tPrintObject& engine, int left, int right, int y, const std::string& text,
                const std::string& id) {
  const int idWidth = engine.Metrics().TextWidth(kEntryFont, id);
  const int room = right - left - idWidth - engine.CmToX(0.2);
  engine.Text(left, y, text, kEntryFont, kBlack, PrintAlign::Left, room > 0 ? room : 1);
  engine.Text(right, y, id, kEntryFont, kBlack, PrintAlign::Right);
}

}  // namespace

PrintDocument LayoutSongbookByArtist(const PageDevice& device, FontMetrics& metrics,
                                     const ReportHeading& heading, const tSongList& view,
                                     const LayoutProgress& progress) {
  std::vector<Entry> entries = Entries(view);
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.artistKey != b.artistKey) return a.artistKey < b.artistKey;
    return a.titleKey < b.titleKey;
  });

  tPrintObject engine(device, metrics, progress);
  SetUpReportPage(engine, heading.dateText);
  ColumnFlow flow(engine, heading.title, 2);
  const int headingHeight = engine.LineHeight(kArtistFont);
  const int entryHeight = engine.LineHeight(kEntryFont);
  const int gap = engine.CmToY(kHeadingGapCm);
  const int indent = engine.CmToX(kIndentCm);

  const auto printArtist = [&](const std::string& name) {
    engine.Text(flow.ColumnLeft(), flow.Y(), name, kArtistFont, kBlack, PrintAlign::Left,
                flow.ColumnWidth());
    flow.Advance(headingHeight);
  };
  for (std::size_t first = 0; first < entries.size();) {
    std::size_t end = first + 1;
    while (end < entries.size() && entries[end].artistKey == entries[first].artistKey) ++end;
    const std::string artist =
        entries[first].artist.empty() ? std::string("(no artist)") : entries[first].artist;
    // The heading goes where its first title fits under it.
    const int before = flow.AtColumnTop() ? 0 : gap;
    if (!flow.Fits(before + headingHeight + entryHeight)) {
      flow.NextColumn();
    } else {
      flow.Advance(before);
    }
    printArtist(artist);
    for (std::size_t i = first; i < end; ++i) {
      if (!flow.Fits(entryHeight)) {
        flow.NextColumn();
        printArtist(artist + " (cont.)");
      }
      const int left = flow.ColumnLeft();
      PrintEntry(engine, left + indent, left + flow.ColumnWidth(), flow.Y(), entries[i].title,
                 entries[i].id);
      flow.Advance(entryHeight);
    }
    first = end;
  }
  return engine.Finish();
}

std::string LetterHeading(const std::string& title) {
  const std::u16string text = DecodeRecordTextUtf16(title);
  if (text.empty()) return "#";
  char32_t c = text[0];
  if (c >= 0xD800 && c < 0xDC00 && text.size() > 1) {
    c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[1]) - 0xDC00);
  }
  if (!u_isalpha(static_cast<UChar32>(c))) return "#";
  std::string heading;
  AppendUtf8(heading, static_cast<char32_t>(u_toupper(static_cast<UChar32>(c))));
  return heading;
}

namespace {

struct CollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};

// The user's collation at primary strength: letters that differ only by accent or case are one
// letter, unless the language has them as letters of their own.
class LetterKeys {
 public:
  LetterKeys() {
    UErrorCode status = U_ZERO_ERROR;
    m_collator.reset(ucol_clone(UserCollator(), &status));
    if (U_FAILURE(status)) m_collator.reset();
    if (m_collator) ucol_setStrength(m_collator.get(), UCOL_PRIMARY);
  }

  std::string Key(const std::string& letter) const {
    if (!m_collator) return letter;
    const std::u16string text = DecodeRecordTextUtf16(letter);
    std::array<uint8_t, 64> buffer{};
    const int32_t length =
        ucol_getSortKey(m_collator.get(), text.data(), static_cast<int32_t>(text.size()),
                        buffer.data(), static_cast<int32_t>(buffer.size()));
    if (length <= 0 || length > static_cast<int32_t>(buffer.size())) return letter;
    return std::string(reinterpret_cast<const char*>(buffer.data()),
                       static_cast<std::size_t>(length));
  }

 private:
  std::unique_ptr<UCollator, CollatorCloser> m_collator;
};

// The letter without its accents: the first character of its canonical decomposition.
std::string PlainLetter(const std::string& letter) {
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
  if (U_FAILURE(status)) return letter;
  const std::u16string text = DecodeRecordTextUtf16(letter);
  std::array<UChar, 16> decomposed{};
  const int32_t length =
      unorm2_normalize(nfd, text.data(), static_cast<int32_t>(text.size()), decomposed.data(),
                       static_cast<int32_t>(decomposed.size()), &status);
  if (U_FAILURE(status) || length <= 0 || decomposed[0] >= 0xD800) return letter;
  std::string base;
  AppendUtf8(base, decomposed[0]);
  return base;
}

}  // namespace

PrintDocument LayoutSongbookByTitle(const PageDevice& device, FontMetrics& metrics,
                                    const ReportHeading& heading, const tSongList& view,
                                    const LayoutProgress& progress) {
  std::vector<Entry> entries = Entries(view);
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.titleKey != b.titleKey) return a.titleKey < b.titleKey;
    return a.artistKey < b.artistKey;
  });

  tPrintObject engine(device, metrics, progress);
  SetUpReportPage(engine, heading.dateText);

  // Title, artist and ID code; the code right-aligned at the book's right edge.
  const int left = engine.Left();
  const int artistLeft = left + engine.CmToX(8.4);
  const int right = left + engine.CmToX(kBookWidthCm);
  const int entryHeight = engine.LineHeight(kEntryFont);
  const int columnHeadingHeight = engine.LineHeight(kColumnHeadingFont);
  const int letterHeight = engine.LineHeight(kLetterFont);
  const int gap = engine.CmToY(kHeadingGapCm);
  const int gutter = engine.CmToX(0.2);

  class TitleFlow : public ColumnFlow {
   public:
    TitleFlow(tPrintObject& engine, std::string title, int artistX, int rightX, int height)
        : ColumnFlow(engine, std::move(title), 1),
          m_artistX(artistX),
          m_rightX(rightX),
          m_height(height) {
      ColumnStarted();
    }
    void BreakPage() override {
      ColumnFlow::BreakPage();
      ColumnStarted();
    }
    void ColumnStarted() {
      m_engine.Text(m_engine.Left(), m_y, "Title", kColumnHeadingFont, kBlue);
      m_engine.Text(m_artistX, m_y, "Artist", kColumnHeadingFont, kBlue);
      m_engine.Text(m_rightX, m_y, "ID Code", kColumnHeadingFont, kBlue, PrintAlign::Right);
      m_y += m_height;
      m_columnTop = m_y;
    }

   private:
    int m_artistX, m_rightX, m_height;
  };
  TitleFlow flow(engine, heading.title, artistLeft, right, columnHeadingHeight);

  const LetterKeys letters;
  std::string currentKey;
  bool first = true;
  for (const Entry& entry : entries) {
    const std::string letter = LetterHeading(entry.title);
    std::string key = letters.Key(letter);
    // A letter with an accent stands under its plain letter where the language has them as one
    // ("Ä" under "A" in English, under "Ä" in Swedish).
    std::string shown = letter;
    if (const std::string base = PlainLetter(letter); base != letter && letters.Key(base) == key) {
      shown = base;
    }
    if (first || key != currentKey) {
      first = false;
      currentKey = key;
      const int before = flow.AtColumnTop() ? 0 : gap;
      if (!flow.Fits(before + letterHeight + entryHeight)) {
        flow.NextColumn();
      } else {
        flow.Advance(before);
      }
      engine.Text(left, flow.Y(), shown, kLetterFont, kBlack);
      flow.Advance(letterHeight);
    }
    if (!flow.Fits(entryHeight)) flow.NextColumn();
    engine.Text(left + engine.CmToX(kIndentCm), flow.Y(), entry.title, kEntryFont, kBlack,
                PrintAlign::Left, artistLeft - left - engine.CmToX(kIndentCm) - gutter);
    const int idWidth = metrics.TextWidth(kEntryFont, entry.id);
    const int artistRoom = right - artistLeft - idWidth - gutter;
    engine.Text(artistLeft, flow.Y(), entry.artist, kEntryFont, kBlack, PrintAlign::Left,
                artistRoom > 0 ? artistRoom : 1);
    engine.Text(right, flow.Y(), entry.id, kEntryFont, kBlack, PrintAlign::Right);
    flow.Advance(entryHeight);
  }
  return engine.Finish();
}

PrintDocument LayoutPrintout(PrintLayout layout, const PageDevice& device, FontMetrics& metrics,
                             const ReportHeading& heading, const tSongList& view,
                             const LayoutProgress& progress) {
  switch (layout) {
    case PrintLayout::ByArtist:
      return LayoutSongbookByArtist(device, metrics, heading, view, progress);
    case PrintLayout::ByTitle:
      return LayoutSongbookByTitle(device, metrics, heading, view, progress);
    case PrintLayout::List:
      break;
  }
  return LayoutSongList(device, metrics, heading, view, progress);
}

}  // namespace tunedex
