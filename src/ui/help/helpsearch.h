// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tunedex {

// One help page as the search sees it: its file name, its heading and its words.
struct HelpPageText {
  QString page;   // "7000.html"
  QString title;  // the first heading, or the page name when there is none
  QString text;   // the whole page without tags, entities decoded
};

struct HelpSearchHit {
  QString page;
  QString title;
};

// The page's text without tags, with the character entities the pages use decoded and runs of
// white space made one blank; the title is the first <h1>..<h3> heading.
HelpPageText HelpPageFromHtml(const QString& page, const QString& html);

// The words of a search: runs of letters and digits, folded to lower case, each once, in the
// order typed.
QStringList HelpSearchWords(const QString& query);

// The pages whose text holds every word (anywhere, ignoring case, so "play" finds "player"),
// best first: pages whose title holds more of the words, then pages where the words occur more
// often, then by title. No words find nothing.
std::vector<HelpSearchHit> SearchHelpPages(const std::vector<HelpPageText>& pages,
                                           const QStringList& words);

// Every page of the help resource (or of another folder of .html files), in name order.
std::vector<HelpPageText> LoadHelpPages(const QString& folder);

}  // namespace tunedex
