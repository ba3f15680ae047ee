// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playlist/playlistviewwindows.h"

#include <QMetaObject>

#include "ui/playlist/audienceviewwindow.h"
#include "ui/playlist/fulllistwindow.h"
#include "ui/playlist/playlistcentralwindow.h"

namespace tunedex {

TPlaylistViewWindows::TPlaylistViewWindows(TPlaylistCentralWindow& central,
                                           std::string settingsPath,
                                           std::function<void(int topic)> help)
    : m_central(central), m_settingsPath(std::move(settingsPath)), m_help(std::move(help)) {}

TPlaylistViewWindows::~TPlaylistViewWindows() {
  if (TFullListView* view = m_fullList) {
    m_fullList = nullptr;
    view->close();
    delete view;
  }
  if (m_audience) {
    m_audience->CloseQuietly();
    delete m_audience.data();
  }
}

// ---------------------------------------------------------------------------------------------
// The audience view

void TPlaylistViewWindows::OpenAudience() {
  if (m_audience) return;
  AudienceViewContext context{*this, m_settingsPath, m_help};
  m_audience = new TAudienceView(std::move(context), &m_central);
  m_audience->show();
  m_audience->raise();
}

void TPlaylistViewWindows::CloseAudience() {
  if (!m_audience) return;
  TAudienceView* view = m_audience;
  m_audience = nullptr;
  view->CloseQuietly();
  view->deleteLater();
}

void TPlaylistViewWindows::RestoreAudience() {
  if (!m_audience) return;
  m_audience->MoveToWorkArea(true);
  m_audience->BringForward();
}

bool TPlaylistViewWindows::AudienceStaysOnTop() {
  return m_audience && m_audience->StaysOnTop();
}

void TPlaylistViewWindows::UpdateAudience(const AudienceItems& items) {
  if (m_audience) m_audience->SetItems(items);
}

void TPlaylistViewWindows::BringAudienceForward() {
  if (m_audience) m_audience->BringForward();
}

// ---------------------------------------------------------------------------------------------
// The full list view

void TPlaylistViewWindows::OpenFullList(int startingIndex, int currentIndex) {
  if (m_fullList) return;
  FullListContext context{m_central.Logic().Items(), m_settingsPath, m_help};
  context.closed = [this] {
    // Closed by the user: Playlist Central forgets it; closed by Playlist Central: already
    // forgotten.
    if (TFullListView* view = m_fullList) {
      m_fullList = nullptr;
      view->deleteLater();
      m_central.Logic().FullListClosed();
      m_central.Sync();
    }
  };
  m_fullList = new TFullListView(std::move(context), &m_central);
  m_fullList->AttachItems();
  m_fullList->SetRows(startingIndex, currentIndex);
  m_fullList->show();
  m_fullList->raise();
}

void TPlaylistViewWindows::CloseFullList() {
  if (!m_fullList) return;
  TFullListView* view = m_fullList;
  m_fullList = nullptr;
  view->close();
  view->deleteLater();
}

void TPlaylistViewWindows::RefreshFullList() {
  if (m_fullList) m_fullList->Refresh();
}

void TPlaylistViewWindows::SetFullListRows(int startingIndex, int currentIndex) {
  if (m_fullList) m_fullList->SetRows(startingIndex, currentIndex);
}

void TPlaylistViewWindows::RestoreFullList() {
  if (m_fullList) m_fullList->MoveToCorner();
}

void TPlaylistViewWindows::BringFullListForward() {
  if (m_fullList) m_fullList->BringForward();
}

// ---------------------------------------------------------------------------------------------
// What the audience view asks of Playlist Central

void TPlaylistViewWindows::PlayFromAudience() {
  m_central.Logic().PlayCurrentItem(PlayRequester::Audience);
  m_central.Sync();
}

void TPlaylistViewWindows::ShowFullList() {
  m_central.Run(PlaylistCommand::ShowFullList);
}

bool TPlaylistViewWindows::FullListOpen() const {
  return m_central.Logic().FullListOpen();
}

bool TPlaylistViewWindows::CentralVisible() const {
  return m_central.isVisible();
}

void TPlaylistViewWindows::SetCentralVisible(bool visible) {
  m_central.setVisible(visible);
  if (visible) {
    m_central.raise();
    m_central.activateWindow();
  }
}

void TPlaylistViewWindows::AudienceClosed() {
  if (TAudienceView* view = m_audience) {
    m_audience = nullptr;
    view->deleteLater();
  }
  m_central.Logic().AudienceClosed();
  m_central.Sync();
}

void TPlaylistViewWindows::CloseCentral() {
  if (TAudienceView* view = m_audience) {
    m_audience = nullptr;
    view->deleteLater();
  }
  // Not from inside the audience view's closing.
  QMetaObject::invokeMethod(
      &m_central, [central = &m_central] { central->close(); }, Qt::QueuedConnection);
}

}  // namespace tunedex
