// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakevolumes.h"

namespace tunedex::test {

void FakeVolumes::SetReady(const std::string& mountPoint, bool ready) {
  if (ready) {
    m_notReady.erase(mountPoint);
  } else {
    m_notReady.insert(mountPoint);
  }
}

bool FakeVolumes::IsReady(const Volume& volume) {
  ++m_readyQuestions;
  return volume.mounted && m_notReady.count(volume.mountPoint) == 0;
}

}  // namespace tunedex::test
