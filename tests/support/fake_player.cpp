// SPDX-License-Identifier: GPL-3.0-or-later
// A pretend player program for the X11 tests. It shows a main window of the class and caption
// it is given (and optionally a lyrics window and owned windows), takes XDND drops, and writes
// every start, drop and close request to a log file, one line each:
//   start <argument or nothing>
//   drop <uri-list data without its line end>
//   close <class>
// It ends when its main window is closed (unless told to ignore that) or after 60 seconds.
//
//   fake_player --log FILE --class C --caption T [--lyrics C:T] [--owned C:T]... [--ignore-close]
//               [--] [ARGUMENT]
#include <chrono>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/xdndtarget.h"

namespace {

using tunedex::test::XdndTargetWindow;

std::pair<std::string, std::string> Pair(const std::string& text) {
  const std::size_t colon = text.find(':');
  return {text.substr(0, colon), colon == std::string::npos ? "" : text.substr(colon + 1)};
}

}  // namespace

int main(int argc, char** argv) {
  std::string log, windowClass = "FakePlayer", caption = "Fake Player", argument;
  std::vector<std::pair<std::string, std::string>> owned;
  std::pair<std::string, std::string> lyrics;
  bool ignoreClose = false;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const auto next = [&] { return i + 1 < argc ? std::string(argv[++i]) : std::string(); };
    if (word == "--log")
      log = next();
    else if (word == "--class")
      windowClass = next();
    else if (word == "--caption")
      caption = next();
    else if (word == "--lyrics")
      lyrics = Pair(next());
    else if (word == "--owned")
      owned.push_back(Pair(next()));
    else if (word == "--ignore-close")
      ignoreClose = true;
    else if (word == "--") {
      if (i + 1 < argc) argument = argv[++i];
    } else {
      argument = word;
    }
  }
  std::ofstream out(log, std::ios::app);
  const auto write = [&](const std::string& line) {
    out << line << '\n';
    out.flush();
  };
  write("start " + argument);

  XdndTargetWindow main(
      {.windowClass = windowClass, .caption = caption, .ignoresClose = ignoreClose});
  std::vector<std::unique_ptr<XdndTargetWindow>> others;
  if (!lyrics.first.empty()) {
    others.push_back(std::make_unique<XdndTargetWindow>(XdndTargetWindow::Options{
        .windowClass = lyrics.first, .caption = lyrics.second, .acceptsDrops = false}));
  }
  for (const auto& [ownedClass, ownedCaption] : owned) {
    others.push_back(
        std::make_unique<XdndTargetWindow>(XdndTargetWindow::Options{.windowClass = ownedClass,
                                                                     .caption = ownedCaption,
                                                                     .acceptsDrops = false,
                                                                     .transientFor = main.Id()}));
  }

  std::size_t seen = 0;
  std::vector<std::size_t> seenOthers(others.size(), 0);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < until && !main.Disconnected()) {
    const std::vector<std::string> events = main.Events();
    for (; seen < events.size(); ++seen) {
      std::string line = events[seen];
      if (line == "close") line += " " + windowClass;
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
      write(line);
      if (events[seen] == "close" && !ignoreClose) return 0;
    }
    for (std::size_t i = 0; i < others.size(); ++i) {
      const std::vector<std::string> otherEvents = others[i]->Events();
      for (; seenOthers[i] < otherEvents.size(); ++seenOthers[i])
        write(otherEvents[seenOthers[i]] + " owned");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}
