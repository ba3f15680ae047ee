// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/reportcommand.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <algorithm>
#include <memory>
#include <optional>

#include "catalogue/customlanguage.h"
#include "catalogue/sortkeys.h"
#include "catalogue/viewtexts.h"
#include "cli/commands.h"
#include "cli/viewoptions.h"
#include "common/collation.h"
#include "common/fileio.h"
#include "platform/systemclock.h"
#include "print/qt/pdfdocument.h"
#include "print/reportdate.h"
#include "print/songbook.h"
#include "print/songreport.h"

namespace tunedex::cli {
namespace {

PrintLayout LayoutFromName(const std::string& name) {
  if (name == "list") return PrintLayout::List;
  if (name == "by-artist") return PrintLayout::ByArtist;
  if (name == "by-title") return PrintLayout::ByTitle;
  throw UsageError("unknown layout " + name);
}

// The name of the custom language with this code: a built-in language's, or the code itself.
std::string CustomLanguageName(std::string_view code) {
  for (const BuiltInLanguage& language : kBuiltInLanguages) {
    if (EqualsIgnoringCase(language.code, code)) return std::string(language.name);
  }
  return std::string(code);
}

// What the command was asked for, every argument checked before anything is read or written.
struct ReportRequest {
  std::string database;
  std::optional<std::string> textFile;
  std::optional<std::string> pdfFile;
  PrintLayout layout = PrintLayout::List;
  ViewMode mode = ViewMode::All;
  int sortCode = 0;
  std::string customCode;
  std::optional<std::string> find;
  std::optional<std::string> title;
};

ReportRequest ReadRequest(const Arguments& arguments) {
  arguments.AllowOnly(
      {"view", "custom-code", "sort", "find", "title", "pdf", "layout", "settings", "answer"});
  ReportRequest request;
  // "-o FILE" is read here: the option parser takes only "--" options.
  std::vector<std::string> positional = arguments.Positional();
  if (const auto o = std::find(positional.begin(), positional.end(), "-o"); o != positional.end()) {
    if (o + 1 == positional.end()) throw UsageError("option -o needs a value");
    request.textFile = *(o + 1);
    positional.erase(o, o + 2);
  }
  if (positional.size() != 1) throw UsageError("expected one database file");
  request.database = positional[0];
  request.pdfFile = arguments.Option("pdf");
  if (request.textFile.has_value() == request.pdfFile.has_value()) {
    throw UsageError("expected one of -o FILE.txt or --pdf FILE.pdf");
  }
  if ((request.textFile && request.textFile->empty()) ||
      (request.pdfFile && request.pdfFile->empty())) {
    throw UsageError("the output file name is empty");
  }
  if (const auto layout = arguments.Option("layout")) {
    if (!request.pdfFile) throw UsageError("--layout goes with --pdf");
    request.layout = LayoutFromName(*layout);
  }
  request.mode = ViewModeFromName(arguments.Option("view").value_or("all"));
  if (const auto sort = arguments.Option("sort")) request.sortCode = SortCodeFromName(*sort);
  request.customCode =
      arguments.Option("custom-code").value_or(std::string(kDefaultCustomLanguageCode));
  request.find = arguments.Option("find");
  if (request.find && request.find->empty()) request.find.reset();
  request.title = arguments.Option("title");
  return request;
}

// Keeps the songs of view that the find text matches, in order.
void KeepFoundSongs(tSongList& view, const std::string& text) {
  tSongList found;
  FindBoxSearch search(view);
  for (std::size_t row = 0; row < view.Count(); ++row) {
    const std::optional<std::size_t> hit = search.FindFrom(text, row);
    if (!hit) break;
    row = *hit;
    found.Add(view[row]);
  }
  view.Clear();
  view.Reserve(found.Count());
  for (tSong* song : found) view.Add(song);
}

// Qt Gui for painting the PDF, on the offscreen platform unless another is asked for.
std::unique_ptr<QGuiApplication> StartGui() {
  if (QGuiApplication::instance() != nullptr) return nullptr;
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "tunedex-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

std::string DefaultReportTitle(ViewMode mode, std::string_view customLanguageCode, int shownSort) {
  const SortKeyInfo* key = shownSort > 0 ? SortKeyOfCode(shownSort) : nullptr;
  return ReportTitle(
      "Showing: " + ViewText(mode, ViewTextKind::Status, CustomLanguageName(customLanguageCode)),
      key != nullptr ? key->statusText : std::string_view());
}

int RunReport(const Arguments& arguments, UserInteraction& user, std::FILE* out) {
  const ReportRequest request = ReadRequest(arguments);

  tSongList master(tSongList::Ownership::OwnsSongs);
  if (!LoadDatabaseFile(request.database, master, user)) return kExitBadInput;
  // The status bar names the last ascending sort: the one asked for, or else the catalogue's.
  const int storedSort = master.SortOrder();
  const int shownSort = request.sortCode > 0 ? request.sortCode : (storedSort > 0 ? storedSort : 0);
  if (request.sortCode != 0) master.SortBy(request.sortCode);
  tSongList view;
  SelectViewSongs(master, view, request.mode, request.customCode);
  if (request.find) KeepFoundSongs(view, *request.find);

  SystemClock clock;
  IcuDateFormats formats(UserDateLocale());
  const ReportHeading heading{
      request.title.value_or(DefaultReportTitle(request.mode, request.customCode, shownSort)),
      ReportDateText(formats, clock.Today())};

  try {
    if (request.textFile) {
      SaveReport(*request.textFile, heading, view);
      std::fprintf(out, "%s\n", SongCountText(view.Count()).c_str());
      return kExitOk;
    }
    const std::unique_ptr<QGuiApplication> gui = StartGui();
    int pages = 0;
    WritePdf(
        *request.pdfFile, "Karaoke Songs", [&](const PageDevice& device, FontMetrics& metrics) {
          PrintDocument document = LayoutPrintout(request.layout, device, metrics, heading, view);
          pages = static_cast<int>(document.pages.size());
          return document;
        });
    std::fprintf(out, "%s, %d pages\n", SongCountText(view.Count()).c_str(), pages);
    return kExitOk;
  } catch (const FileError& error) {
    user.ShowError(error.what());
    return kExitFailed;
  }
}

}  // namespace tunedex::cli
