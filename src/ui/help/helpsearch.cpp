// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpsearch.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace tunedex {

namespace {

QString DecodeEntities(const QString& text) {
  static const QRegularExpression entity(QStringLiteral("&(#x?[0-9a-fA-F]+|[a-zA-Z]+);"));
  static const std::pair<const char*, char16_t> named[] = {
      {"amp", u'&'},   {"lt", u'<'},   {"gt", u'>'},         {"quot", u'"'},
      {"apos", u'\''}, {"nbsp", u' '}, {"ndash", u'\u2013'}, {"mdash", u'\u2014'},
  };
  QString out;
  qsizetype from = 0;
  for (const QRegularExpressionMatch& match : entity.globalMatch(text)) {
    out += text.mid(from, match.capturedStart() - from);
    from = match.capturedEnd();
    const QString name = match.captured(1);
    if (name.startsWith(u'#')) {
      bool ok = false;
      const uint code = name.startsWith(QStringLiteral("#x"), Qt::CaseInsensitive)
                            ? name.mid(2).toUInt(&ok, 16)
                            : name.mid(1).toUInt(&ok, 10);
      if (ok && code > 0 && code <= 0x10FFFF) {
        const char32_t character = code;
        out += QString::fromUcs4(&character, 1);
        continue;
      }
    } else {
      const auto known = std::find_if(std::begin(named), std::end(named), [&](const auto& pair) {
        return name == QLatin1StringView(pair.first);
      });
      if (known != std::end(named)) {
        out += QChar(known->second);
        continue;
      }
    }
    out += match.captured(0);  // not an entity the pages use: kept as written
  }
  out += text.mid(from);
  return out;
}

QString PlainText(const QString& html) {
  static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
  static const QRegularExpression blanks(QStringLiteral("\\s+"));
  QString text = html;
  text.replace(tag, QStringLiteral(" "));
  return DecodeEntities(text).replace(blanks, QStringLiteral(" ")).trimmed();
}

int CountOf(const QString& haystack, const QString& word) {
  int count = 0;
  for (qsizetype at = haystack.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
       at = haystack.indexOf(word, at + word.size(), Qt::CaseInsensitive)) {
    ++count;
  }
  return count;
}

}  // namespace

HelpPageText HelpPageFromHtml(const QString& page, const QString& html) {
  static const QRegularExpression heading(
      QStringLiteral("<h[1-3][^>]*>(.*?)</h[1-3]>"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpressionMatch title = heading.match(html);
  HelpPageText result{page, title.hasMatch() ? PlainText(title.captured(1)) : QString(),
                      PlainText(html)};
  if (result.title.isEmpty()) result.title = page;
  return result;
}

QStringList HelpSearchWords(const QString& query) {
  QStringList words;
  QString word;
  const auto flush = [&] {
    if (!word.isEmpty() && !words.contains(word)) words.append(word);
    word.clear();
  };
  for (const QChar character : query) {
    if (character.isLetterOrNumber()) {
      word += character.toCaseFolded();
    } else {
      flush();
    }
  }
  flush();
  return words;
}

std::vector<HelpSearchHit> SearchHelpPages(const std::vector<HelpPageText>& pages,
                                           const QStringList& words) {
  struct Ranked {
    const HelpPageText* page;
    int inTitle;
    int occurrences;
  };
  std::vector<Ranked> found;
  if (words.isEmpty()) return {};
  for (const HelpPageText& page : pages) {
    Ranked ranked{&page, 0, 0};
    bool all = true;
    for (const QString& word : words) {
      const int count = CountOf(page.text, word);
      if (count == 0) {
        all = false;
        break;
      }
      ranked.occurrences += count;
      if (page.title.contains(word, Qt::CaseInsensitive)) ++ranked.inTitle;
    }
    if (all) found.push_back(ranked);
  }
  std::stable_sort(found.begin(), found.end(), [](const Ranked& a, const Ranked& b) {
    if (a.inTitle != b.inTitle) return a.inTitle > b.inTitle;
    if (a.occurrences != b.occurrences) return a.occurrences > b.occurrences;
    return QString::localeAwareCompare(a.page->title, b.page->title) < 0;
  });
  std::vector<HelpSearchHit> hits;
  hits.reserve(found.size());
  for (const Ranked& ranked : found) hits.push_back({ranked.page->page, ranked.page->title});
  return hits;
}

std::vector<HelpPageText> LoadHelpPages(const QString& folder) {
  std::vector<HelpPageText> pages;
  const QDir dir(folder);
  for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::ReadOnly)) {
      pages.push_back(HelpPageFromHtml(name, QString::fromUtf8(file.readAll())));
    }
  }
  return pages;
}

}  // namespace tunedex
