// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/foldertree.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <filesystem>
#include <mutex>

#include "common/userlocale.h"
#include "platform/giofilesystem.h"
#include "support/tempfolder.h"

namespace tunedex {
namespace {

constexpr int kWaitMs = 5000;
// A short bound and rescan keep the tests quick; the mount table is not watched, the test's
// volumes change without it.
const FolderTreeTiming kTiming{std::chrono::milliseconds(300), std::chrono::milliseconds(50), ""};

// The real file system, whose listing of one folder can be held until the test lets it go.
class HeldFileSystem : public FileSystem {
 public:
  ~HeldFileSystem() override { Release(); }

  void Hold(const std::string& folder) {
    const std::lock_guard lock(m_mutex);
    m_held = folder;
  }
  void Release() {
    const std::lock_guard lock(m_mutex);
    m_held.clear();
    m_released.notify_all();
  }
  int Listings(const std::string& folder) {
    const std::lock_guard lock(m_mutex);
    return m_listings[folder];
  }

  FolderListing List(const std::string& folder,
                     const std::vector<std::string>& patterns = {}) override {
    {
      std::unique_lock lock(m_mutex);
      ++m_listings[folder];
      m_released.wait(lock, [&] { return m_held != folder; });
    }
    return m_files.List(folder, patterns);
  }
  std::optional<FileInfo> Info(const std::string& path) override { return m_files.Info(path); }
  FileResult RenameWithoutReplacing(const std::string& from, const std::string& to) override {
    return m_files.RenameWithoutReplacing(from, to);
  }
  FileResult Copy(const std::string& from, const std::string& to,
                  const FileProgress& progress = {}) override {
    return m_files.Copy(from, to, progress);
  }
  FileResult Move(const std::string& from, const std::string& to,
                  const FileProgress& progress = {}) override {
    return m_files.Move(from, to, progress);
  }
  FileResult Delete(const std::string& path) override { return m_files.Delete(path); }
  FileResult Trash(const std::string& path) override { return m_files.Trash(path); }
  std::optional<std::uint64_t> FreeSpace(const std::string& path) override {
    return m_files.FreeSpace(path);
  }

 private:
  GioFileSystem m_files;
  std::mutex m_mutex;
  std::condition_variable m_released;
  std::string m_held;
  std::map<std::string, int> m_listings;
};

// Volumes the test mounts and unmounts while the tree reads them from its threads.
class SharedVolumes : public Volumes {
 public:
  void Mount(Volume volume) {
    const std::lock_guard lock(m_mutex);
    m_mounted.push_back(std::move(volume));
  }
  void Unmount(const std::string& mountPoint) {
    const std::lock_guard lock(m_mutex);
    std::erase_if(m_mounted, [&](const Volume& volume) { return volume.mountPoint == mountPoint; });
  }

  std::vector<Volume> Mounted() override {
    const std::lock_guard lock(m_mutex);
    return m_mounted;
  }
  std::vector<Volume> KnownUnmounted() override { return {}; }
  bool IsReady(const Volume&) override { return true; }

 private:
  std::mutex m_mutex;
  std::vector<Volume> m_mounted;
};

Volume MakeVolume(std::string mountPoint, VolumeKind kind, std::string label) {
  Volume volume;
  volume.mountPoint = std::move(mountPoint);
  volume.kind = kind;
  volume.label = std::move(label);
  volume.fileSystem = kind == VolumeKind::Remote ? "nfs4" : "ext4";
  return volume;
}

class FolderTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    SetUserLocale("en_US");
    home = folder.PathOf("home");
    songs = folder.PathOf("mnt/songs");
    gvfs = folder.PathOf("gvfs");
    MakeFolders({"home", "mnt/songs", "gvfs/smb-share:server=nas,share=music"});
    volumes.Mount(MakeVolume(songs, VolumeKind::Removable, "SONGS"));
  }

  void MakeFolders(std::initializer_list<std::string> relative) {
    for (const std::string& path : relative)
      std::filesystem::create_directories(folder.PathOf(path));
  }

  TFolderTree& Tree() {
    if (!tree) {
      tree = std::make_unique<TFolderTree>(Services(), kTiming);
      // The tester lists every folder it can reach: not with "/" among the places.
      if (withTester) {
        tester = std::make_unique<QAbstractItemModelTester>(
            tree->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
      }
      tree->resize(400, 800);
      tree->show();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(tree.get()));
    }
    return *tree;
  }

  // The fixture owns the services; TearDown waits until every call into them is over.
  TFolderTree::Services Services() {
    return {std::shared_ptr<Volumes>(std::shared_ptr<void>(), &volumes),
            std::shared_ptr<FileSystem>(std::shared_ptr<void>(), &files), home, gvfs};
  }

  QModelIndex Top(int row) { return Tree().model()->index(row, 0); }

  QModelIndex Find(const std::string& path, const QModelIndex& parent = {}) {
    const QAbstractItemModel& model = *Tree().model();
    for (int row = 0; row < model.rowCount(parent); ++row) {
      const QModelIndex child = model.index(row, 0, parent);
      if (child.data(TFolderTreeModel::PathRole).toString().toStdString() == path) return child;
      if (const QModelIndex found = Find(path, child); found.isValid()) return found;
    }
    return {};
  }

  std::vector<std::string> Children(const QModelIndex& parent, int role = Qt::DisplayRole) {
    std::vector<std::string> texts;
    const QAbstractItemModel& model = *Tree().model();
    for (int row = 0; row < model.rowCount(parent); ++row) {
      texts.push_back(model.index(row, 0, parent).data(role).toString().toStdString());
    }
    return texts;
  }

  // Selects path and waits for the selection to settle on expected.
  void ExpectSetPathSelects(const std::string& path, const std::string& expected) {
    QSignalSpy changes(&Tree(), &TFolderTree::SelectionChanged);
    Tree().SetPath(path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Tree().PathPending(); }, kWaitMs)) << path;
    EXPECT_EQ(Tree().Path(), expected);
    QTest::qWait(50);
    EXPECT_EQ(changes.count(), 1) << path;
    for (QModelIndex above = Tree().currentIndex().parent(); above.isValid();
         above = above.parent()) {
      EXPECT_TRUE(Tree().isExpanded(above)) << path;
    }
  }

  test::TempFolder folder;
  std::string home, songs, gvfs;
  SharedVolumes volumes;
  HeldFileSystem files;
  std::unique_ptr<TFolderTree> tree;
  std::unique_ptr<QAbstractItemModelTester> tester;
  bool withTester = true;

  void TearDown() override {
    tester.reset();
    tree.reset();
    files.Release();
    // The services go with the fixture: every call into them must be over.
    EXPECT_TRUE(QTest::qWaitFor([] { return TBackgroundCalls::Running() == 0; }, kWaitMs));
  }
};

TEST_F(FolderTreeTest, TopNodesAndPlacesWithTheirPaths) {
  volumes.Mount(MakeVolume(folder.PathOf("mnt/nas"), VolumeKind::Remote, "nas"));
  EXPECT_EQ(Children({}), (std::vector<std::string>{"Home", "Computer", "Network"}));
  EXPECT_EQ(Children({}, TFolderTreeModel::PathRole), (std::vector<std::string>{home, "", ""}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tree().model()->rowCount(Top(2)) == 2; }, kWaitMs));
  EXPECT_EQ(Children(Top(1)), (std::vector<std::string>{"nas", "SONGS"}));
  EXPECT_EQ(Children(Top(1), TFolderTreeModel::PathRole),
            (std::vector<std::string>{folder.PathOf("mnt/nas/"), songs + "/"}));
  EXPECT_EQ(Children(Top(2)), (std::vector<std::string>{"music on nas", "nas"}));
  EXPECT_EQ(Children(Top(2), TFolderTreeModel::PathRole),
            (std::vector<std::string>{gvfs + "/smb-share:server=nas,share=music/",
                                      folder.PathOf("mnt/nas/")}));
  for (const QModelIndex& top : {Top(0), Top(1), Top(2), Find(songs + "/")}) {
    EXPECT_FALSE(top.data(Qt::DecorationRole).value<QIcon>().isNull());
  }
  EXPECT_FALSE(Tree().IsComputerSelected());
  Tree().setCurrentIndex(Top(1));
  EXPECT_TRUE(Tree().IsComputerSelected());
  EXPECT_EQ(Tree().Path(), "");
}

TEST_F(FolderTreeTest, SetPathSelectsTheFolderOrItsNearestShownParent) {
  MakeFolders({"home/a/b/c", "home/.hidden/x", "mnt/songs/pop/80s"});
  const struct {
    std::string path;
    std::string selected;
  } cases[] = {
      {home + "/a/b/c", home + "/a/b/c"},
      {home + "/a/b/", home + "/a/b"},
      {home + "/a/gone/deeper", home + "/a"},
      {home + "/.hidden/x", home},
      {home + "/a/b/c/file.kar", home + "/a/b/c"},
      {songs + "/pop/80s", songs + "/pop/80s"},
      {songs, songs + "/"},
      {home, home},
      {songs + "/rock", songs + "/"},
      {"not/absolute", home},
  };
  for (const auto& c : cases) ExpectSetPathSelects(c.path, c.selected);
  // A folder under a place goes under Computer, not Home.
  Tree().SetPath(songs + "/pop");
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tree().Path() == songs + "/pop"; }, kWaitMs));
  EXPECT_EQ(Tree().currentIndex().parent().parent(), Top(1));
}

// The view makes its first row current when it gets the focus; that selects nothing and does
// not stop a SetPath under way.
TEST_F(FolderTreeTest, SetPathBeforeTheTreeHasTheFocus) {
  MakeFolders({"home/a/b"});
  TFolderTree fresh(Services(), kTiming);
  QSignalSpy changes(&fresh, &TFolderTree::SelectionChanged);
  fresh.SetPath(home + "/a/b");
  fresh.show();
  QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
  QCoreApplication::sendEvent(&fresh, &focusIn);
  EXPECT_TRUE(QTest::qWaitFor([&] { return fresh.Path() == home + "/a/b"; }, kWaitMs))
      << fresh.Path();
  EXPECT_EQ(changes.count(), 1);
}

TEST_F(FolderTreeTest, TheRootVolumeIsSlashAndHoldsWhatNoOtherPlaceDoes) {
  withTester = false;
  volumes.Mount(MakeVolume("/", VolumeKind::Fixed, ""));
  MakeFolders({"elsewhere/x"});
  ExpectSetPathSelects("/", "/");
  ExpectSetPathSelects(folder.PathOf("elsewhere/x"), folder.PathOf("elsewhere/x"));
  ExpectSetPathSelects(folder.PathOf("elsewhere/gone"), folder.PathOf("elsewhere"));
  EXPECT_EQ(Children(Top(1)), (std::vector<std::string>{"/", "SONGS"}));
}

TEST_F(FolderTreeTest, SubfoldersWithoutHiddenOnesInCollationOrder) {
  MakeFolders({"home/beta", "home/Alpha", "home/.config", "home/Émile", "home/zulu", "home/echo"});
  folder.Write("home/apple.kar", "");
  Tree().expand(Top(0));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tree().model()->rowCount(Top(0)) > 0; }, kWaitMs));
  EXPECT_EQ(Children(Top(0)), (std::vector<std::string>{"Alpha", "beta", "echo", "Émile", "zulu"}));
  EXPECT_EQ(Children(Top(0), TFolderTreeModel::PathRole)[0], home + "/Alpha");
}

TEST_F(FolderTreeTest, FoldersMadeAndRemovedElsewhereShowInPlace) {
  MakeFolders({"home/keep/inner"});
  ExpectSetPathSelects(home + "/keep/inner", home + "/keep/inner");
  QSignalSpy changes(&Tree(), &TFolderTree::SelectionChanged);

  MakeFolders({"home/new"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return Find(home + "/new").isValid(); }, kWaitMs));
  MakeFolders({"home/keep/another"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return Find(home + "/keep/another").isValid(); }, kWaitMs));
  EXPECT_EQ(Tree().Path(), home + "/keep/inner");
  EXPECT_TRUE(Tree().isExpanded(Find(home + "/keep")));
  // A volume's root is watched too once expanded.
  Tree().expand(Find(songs + "/"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tree().isExpanded(Find(songs + "/")); }, kWaitMs));
  MakeFolders({"mnt/songs/made"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return Find(songs + "/made").isValid(); }, kWaitMs));
  EXPECT_EQ(changes.count(), 0);

  // The selected folder goes: its parent is selected.
  std::filesystem::remove(folder.PathOf("home/keep/inner"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Tree().Path() == home + "/keep"; }, kWaitMs));
  EXPECT_EQ(changes.count(), 1);
  EXPECT_FALSE(Find(home + "/keep/inner").isValid());
}

TEST_F(FolderTreeTest, AFolderThatDoesNotAnswerShowsSoAndItsLateAnswerIsUsed) {
  MakeFolders({"home/slow/deep", "home/quick/x"});
  const std::string slow = home + "/slow";
  files.Hold(slow);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(20);

  Tree().SetPath(slow + "/deep");
  // The way stops at the folder that does not answer, within the bound.
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tree().Path() == slow; }, kWaitMs));
  EXPECT_TRUE(Tree().PathPending());
  const QModelIndex node = Find(slow);
  EXPECT_TRUE(node.data(TFolderTreeModel::NotAnsweringRole).toBool());
  EXPECT_EQ(node.data().toString().toStdString(), "slow (not answering)");
  EXPECT_GT(ticks, 5);  // the window thread went on meanwhile

  // Other folders are listed while that one hangs, and it is not asked again.
  Tree().expand(Find(home + "/quick"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Find(home + "/quick/x").isValid(); }, kWaitMs));
  Tree().collapse(node);
  Tree().expand(node);
  Tree().Refresh();
  QTest::qWait(50);
  EXPECT_EQ(files.Listings(slow), 1);

  // The late answer shows, and the way goes on down.
  files.Release();
  EXPECT_TRUE(QTest::qWaitFor([&] { return Tree().Path() == slow + "/deep"; }, kWaitMs));
  EXPECT_FALSE(Tree().PathPending());
  EXPECT_FALSE(Find(slow).data(TFolderTreeModel::NotAnsweringRole).toBool());
  EXPECT_EQ(Find(slow).data().toString().toStdString(), "slow");
}

TEST_F(FolderTreeTest, ATreeGoneBeforeItsListingAnswersIsNoHarm) {
  MakeFolders({"home/slow"});
  files.Hold(home + "/slow");
  Tree().SetPath(home + "/slow/x");
  ASSERT_TRUE(QTest::qWaitFor([&] { return files.Listings(home + "/slow") == 1; }, kWaitMs));
  tester.reset();
  tree.reset();
  files.Release();
  // The answer arrives for nobody.
  EXPECT_TRUE(QTest::qWaitFor([] { return TBackgroundCalls::Running() == 0; }, kWaitMs));
  QCoreApplication::processEvents();
}

TEST_F(FolderTreeTest, VolumesMountedAndUnmountedShowWithoutLosingTheSelection) {
  MakeFolders({"mnt/songs/pop", "mnt/usb/karaoke"});
  ExpectSetPathSelects(songs + "/pop", songs + "/pop");
  QSignalSpy changes(&Tree(), &TFolderTree::SelectionChanged);

  const std::string usb = folder.PathOf("mnt/usb");
  volumes.Mount(MakeVolume(usb, VolumeKind::Removable, "USB"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Find(usb + "/").isValid(); }, kWaitMs));
  EXPECT_EQ(Children(Top(1)), (std::vector<std::string>{"SONGS", "USB"}));
  EXPECT_EQ(Tree().Path(), songs + "/pop");
  EXPECT_TRUE(Tree().isExpanded(Find(songs + "/")));
  EXPECT_EQ(changes.count(), 0);
  ExpectSetPathSelects(usb + "/karaoke", usb + "/karaoke");

  // The selected volume goes: Computer is selected.
  changes.clear();
  volumes.Unmount(usb);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Tree().IsComputerSelected(); }, kWaitMs));
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(Children(Top(1)), (std::vector<std::string>{"SONGS"}));
}

TEST_F(FolderTreeTest, NetworkFoldersAreListedOnEachExpansionRatherThanWatched) {
  const std::string nas = folder.PathOf("mnt/nas");
  MakeFolders({"mnt/nas/old"});
  volumes.Mount(MakeVolume(nas, VolumeKind::Remote, "nas"));
  ExpectSetPathSelects(nas + "/old", nas + "/old");
  const QModelIndex root = Find(nas + "/");
  ASSERT_TRUE(Tree().isExpanded(root));
  // Expanding a network folder lists it again: that listing must be over before the folder
  // changes.
  ASSERT_TRUE(QTest::qWaitFor([] { return TBackgroundCalls::Running() == 0; }, kWaitMs));

  MakeFolders({"mnt/nas/new"});
  QTest::qWait(300);
  EXPECT_FALSE(Find(nas + "/new").isValid());
  Tree().collapse(root);
  Tree().expand(root);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Find(nas + "/new").isValid(); }, kWaitMs));

  MakeFolders({"mnt/nas/newer"});
  Tree().Refresh();  // the selected folder and its parent, the volume's root
  EXPECT_TRUE(QTest::qWaitFor([&] { return Find(nas + "/newer").isValid(); }, kWaitMs));
}

TEST_F(FolderTreeTest, DesktopNetworkMountsComeAndGo) {
  ASSERT_TRUE(QTest::qWaitFor([&] { return Tree().model()->rowCount(Top(2)) == 1; }, kWaitMs));
  MakeFolders({"gvfs/sftp:host=box,user=me"});
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        return Children(Top(2)) == std::vector<std::string>{"box", "music on nas"};
      },
      kWaitMs));
  std::filesystem::remove(folder.PathOf("gvfs/smb-share:server=nas,share=music"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Children(Top(2)) == std::vector<std::string>{"box"}; },
                              kWaitMs));
}

TEST_F(FolderTreeTest, PathAtAPointOfTheViewport) {
  MakeFolders({"home/a"});
  ExpectSetPathSelects(home + "/a", home + "/a");
  const auto pathAt = [&](const QModelIndex& index) {
    return Tree().PathAt(Tree().visualRect(index).center());
  };
  EXPECT_EQ(pathAt(Top(0)), home);
  EXPECT_EQ(pathAt(Find(home + "/a")), home + "/a");
  EXPECT_EQ(pathAt(Top(1)), "");
  EXPECT_EQ(Tree().PathAt(QPoint(5, Tree().viewport()->height() - 2)), "");
}

TEST_F(FolderTreeTest, DropsOfTheAcceptedFormatOnFolders) {
  MakeFolders({"home/a"});
  ExpectSetPathSelects(home + "/a", home + "/a");
  const QString format = QStringLiteral("application/x-song-files");
  Tree().AcceptDropsOf(format);
  QSignalSpy dropped(&Tree(), &TFolderTree::Dropped);

  QMimeData songsData;
  songsData.setData(format, "x");
  QMimeData textData;
  textData.setText(QStringLiteral("x"));
  const struct {
    const char* name;
    const QMimeData* data;
    QModelIndex over;
    Qt::KeyboardModifiers modifiers;
    bool accepted;
    Qt::DropAction action;
  } cases[] = {
      {"move to a folder", &songsData, Find(home + "/a"), Qt::NoModifier, true, Qt::MoveAction},
      {"copy to Home", &songsData, Top(0), Qt::ControlModifier, true, Qt::CopyAction},
      {"Computer has no folder", &songsData, Top(1), Qt::NoModifier, false, Qt::IgnoreAction},
      {"another format", &textData, Find(home + "/a"), Qt::NoModifier, false, Qt::IgnoreAction},
  };
  const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
  for (const auto& c : cases) {
    dropped.clear();
    const QPoint at = Tree().visualRect(c.over).center();
    QDragEnterEvent enter(at, offered, c.data, Qt::LeftButton, c.modifiers);
    QCoreApplication::sendEvent(Tree().viewport(), &enter);
    EXPECT_EQ(enter.isAccepted(), c.data == &songsData) << c.name;
    QDragMoveEvent move(at, offered, c.data, Qt::LeftButton, c.modifiers);
    QCoreApplication::sendEvent(Tree().viewport(), &move);
    EXPECT_EQ(move.isAccepted(), c.accepted) << c.name;
    QDropEvent drop(at, offered, c.data, Qt::LeftButton, c.modifiers);
    QCoreApplication::sendEvent(Tree().viewport(), &drop);
    EXPECT_EQ(drop.isAccepted(), c.accepted) << c.name;
    if (!c.accepted) {
      EXPECT_EQ(dropped.count(), 0) << c.name;
      continue;
    }
    EXPECT_EQ(drop.dropAction(), c.action) << c.name;
    ASSERT_EQ(dropped.count(), 1) << c.name;
    EXPECT_EQ(dropped[0][0].toString().toStdString(),
              c.over.data(TFolderTreeModel::PathRole).toString().toStdString())
        << c.name;
    EXPECT_EQ(dropped[0][1].toBool(), c.action == Qt::CopyAction) << c.name;
  }
}

}  // namespace
}  // namespace tunedex
