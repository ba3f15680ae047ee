// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "playlist/playlistviews.h"

namespace tunedex::test {

// The audience view, the full list view and the window program around Playlist Central, as
// a log of what they were asked to do.
class FakePlaylistWindows : public PlaylistViews, public PlaylistCentralHost {
 public:
  const std::vector<std::string>& Log() const { return m_log; }
  std::vector<std::string> LogOf(const std::string& prefix) const;  // entries starting so
  void ClearLog() { m_log.clear(); }
  const std::vector<AudienceItems>& AudienceUpdates() const { return m_audience; }
  bool catalogueVisible = true;
  bool audienceStaysOnTop = false;
  int refreshes = 0;

  // PlaylistViews
  void OpenAudience() override { m_log.push_back("open audience"); }
  void CloseAudience() override { m_log.push_back("close audience"); }
  void RestoreAudience() override { m_log.push_back("restore audience"); }
  bool AudienceStaysOnTop() override { return audienceStaysOnTop; }
  void UpdateAudience(const AudienceItems& items) override { m_audience.push_back(items); }
  void OpenFullList(int starting, int current) override;
  void CloseFullList() override { m_log.push_back("close full list"); }
  void RefreshFullList() override { m_log.push_back("refresh full list"); }
  void SetFullListRows(int starting, int current) override;
  void RestoreFullList() override { m_log.push_back("restore full list"); }
  void BringAudienceForward() override { m_log.push_back("forward audience"); }
  void BringFullListForward() override { m_log.push_back("forward full list"); }

  // PlaylistCentralHost
  void PlaySong(const tSong& song, bool playerInFront) override;
  void ClosePlayer() override { m_log.push_back("close player"); }
  void SetCatalogueWindowVisible(bool visible) override { catalogueVisible = visible; }
  void ShowSongDetails(const tSong& song) override;
  void OpenItemEditor(int mode) override { m_log.push_back("editor " + std::to_string(mode)); }
  void BringToFront(bool audienceToo) override;
  void ShowNormal() override { m_log.push_back("show central"); }
  void Refresh() override { ++refreshes; }
  void ScrollIntoView(int row) override { m_log.push_back("scroll " + std::to_string(row)); }

 private:
  std::vector<std::string> m_log;
  std::vector<AudienceItems> m_audience;
};

}  // namespace tunedex::test
