// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <set>
#include <string>
#include <vector>

#include "common/volumes.h"

namespace tunedex::test {

// A volume of a kind mounted at mountPoint, the rest as a volume list leaves it.
inline Volume AVolume(const std::string& mountPoint, VolumeKind kind) {
  Volume volume;
  volume.mountPoint = mountPoint;
  volume.kind = kind;
  return volume;
}

// Volumes set by the test; a volume is ready unless the test says otherwise.
class FakeVolumes : public Volumes {
 public:
  void Mount(Volume volume) { m_mounted.push_back(std::move(volume)); }
  void AddKnown(Volume volume) {
    volume.mounted = false;
    m_known.push_back(std::move(volume));
  }
  void SetReady(const std::string& mountPoint, bool ready);
  int ReadyQuestions() const { return m_readyQuestions; }

  std::vector<Volume> Mounted() override { return m_mounted; }
  std::vector<Volume> KnownUnmounted() override { return m_known; }
  bool IsReady(const Volume& volume) override;

 private:
  std::vector<Volume> m_mounted;
  std::vector<Volume> m_known;
  std::set<std::string> m_notReady;
  int m_readyQuestions = 0;
};

}  // namespace tunedex::test
