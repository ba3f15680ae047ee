// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/foldertreerules.h"

#include <gtest/gtest.h>

#include "common/userlocale.h"
#include "support/fakefilesystem.h"
#include "support/fakevolumes.h"

namespace tunedex {
namespace {

Volume MakeVolume(std::string mountPoint, VolumeKind kind, std::string label = {},
                  std::string fileSystem = "ext4") {
  Volume volume;
  volume.mountPoint = std::move(mountPoint);
  volume.kind = kind;
  volume.label = std::move(label);
  volume.fileSystem = std::move(fileSystem);
  return volume;
}

std::vector<std::string> PathsOf(const std::vector<FolderPlace>& places) {
  std::vector<std::string> paths;
  for (const FolderPlace& place : places) paths.push_back(place.path);
  return paths;
}

class FolderTreeRulesTest : public testing::Test {
 protected:
  void SetUp() override { SetUserLocale("en_US"); }

  // A machine as the system's own mount table describes it, pseudo mounts included.
  void MountMachine() {
    volumes.Mount(MakeVolume("/", VolumeKind::Fixed, "rootfs"));
    volumes.Mount(MakeVolume("/dev/shm", VolumeKind::Ram, "shm", "tmpfs"));
    volumes.Mount(MakeVolume("/run/user/1000", VolumeKind::Ram, "1000", "tmpfs"));
    volumes.Mount(MakeVolume("/snap/core/1", VolumeKind::Fixed, "1", "squashfs"));
    volumes.Mount(MakeVolume("/media/host/zebra", VolumeKind::Removable, "zebra", "vfat"));
    volumes.Mount(MakeVolume("/mnt/nas", VolumeKind::Remote, "", "nfs4"));
    volumes.Mount(MakeVolume("/media/host/Alpha", VolumeKind::Optical, "Alpha", "iso9660"));
    volumes.Mount(MakeVolume("/run/media/host/Éclair", VolumeKind::Removable, "Éclair"));
    volumes.Mount(MakeVolume("/home", VolumeKind::Fixed, "home"));
  }

  test::FakeVolumes volumes;
};

TEST_F(FolderTreeRulesTest, ComputerShowsRootFirstThenRealVolumesByCaption) {
  MountMachine();
  const std::vector<FolderPlace> places = ComputerPlaces(volumes.Mounted());
  EXPECT_EQ(PathsOf(places),
            (std::vector<std::string>{"/", "/media/host/Alpha/", "/run/media/host/Éclair/",
                                      "/home/", "/mnt/nas/", "/media/host/zebra/"}));
  ASSERT_EQ(places.size(), 6U);
  EXPECT_EQ(places[0].caption, "rootfs");
  EXPECT_EQ(places[1].kind, VolumeKind::Optical);
  EXPECT_EQ(places[4].caption, "nas");  // no label: the mount point's name
}

TEST_F(FolderTreeRulesTest, StackedMountsShowOnce) {
  volumes.Mount(MakeVolume("/", VolumeKind::Fixed));
  volumes.Mount(MakeVolume("/media/s", VolumeKind::Removable, "old"));
  volumes.Mount(MakeVolume("/media/s/", VolumeKind::Optical, "new"));
  const std::vector<FolderPlace> places = ComputerPlaces(volumes.Mounted());
  ASSERT_EQ(places.size(), 2U);
  EXPECT_EQ(places[0], (FolderPlace{"/", "/", VolumeKind::Fixed}));
  EXPECT_EQ(places[1], (FolderPlace{"new", "/media/s/", VolumeKind::Optical}));
}

TEST_F(FolderTreeRulesTest, NetworkShowsRemoteVolumesAndDesktopMounts) {
  MountMachine();
  const std::string gvfs = "/run/user/1000/gvfs";
  const std::vector<FolderPlace> places =
      NetworkPlaces(volumes.Mounted(), gvfs,
                    {"smb-share:server=nas,share=music", ".hidden", "sftp:host=box,user=me"});
  ASSERT_EQ(places.size(), 3U);
  EXPECT_EQ(places[0], (FolderPlace{"box", gvfs + "/sftp:host=box,user=me/", VolumeKind::Remote}));
  EXPECT_EQ(places[1], (FolderPlace{"music on nas", gvfs + "/smb-share:server=nas,share=music/",
                                    VolumeKind::Remote}));
  EXPECT_EQ(places[2], (FolderPlace{"nas", "/mnt/nas/", VolumeKind::Remote}));
  // Without a place for the desktop's mounts, its entries are not places.
  EXPECT_EQ(NetworkPlaces(volumes.Mounted(), "", {"smb-share:server=nas,share=music"}).size(), 1U);
}

TEST(NetworkMountCaptionTest, ServerAndShare) {
  const std::pair<const char*, const char*> cases[] = {
      {"smb-share:server=nas,share=music", "music on nas"},
      {"smb-share:domain=W,server=nas,share=music,user=me", "music on nas"},
      {"sftp:host=box.local,user=me", "box.local"},
      {"dav:host=cloud,ssl=true", "cloud"},
      {"mtp:host=Phone", "Phone"},
      {"plain", "plain"},
      {"odd:nothing", "odd:nothing"},
  };
  for (const auto& [name, caption] : cases) EXPECT_EQ(NetworkMountCaption(name), caption) << name;
}

TEST(VolumeCaptionTest, LabelElseMountPointName) {
  EXPECT_EQ(VolumeCaption(MakeVolume("/media/a/KARAOKE", VolumeKind::Removable, "Songs")), "Songs");
  EXPECT_EQ(VolumeCaption(MakeVolume("/media/a/KARAOKE/", VolumeKind::Removable)), "KARAOKE");
  EXPECT_EQ(VolumeCaption(MakeVolume("/", VolumeKind::Fixed)), "/");
}

TEST(FolderPathTest, RootsChildrenAndNormalForms) {
  EXPECT_EQ(PlaceRoot("/"), "/");
  EXPECT_EQ(PlaceRoot("/media/a"), "/media/a/");
  EXPECT_EQ(PlaceRoot("/media/a/"), "/media/a/");
  EXPECT_EQ(ChildPath("/", "a"), "/a");
  EXPECT_EQ(ChildPath("/media/a/", "b"), "/media/a/b");
  EXPECT_EQ(ChildPath("/home/u", "b"), "/home/u/b");
  const std::pair<const char*, const char*> cases[] = {
      {"/", "/"},
      {"//", "/"},
      {"/a/", "/a"},
      {"/a//b/./c", "/a/b/c"},
      {"/a/b/../c", "/a/c"},
      {"/../a", "/a"},
      {"relative/a", ""},
      {"", ""},
  };
  for (const auto& [path, normal] : cases) EXPECT_EQ(NormalFolderPath(path), normal) << path;
}

TEST_F(FolderTreeRulesTest, SubfoldersWithoutHiddenOnesInCollationOrderIgnoringCase) {
  test::FakeFileSystem files;
  for (const char* name : {"beta", "Alpha", ".config", "zulu", "Émile", "alpha", "echo"}) {
    files.AddFolder(std::string("/f/") + name);
  }
  files.AddFile("/f/apple.kar");
  files.AddFolder("/elsewhere/delta");
  files.AddLink("/f/delta", "/elsewhere/delta");
  files.AddLink("/f/broken", "/nowhere");
  EXPECT_EQ(SubfolderNames(files.List("/f")),
            (std::vector<std::string>{"Alpha", "alpha", "beta", "delta", "echo", "Émile", "zulu"}));
  files.Fail(test::FakeFileSystem::Op::List, FileFailure::PermissionDenied, "/f");
  EXPECT_TRUE(SubfolderNames(files.List("/f")).empty());
}

TEST_F(FolderTreeRulesTest, RouteGoesUnderHomeOrTheDeepestPlace) {
  MountMachine();
  const std::string gvfs = "/run/user/1000/gvfs";
  const std::string share = gvfs + "/smb-share:server=nas,share=music/";
  const std::vector<FolderPlace> computer = ComputerPlaces(volumes.Mounted());
  const std::vector<FolderPlace> network =
      NetworkPlaces(volumes.Mounted(), gvfs, {"smb-share:server=nas,share=music"});
  const std::string home = "/home/host";
  using Steps = std::vector<std::string>;
  const struct {
    std::string path;
    FolderTop top;
    Steps steps;
  } cases[] = {
      {"/home/host", FolderTop::Home, {}},
      {"/home/host/", FolderTop::Home, {}},
      {"/home/host/kar/pop", FolderTop::Home, {"/home/host/kar", "/home/host/kar/pop"}},
      {"/home/hostess/a", FolderTop::Computer, {"/home/", "/home/hostess", "/home/hostess/a"}},
      {"/", FolderTop::Computer, {"/"}},
      {"/usr//share/", FolderTop::Computer, {"/", "/usr", "/usr/share"}},
      {"/media/host/zebra", FolderTop::Computer, {"/media/host/zebra/"}},
      {"/media/host/zebra/a/../b",
       FolderTop::Computer,
       {"/media/host/zebra/", "/media/host/zebra/b"}},
      // A network volume is both under Computer and Network; Computer wins.
      {"/mnt/nas/x", FolderTop::Computer, {"/mnt/nas/", "/mnt/nas/x"}},
      {share + "pop", FolderTop::Network, {share, share + "pop"}},
      {gvfs, FolderTop::Computer, {"/", "/run", "/run/user", "/run/user/1000", gvfs}},
  };
  for (const auto& c : cases) {
    const std::optional<FolderRoute> route = RouteOf(c.path, home, computer, network);
    ASSERT_TRUE(route) << c.path;
    EXPECT_EQ(*route, (FolderRoute{c.top, c.steps})) << c.path;
  }
  EXPECT_FALSE(RouteOf("relative", home, computer, network));
  EXPECT_FALSE(RouteOf("/media/x", "", {}, {}));
  EXPECT_EQ(RouteOf("/media/x", "", computer, network)->top, FolderTop::Computer);
}

}  // namespace
}  // namespace tunedex
