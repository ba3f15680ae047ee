// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <thread>

#include "platform/x11desktop.h"
#include "support/process.h"
#include "support/songfixtures.h"
#include "support/tempfolder.h"
#include "support/xdndtarget.h"
#include "support/xserver.h"

extern char** environ;

namespace tunedex {
namespace {

// The window program starts on a real X server, paints its window with a catalogue loaded and
// saves a picture of it, without touching the settings file.
TEST(TunedexWindowTest, StartsPaintsAndSavesAScreenshot) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  const std::string database = folder.Write(
      "songs.tdb",
      test::DatabaseFile(
          33, {test::MakeRecord({.title = "Waterloo", .artist = "ABBA", .fileName = "/s/w.kar"})}));
  const std::string settingsText = "[Startup]\nData=" + database + "\n";
  const std::string settings = folder.Write("tunedex.ini", settingsText);
  for (const char* dialog : {"", "editor", "filter"}) {
    const std::string picture = folder.PathOf(std::string("shot") + dialog + ".png");
    std::vector<std::string> arguments{"--settings", settings, "--screenshot", picture};
    if (*dialog) arguments.insert(arguments.end(), {"--dialog", dialog});
    const test::ProcessResult result = test::RunProgram(TUNEDEX, arguments);
    EXPECT_EQ(result.exitCode, 0) << dialog << ": " << result.err;
    EXPECT_EQ(test::ReadFileText(picture).substr(0, 4), "\x89PNG") << dialog;
  }
  EXPECT_EQ(test::ReadFileText(settings), settingsText);
}

// The programs started while it lives keep their single-instance lock in a folder of the test's.
class RuntimeFolder {
 public:
  explicit RuntimeFolder(const std::string& path) {
    ::mkdir(path.c_str(), 0700);
    if (const char* saved = std::getenv("XDG_RUNTIME_DIR")) m_saved = saved;
    ::setenv("XDG_RUNTIME_DIR", path.c_str(), 1);
  }
  ~RuntimeFolder() {
    if (m_saved) {
      ::setenv("XDG_RUNTIME_DIR", m_saved->c_str(), 1);
    } else {
      ::unsetenv("XDG_RUNTIME_DIR");
    }
  }
  RuntimeFolder(const RuntimeFolder&) = delete;
  RuntimeFolder& operator=(const RuntimeFolder&) = delete;

 private:
  std::optional<std::string> m_saved;
};

pid_t Start(const std::vector<std::string>& arguments) {
  std::vector<std::string> texts{TUNEDEX};
  texts.insert(texts.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  pid_t child = 0;
  return posix_spawn(&child, TUNEDEX, nullptr, nullptr, argv.data(), environ) == 0 ? child : -1;
}

// The exit status once the program ended within the time given, else nothing.
std::optional<int> WaitForExit(pid_t child, std::chrono::milliseconds limit,
                               const std::function<void()>& meanwhile) {
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child) {
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    meanwhile();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  } while (std::chrono::steady_clock::now() < end);
  return std::nullopt;
}

void Stop(pid_t child) {
  ::kill(child, SIGKILL);
  int status = 0;
  ::waitpid(child, &status, 0);
}

// The catalogue window, once it is shown (its caption starts "-Tunedex- "), or 0.
WindowHandle WaitForCatalogueWindow(X11Desktop& desktop) {
  for (int i = 0; i < 1000; ++i) {
    for (const WindowHandle candidate : desktop.TopLevelWindows()) {
      if (desktop.WindowCaption(candidate).starts_with("-Tunedex- ")) return candidate;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}

// The first picture of a window's _NET_WM_ICON: width, height and ARGB pixels row by row.
struct Icon {
  std::uint32_t width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(std::uint32_t x, std::uint32_t y) const { return pixels[y * width + x]; }
};

Icon ReadIcon(const std::string& display, WindowHandle window) {
  xcb_connection_t* c = xcb_connect(display.c_str(), nullptr);
  Icon icon;
  const char name[] = "_NET_WM_ICON";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
  if (atom && atom->atom != XCB_ATOM_NONE) {
    const auto read = [&](std::uint32_t count) {
      xcb_get_property_reply_t* reply =
          xcb_get_property_reply(c,
                                 xcb_get_property(c, 0, static_cast<xcb_window_t>(window),
                                                  atom->atom, XCB_ATOM_CARDINAL, 0, count),
                                 nullptr);
      std::vector<std::uint32_t> values;
      if (reply) {
        const auto* first = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
        values.assign(first, first + xcb_get_property_value_length(reply) / 4);
      }
      std::free(reply);
      return values;
    };
    const std::vector<std::uint32_t> size = read(2);
    if (size.size() == 2 && size[0] > 0 && size[0] <= 1024 && size[1] > 0 && size[1] <= 1024) {
      const std::vector<std::uint32_t> values = read(2 + size[0] * size[1]);
      if (values.size() == 2 + size[0] * size[1]) {
        icon = {size[0], size[1], std::vector<std::uint32_t>(values.begin() + 2, values.end())};
      }
    }
  }
  std::free(atom);
  xcb_disconnect(c);
  return icon;
}

// The window carries the program's own icon, which the desktop shows for it.
TEST(TunedexWindowTest, TheWindowHasTheProgramsIcon) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  const RuntimeFolder runtime(folder.PathOf("run"));
  const std::string settings = folder.Write("tunedex.ini", "");
  const pid_t program = Start({"--settings", settings});
  ASSERT_GT(program, 0);
  X11Desktop desktop(server.Display());
  const WindowHandle window = WaitForCatalogueWindow(desktop);
  EXPECT_NE(window, 0u) << "no window";
  if (window != 0) {
    Icon icon;
    for (int i = 0; i < 200 && icon.width == 0; ++i) {
      icon = ReadIcon(server.Display(), window);
      if (icon.width == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_GT(icon.width, 0u);
    EXPECT_EQ(icon.width, icon.height) << "a square icon";
    // The badge's blue beside the microphone, not a stand-in picture of the toolkit's.
    const std::uint32_t badge = icon.At(icon.width / 8, icon.height / 2);
    const auto near = [](std::uint32_t a, std::uint32_t b) {
      for (int shift = 0; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) -
                     static_cast<int>((b >> shift) & 0xFF)) > 8) {
          return false;
        }
      }
      return true;
    };
    EXPECT_TRUE(near(badge, 0xFF1F3F73)) << std::hex << badge;
    EXPECT_EQ(icon.At(0, 0) >> 24, 0u) << "transparent outside the rounded badge";
  }
  Stop(program);
}

// With a first copy running (holding Shift+F10 and its catalogue open), a second copy brings it
// back and ends at once: no message about the hot key, no window of its own, no settings
// written.
TEST(TunedexWindowTest, ASecondCopyRaisesTheFirstAndEndsAtOnce) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  const RuntimeFolder runtime(folder.PathOf("run"));
  const std::string database = folder.Write(
      "songs.tdb",
      test::DatabaseFile(
          33, {test::MakeRecord({.title = "Waterloo", .artist = "ABBA", .fileName = "/s/w.kar"})}));
  const std::string settingsText = "[Startup]\nData=" + database + "\n";
  const std::string settings = folder.Write("tunedex.ini", settingsText);

  const pid_t first = Start({"--settings", settings});
  ASSERT_GT(first, 0);
  X11Desktop desktop(server.Display());
  const WindowHandle window = WaitForCatalogueWindow(desktop);
  ASSERT_NE(window, 0u) << "the first copy showed no window";
  test::XdndTargetWindow other({.windowClass = "Other", .caption = "in front"});
  desktop.BringToFront(other.Id());
  for (int i = 0; i < 300 && desktop.ForegroundWindow() != other.Id(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  const std::vector<WindowHandle> before = desktop.TopLevelWindows();

  const pid_t second = Start({"--settings", settings});
  ASSERT_GT(second, 0);
  std::vector<std::string> shown;  // windows that appeared while the second copy ran
  const std::optional<int> exit =
      WaitForExit(second, std::chrono::milliseconds(1000), [&desktop, &before, &shown] {
        for (const WindowHandle candidate : desktop.TopLevelWindows()) {
          if (std::find(before.begin(), before.end(), candidate) == before.end()) {
            const std::string caption = desktop.WindowCaption(candidate);
            if (std::find(shown.begin(), shown.end(), caption) == shown.end()) {
              shown.push_back(caption);
            }
          }
        }
      });
  if (!exit) Stop(second);
  EXPECT_EQ(exit, std::optional<int>(0)) << "the second copy did not end within a second";
  EXPECT_TRUE(shown.empty()) << "the second copy showed \"" << shown.front() << "\"";

  bool raised = false;
  for (int i = 0; i < 300 && !raised; ++i) {
    raised = desktop.ForegroundWindow() == window;
    if (!raised) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(raised) << "the first copy did not come back";
  EXPECT_EQ(test::ReadFileText(settings), settingsText);
  Stop(first);
}

// The window whose caption contains text, within about three seconds, or 0.
WindowHandle WaitForCaption(X11Desktop& desktop, const std::string& text) {
  for (int i = 0; i < 300; ++i) {
    for (const WindowHandle candidate : desktop.TopLevelWindows()) {
      if (desktop.WindowCaption(candidate).find(text) != std::string::npos) return candidate;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}

// A catalogue named on the command line opens instead of the last one; with that copy
// running, a second copy started with another catalogue, then with a playlist, hands each over
// and ends: the first opens the catalogue, then Playlist Central with the playlist.
TEST(TunedexWindowTest, FilesNamedOnTheCommandLineOpenHereOrInTheRunningCopy) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  const RuntimeFolder runtime(folder.PathOf("run"));
  const auto catalogue = [&folder](const std::string& name, const std::string& title) {
    return folder.Write(
        name, test::DatabaseFile(33, {test::MakeRecord({.title = title, .fileName = "/s/a.kar"})}));
  };
  const std::string last = catalogue("last.tdb", "Last");
  const std::string named = catalogue("named.tdb", "Named");
  const std::string other = catalogue("other evening.tdb", "Other");
  // A playlist over other.tdb's song: singer "Ann", the song's file name.
  const std::string playlist = folder.Write("friday.tdp", std::string("\x03Ann\x08/s/a.kar"));
  const std::string settings = folder.Write("tunedex.ini", "[Startup]\nData=" + last + "\n");

  const pid_t first = Start({"--settings", settings, named});
  ASSERT_GT(first, 0);
  X11Desktop desktop(server.Display());
  ASSERT_NE(WaitForCaption(desktop, "named.tdb"), 0u) << "the named catalogue did not open";

  for (const std::string& file : {other, playlist}) {
    const pid_t second = Start({"--settings", settings, file});
    ASSERT_GT(second, 0);
    const std::optional<int> exit = WaitForExit(second, std::chrono::milliseconds(3000), [] {});
    if (!exit) Stop(second);
    EXPECT_EQ(exit, std::optional<int>(0)) << file << ": the second copy did not end";
  }
  EXPECT_NE(WaitForCaption(desktop, "other evening.tdb"), 0u)
      << "the running copy did not open the catalogue handed over";
  EXPECT_NE(WaitForCaption(desktop, "Playlist Central - friday.tdp"), 0u)
      << "the running copy did not open the playlist handed over";
  Stop(first);
}

// The width and height of a PNG picture, from its header.
std::pair<std::uint32_t, std::uint32_t> PngSize(const std::string& png) {
  if (png.size() < 24 || png.substr(0, 4) != "\x89PNG") return {0, 0};
  const auto at = [&png](std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
      value = (value << 8) | static_cast<unsigned char>(png[offset + i]);
    }
    return value;
  };
  return {at(16), at(20)};
}

// Start-up that shows a message box (and, for a missing catalogue, the Open dialog after it)
// used to wait for an answer forever in screenshot mode. Now the box is answered with its
// default once its picture is taken, the dialog is cancelled, and the program ends.
TEST(TunedexWindowTest, AScreenshotOfAStartUpWithAMessageBoxShowsTheBoxAndEnds) {
  test::TestXServer server(true);
  ASSERT_TRUE(server.Ready());
  test::TempFolder folder;
  const RuntimeFolder runtime(folder.PathOf("run"));
  const std::string windowSettings = folder.Write("window.ini", "");
  const std::string windowPicture = folder.PathOf("window.png");
  const std::optional<int> windowExit =
      WaitForExit(Start({"--settings", windowSettings, "--screenshot", windowPicture}),
                  std::chrono::seconds(30), [] {});
  ASSERT_EQ(windowExit, std::optional<int>(0));
  const auto [windowWidth, windowHeight] = PngSize(test::ReadFileText(windowPicture));
  ASSERT_GT(windowWidth, 0u);

  const struct {
    const char* name;
    std::string data;
  } cases[] = {
      {"not a catalogue", folder.Write("junk.tdb", "this is not a catalogue")},
      {"missing catalogue", folder.PathOf("missing.tdb")},
  };
  for (const auto& c : cases) {
    const std::string settingsText = "[Startup]\nData=" + c.data + "\n";
    const std::string settings = folder.Write("tunedex.ini", settingsText);
    const std::string picture = folder.PathOf(std::string(c.name) + ".png");
    const pid_t program = Start({"--settings", settings, "--screenshot", picture});
    ASSERT_GT(program, 0);
    const std::optional<int> exit = WaitForExit(program, std::chrono::seconds(30), [] {});
    if (!exit) Stop(program);
    EXPECT_EQ(exit, std::optional<int>(0)) << c.name << ": did not end";
    const auto [width, height] = PngSize(test::ReadFileText(picture));
    EXPECT_GT(width, 0u) << c.name << ": no picture";
    EXPECT_LT(width * height, windowWidth * windowHeight / 2)
        << c.name << ": a picture of the message box, not of the window";
    EXPECT_EQ(test::ReadFileText(settings), settingsText) << c.name;
  }
}

}  // namespace
}  // namespace tunedex
