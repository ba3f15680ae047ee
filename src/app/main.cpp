// SPDX-License-Identifier: GPL-3.0-or-later
// tunedex: the catalogue window.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <string>
#include <string_view>

#include "catalogue/cataloguewindow.h"
#include "common/fileio.h"
#include "common/settingslocation.h"
#include "platform/giofilesystem.h"
#include "platform/linuxvolumes.h"
#include "platform/processstarter.h"
#include "platform/qt/qtplatform.h"
#include "platform/x11desktop.h"
#include "players/playercontrol.h"
#include "playlist/playlistfile.h"
#include "ui/import/scanwizarddialog.h"
#include "ui/main/mainwindow.h"
#include "ui/players/playeroptionswindow.h"
#include "ui/playlist/audienceviewwindow.h"
#include "ui/playlist/fulllistwindow.h"
#include "ui/playlist/itemeditorwindow.h"
#include "ui/playlist/playlistcentralwindow.h"
#include "ui/widgets/foldertree.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace {

constexpr const char* kUsage =
    "usage: tunedex [--settings FILE] [CATALOGUE.tdb | PLAYLIST.tdp]\n"
    "               [--screenshot FILE.png [--dialog "
    "editor|filter|language|players|explorer|scan|lost|\n"
    "                                    playlist|playlist-item|audience|fulllist|print]\n"
    "                                      [--folder DIR]]\n"
    "  --settings FILE    the settings file to read and write\n"
    "  --screenshot FILE  start, save a picture of the painted window (or of --dialog) and end\n"
    "  --folder DIR       the folder the Song Explorer shows, or the scan wizard scans\n";

struct Options {
  std::string settings;
  std::string screenshot;
  std::string dialog;
  std::string folder;
  std::string file;  // a catalogue or playlist to open
};

bool ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (!argument.starts_with("--")) {
      if (!options.file.empty()) return false;
      options.file = argument;
      continue;
    }
    std::string* value = argument == "--settings"     ? &options.settings
                         : argument == "--screenshot" ? &options.screenshot
                         : argument == "--dialog"     ? &options.dialog
                         : argument == "--folder"     ? &options.folder
                                                      : nullptr;
    if (!value || i + 1 >= argc) return false;
    *value = argv[++i];
  }
  constexpr std::string_view kDialogs[] = {
      "",     "editor",   "filter",        "language", "players",  "explorer", "scan",
      "lost", "playlist", "playlist-item", "audience", "fulllist", "print"};
  return std::find(std::begin(kDialogs), std::end(kDialogs), options.dialog) != std::end(kDialogs);
}

// The picture of screenshot mode: of the first message box shown, when start-up shows one,
// else of the dialog that is open, or of the window.
struct Screenshot {
  QString file;
  bool taken = false;
  bool saved = false;

  // area: the part of the widget to picture; empty, the whole widget.
  void Take(QWidget& widget, const QRect& area = QRect()) {
    taken = true;
    saved = widget.grab(area.isEmpty() ? QRect(QPoint(0, 0), QSize(-1, -1)) : area).save(file);
    if (!saved) std::fprintf(stderr, "Cannot save %s\n", file.toLocal8Bit().constData());
  }
};

// Saves a picture of the dialog that is open, or of the window, unless a message box's was
// taken, and ends the program.
void SaveScreenshot(QWidget& window, Screenshot& screenshot) {
  QWidget* shown = QApplication::activeModalWidget();
  if (!screenshot.taken) screenshot.Take(shown ? *shown : window);
  if (shown) shown->close();
  QApplication::exit(screenshot.saved ? 0 : 2);
}

// Tells of an exception that reached the top of the program; the program then ends with
// status 2.
void ReportUnhandled(const char* what, bool showBox) {
  std::fprintf(stderr, "tunedex: %s\n", what);
  if (showBox) {
    tunedex::ShowMessageBox(nullptr, tunedex::MessageKind::Error,
                            std::string("The program must end: ") + what, {tunedex::Button::Ok});
  }
}

// An exception thrown while an event is handled would otherwise leave through Qt's event loop,
// which cannot pass it on.
class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv, bool quiet)
      : QApplication(argc, argv), m_quiet(quiet) {}

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
      Fail(std::strerror(ENOMEM));
    } catch (const std::exception& error) {
      Fail(error.what());
    } catch (...) {
      Fail("unexpected error");
    }
    return false;
  }

 private:
  void Fail(const char* what) {
    if (m_failed) return;
    m_failed = true;
    ReportUnhandled(what, !m_quiet);
    QCoreApplication::exit(2);
  }

  bool m_quiet;
  bool m_failed = false;
};

int RunTunedex(int argc, char** argv) {
  using namespace tunedex;
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  if (!ParseArguments(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const bool screenshot = !options.screenshot.empty();
  GuardedApplication app(argc, argv, screenshot);
  QApplication::setApplicationName(ToQt(kApplicationTitle));
  // Lets the desktop match the windows with the installed desktop entry.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.tunedex.Tunedex"));

  // Before anything else, a second copy brings the first one back and ends at once: it neither
  // asks for Shift+F10 (which the first copy holds), nor loads a catalogue, nor writes the
  // settings.
  // A file named on the command line is handed over as an absolute path.
  std::string file;
  if (!options.file.empty()) {
    std::error_code error;
    file = std::filesystem::absolute(options.file, error).lexically_normal().string();
    if (error) file = options.file;
  }
  QtSingleInstance instance;
  if (!screenshot && instance.Check(2000, file) == SingleInstance::Role::AnotherAnswered) {
    return 0;
  }

  // Every window of the program shows its icon.
  InitUiResources();
  QApplication::setWindowIcon(ArtIcon("icon"));

  // Shift+F10 first, as the window is created.
  QtHotKey hotKey;
  if (!hotKey.Registered()) {
    if (screenshot) {
      std::fprintf(stderr, "%s\n", std::string(kHotKeyRefusedMessage).c_str());
    } else {
      ShowMessageBox(nullptr, MessageKind::Information, kHotKeyRefusedMessage, {Button::Ok});
    }
  }

  // In screenshot mode nobody answers: a question start-up asks gets its default answer once
  // its picture is taken, and the Open dialog is cancelled.
  Screenshot shot{QString::fromLocal8Bit(options.screenshot.c_str())};
  if (screenshot) {
    // A scan's completion message is not the picture asked for: the results behind it are.
    const bool scanResults = options.dialog == "scan" && !options.folder.empty();
    SetUnattended([&shot, scanResults](QWidget& box) {
      if (!shot.taken && !scanResults) shot.Take(box);
    });
  }

  tCatalogue catalogue;
  GioFileSystem files;
  LinuxVolumes volumes;
  // A catalogue named opens instead of the last one; a playlist opens once the window shows.
  const bool playlistNamed = IsPlaylistFileName(file);
  TTunedexMain window(catalogue, files, volumes,
                      SettingsFilePath(ProgramFilePath(), options.settings), nullptr,
                      playlistNamed ? std::string() : file);
  X11Desktop desktop;
  PosixProgramStarter programs;
  ThreadSleeper sleeper;
  std::unique_ptr<tPlayerControl> control;
  if (desktop.Connected()) {
    control = std::make_unique<tPlayerControl>(
        tPlayerControl::Services{
            desktop, programs, sleeper, window.User(),
            [&files](const std::string& path) { return files.FileExists(path); },
            FolderPart(ProgramFilePath())},
        window.Logic().PlayerOptions(), static_cast<WindowHandle>(window.winId()));
    window.SetPlayerServices({control.get(), &desktop, &programs, &sleeper});
    desktop.SetSwitchBackHandler([&window](WindowHandle handle) {
      QWidget* target = QWidget::find(static_cast<WId>(handle));
      if (!target) target = &window;
      if (QWindow* native = target->windowHandle()) BringBack(*native);
    });
    FollowApplicationActivation(*control);
    QObject::connect(&hotKey, &QtHotKey::Pressed, &window, [&control] { control->HotkeySwitch(); });
  }

  QObject::connect(&instance, &QtSingleInstance::RaiseRequested, &window, [&window] {
    if (QWindow* native = window.windowHandle()) BringBack(*native);
  });
  QObject::connect(
      &instance, &QtSingleInstance::OpenRequested, &window,
      [&window](const std::string& path) { window.OpenFromOutside(path); }, Qt::QueuedConnection);

  window.ShowAsStored();
  if (playlistNamed) {
    QTimer::singleShot(0, &window, [&window, file] { window.OpenFromOutside(file); });
  }
  if (screenshot) {
    // The Song Explorer reads its folder first.
    const int pictureAfterMs = options.dialog == "explorer" || options.dialog == "playlist-item" ||
                                       options.dialog == "audience" || options.dialog == "fulllist"
                                   ? 1500
                               : options.dialog == "scan" ? 3000
                                                          : 600;
    QTimer::singleShot(pictureAfterMs, &window, [&window, &shot] { SaveScreenshot(window, shot); });
    if (options.dialog == "editor") {
      QTimer::singleShot(200, &window, [&window] {
        window.Logic().Run(Command::EditSong, kEditSongTag);
        window.Sync();
      });
    } else if (options.dialog == "filter") {
      QTimer::singleShot(200, &window, [&window] { window.Logic().Run(Command::ViewFiltered); });
    } else if (options.dialog == "language") {
      QTimer::singleShot(200, &window, [&window] { window.Logic().Run(Command::CustomLanguage); });
    } else if (options.dialog == "players") {
      QTimer::singleShot(200, &window, [&window] { window.Logic().Run(Command::Players); });
    } else if (options.dialog == "scan") {
      QTimer::singleShot(200, &window, [&window] { window.Logic().Run(Command::ScanForSongs); });
      // With a folder, every type is chosen and the folder scanned: the picture is of the
      // results.
      if (!options.folder.empty()) {
        QTimer::singleShot(600, &window, [&options] {
          auto* wizard = qobject_cast<TScanWizardDialog*>(QApplication::activeModalWidget());
          if (!wizard) return;
          for (std::size_t box = 0; box < ScanTypeBoxes().size(); ++box) {
            wizard->TypeBox(box).setChecked(true);
          }
          wizard->NextButton().click();
          wizard->Tree().SetPath(options.folder);
        });
        QTimer::singleShot(1500, &window, [] {
          auto* wizard = qobject_cast<TScanWizardDialog*>(QApplication::activeModalWidget());
          if (wizard && wizard->NextButton().isEnabled()) wizard->NextButton().click();
        });
      }
    } else if (options.dialog == "lost") {
      QTimer::singleShot(200, &window, [&window] { window.Logic().Run(Command::LostFiles); });
    } else if (options.dialog == "print") {
      QTimer::singleShot(200, &window, [&window] { window.Logic().Run(Command::PrintPreview); });
    } else if (options.dialog == "playlist" || options.dialog == "playlist-item") {
      // Playlist Central and the item editor are not modal: the picture is taken of the window
      // asked for before the catalogue window's.
      const bool item = options.dialog == "playlist-item";
      QTimer::singleShot(200, &window, [&window, item] {
        window.Logic().Run(Command::PlaylistCentral);
        auto* playlist = window.findChild<TPlaylistCentralWindow*>();
        if (item && playlist) playlist->Logic().AddItem();
      });
      QTimer::singleShot(item ? 900 : 500, &window, [&window, &shot, item] {
        QWidget* shown = item ? static_cast<QWidget*>(OpenedItemEditor())
                              : window.findChild<TPlaylistCentralWindow*>();
        if (shown && !shot.taken) shot.Take(*shown);
      });
    } else if (options.dialog == "audience") {
      // The evening's first item set as starting item, the bars over the room's screen.
      QTimer::singleShot(200, &window, [&window] {
        window.Logic().Run(Command::PlaylistCentral);
        auto* playlist = window.findChild<TPlaylistCentralWindow*>();
        if (!playlist || playlist->Logic().RowCount() == 0) return;
        playlist->Logic().SelectRow(0);
        playlist->Run(PlaylistCommand::SetStarting);
        playlist->Run(PlaylistCommand::ShowAudience);
      });
      QTimer::singleShot(900, &window, [&window, &shot] {
        auto* view = window.findChild<TAudienceView*>();
        if (view && !shot.taken) shot.Take(*view, view->VisibleRegion().boundingRect());
      });
    } else if (options.dialog == "fulllist") {
      // The full list over Playlist Central's active playlist, its second item starting.
      QTimer::singleShot(200, &window, [&window] {
        window.Logic().Run(Command::PlaylistCentral);
        auto* playlist = window.findChild<TPlaylistCentralWindow*>();
        if (!playlist || playlist->Logic().RowCount() < 2) return;
        playlist->Logic().SelectRow(1);
        playlist->Run(PlaylistCommand::SetStarting);
        playlist->Run(PlaylistCommand::ShowFullList);
      });
      QTimer::singleShot(900, &window, [&window, &shot] {
        auto* view = window.findChild<TFullListView*>();
        if (view && !shot.taken) shot.Take(*view);
      });
    } else if (options.dialog == "explorer") {
      QTimer::singleShot(200, &window, [&window, &options] {
        if (!options.folder.empty()) window.Logic().Settings().songsFolder = options.folder;
        window.Logic().Run(Command::SongExplorer);
      });
    }
  }
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return RunTunedex(argc, argv);
  } catch (const std::bad_alloc&) {
    ReportUnhandled(std::strerror(ENOMEM), false);
  } catch (const std::exception& error) {
    ReportUnhandled(error.what(), false);
  } catch (...) {
    ReportUnhandled("unexpected error", false);
  }
  return 2;
}
