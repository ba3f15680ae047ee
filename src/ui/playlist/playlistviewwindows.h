// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <functional>
#include <string>

#include "playlist/playlistviews.h"
#include "ui/playlist/audienceviewwindow.h"
#include "ui/playlist/fulllistwindow.h"

namespace tunedex {

class TPlaylistCentralWindow;

// The audience view and the full list view as Playlist Central's window opens, drives and
// closes them; each window is at most one, a top-level window of Playlist Central's.
class TPlaylistViewWindows final : public PlaylistViews, private AudienceMaster {
 public:
  TPlaylistViewWindows(TPlaylistCentralWindow& central, std::string settingsPath,
                       std::function<void(int topic)> help);
  ~TPlaylistViewWindows() override;

  TAudienceView* Audience() const { return m_audience; }
  TFullListView* FullList() const { return m_fullList; }

  // PlaylistViews
  void OpenAudience() override;
  void CloseAudience() override;
  void RestoreAudience() override;
  bool AudienceStaysOnTop() override;
  void UpdateAudience(const AudienceItems& items) override;
  void OpenFullList(int startingIndex, int currentIndex) override;
  void CloseFullList() override;
  void RefreshFullList() override;
  void SetFullListRows(int startingIndex, int currentIndex) override;
  void RestoreFullList() override;
  void BringAudienceForward() override;
  void BringFullListForward() override;

 private:
  // AudienceMaster
  void PlayFromAudience() override;
  void ShowFullList() override;
  bool FullListOpen() const override;
  bool CentralVisible() const override;
  void SetCentralVisible(bool visible) override;
  void AudienceClosed() override;
  void CloseCentral() override;

  TPlaylistCentralWindow& m_central;
  std::string m_settingsPath;
  std::function<void(int)> m_help;
  QPointer<TAudienceView> m_audience;
  QPointer<TFullListView> m_fullList;
};

}  // namespace tunedex
