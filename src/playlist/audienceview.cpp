// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/audienceview.h"

#include <algorithm>
#include <utility>

namespace tunedex {

namespace {

// The gap between the label columns.
constexpr int kColumnGap = 10;

bool PlayableState(RunState state) {
  return state != RunState::Idle && state != RunState::RunningLast;
}

constexpr AudienceMenuEntry kMenu[] = {
    {AudienceCommand::Run, "Run Playlist", "Shift+F9", true},
    {AudienceCommand::Font, "Font...", "Ctrl+F"},
    {AudienceCommand::BackgroundColour, "Background colour...", "Ctrl+B"},
    {AudienceCommand::CaptionsColour, "Captions colour...", "Ctrl+C"},
    {AudienceCommand::ItemsColour, "Items colour...", "Ctrl+I"},
    {AudienceCommand::CurrentAtTop, "Current at top", "Ctrl+P"},
    {AudienceCommand::CurrentAtFoot, "Current at foot", "Ctrl+Q"},
    {AudienceCommand::NextAtTop, "Next at top", "Ctrl+N"},
    {AudienceCommand::NextAtFoot, "Next at foot", "Ctrl+M", true},
    {AudienceCommand::DockAtTop, "Dock at top", "Ctrl+D"},
    {AudienceCommand::ResetBarsAtHome, "Reset bars at home", "Ctrl+R"},
    {AudienceCommand::StayOnTop, "Stay on Top", "Ctrl+T", true},
    {AudienceCommand::ShowFullList, "Show full list", "Ctrl+L"},
    {AudienceCommand::ToggleCentral, "Hide Playlist Central", "Ctrl+H", true},
    {AudienceCommand::Help, "Show Help...", "F1", true},
    {AudienceCommand::Exit, "Exit", "Ctrl+X"},
};

}  // namespace

std::span<const AudienceMenuEntry> AudienceMenu() {
  return kMenu;
}

tAudienceView::tAudienceView(AudienceMaster& master, AudienceSettings settings)
    : m_master(master), m_settings(std::move(settings)) {
  AudiencePlacement& p = m_settings.placement;
  // A window without bars could never be reached again: the current bar shows at the top.
  if (!p.currentAtTop && !p.currentAtFoot && !p.nextAtTop && !p.nextAtFoot) p.currentAtTop = true;
}

void tAudienceView::SetItems(const AudienceItems& items) {
  m_current.singer = items.currentSinger;
  m_current.song = items.currentTitle;
  m_next.singer = items.nextSinger;
  m_next.song = items.nextTitle;
  m_nextSingerVisible = static_cast<int>(items.state) < static_cast<int>(RunState::ReadyLast) &&
                        !items.nextSinger.empty();
  switch (items.state) {
    case RunState::Ready:
      m_current.caption = kFirstCaption;
      if (!items.nextTitle.empty()) m_next.caption = kNextUpCaption;
      break;
    case RunState::Running:
      m_current.caption = kSingingCaption;
      break;
    case RunState::ReadyLast:
      m_next.song.clear();
      break;
    case RunState::RunningLast:
      m_current.caption = kSingingCaption;
      m_next.song.clear();
      break;
    case RunState::Idle:
      break;
  }
  m_state = items.state;
}

void tAudienceView::UpdatePlayCommand() {
  m_runEnabled = m_state != RunState::RunningLast;
}

void tAudienceView::TogglePlacement(AudiencePlacementCheck check) {
  AudiencePlacement& p = m_settings.placement;
  const auto toggle = [](bool& clicked, bool& partner) {
    clicked = !clicked;
    if (clicked) partner = false;
    return &clicked;
  };
  bool* clicked = nullptr;
  switch (check) {
    case AudiencePlacementCheck::CurrentAtTop:
      clicked = toggle(p.currentAtTop, p.currentAtFoot);
      break;
    case AudiencePlacementCheck::CurrentAtFoot:
      clicked = toggle(p.currentAtFoot, p.currentAtTop);
      break;
    case AudiencePlacementCheck::NextAtTop:
      clicked = toggle(p.nextAtTop, p.nextAtFoot);
      break;
    case AudiencePlacementCheck::NextAtFoot:
      clicked = toggle(p.nextAtFoot, p.nextAtTop);
      break;
  }
  if (!p.currentAtTop && !p.currentAtFoot && !p.nextAtTop && !p.nextAtFoot) *clicked = true;
}

AudienceBars tAudienceView::PlaceBars(int windowWidth, int windowHeight, int barHeight) const {
  const AudiencePlacement& p = m_settings.placement;
  AudienceBars bars;
  bars.currentVisible = p.currentAtTop || p.currentAtFoot;
  bars.nextVisible = p.nextAtTop || p.nextAtFoot;
  // On a shared edge the current bar lies above the next one.
  if (p.currentAtTop) bars.current = {0, 0, windowWidth, barHeight};
  if (p.currentAtFoot) {
    const int fromFoot = p.nextAtFoot ? 2 * barHeight : barHeight;
    bars.current = {0, windowHeight - fromFoot, windowWidth, barHeight};
  }
  if (p.nextAtTop) bars.next = {0, p.currentAtTop ? barHeight : 0, windowWidth, barHeight};
  if (p.nextAtFoot) bars.next = {0, windowHeight - barHeight, windowWidth, barHeight};
  return bars;
}

AudienceLabelLayout tAudienceView::LayOut(const AudienceMeasures& m) const {
  AudienceLabelLayout layout;
  layout.barHeight = std::max(m.buttonHeight, m.labelHeight) + 2;
  layout.nextCaptionLeft = m.nextCaptionLeft;
  const int captionRight = m.nextCaptionLeft + m.nextCaptionWidth;
  layout.currentCaptionLeft = captionRight - m.currentCaptionWidth;
  layout.singerLeft = captionRight + kColumnGap;
  layout.separatorLeft =
      layout.singerLeft + std::max(m.currentSingerWidth, m.nextSingerWidth) + kColumnGap;
  layout.songLeft = layout.separatorLeft + m.separatorWidth + kColumnGap;
  layout.buttonTop = (layout.barHeight - m.buttonHeight) / 2;
  layout.labelTop = (layout.barHeight - m.labelHeight) / 2;
  return layout;
}

AudienceButtons tAudienceView::Buttons() const {
  const AudiencePlacement& p = m_settings.placement;
  const bool currentVisible = p.currentAtTop || p.currentAtFoot;
  const bool nextVisible = p.nextAtTop || p.nextAtFoot;
  const bool currentBelowNext = p.currentAtFoot && p.nextAtTop;
  AudienceButtons b;
  // The menu and close buttons sit on the upper visible bar.
  b.nextMenu = nextVisible && (!currentVisible || currentBelowNext);
  b.currentMenu = currentVisible && !b.nextMenu;
  const bool first = m_current.caption == kFirstCaption;
  b.nextPlay = nextVisible && !first && PlayableState(m_state);
  b.currentPlay = currentVisible && (first || (!b.nextPlay && PlayableState(m_state)));
  return b;
}

AudienceMenuState tAudienceView::MenuState(const ScreenRect& window,
                                           const ScreenRect& workArea) const {
  AudienceMenuState menu;
  menu.run = m_runEnabled;
  menu.dockAtTop = window.top != workArea.top;
  menu.resetBarsAtHome = !(window.top == workArea.top && window.left == workArea.left &&
                           window.height == workArea.height);
  menu.showFullList = !m_master.FullListOpen();
  const bool centralVisible = m_master.CentralVisible();
  menu.centralItem = centralVisible ? "Hide Playlist Central" : "Restore Playlist Central";
  menu.centralShortcut = centralVisible ? "Ctrl+H" : "Ctrl+R";
  return menu;
}

ScreenRect tAudienceView::MoveToWorkArea(const ScreenRect& window, const ScreenRect& workArea,
                                         bool resize) {
  ScreenRect moved = window;
  moved.top = workArea.top;
  if (resize) {
    moved.left = workArea.left;
    moved.width = workArea.width;
    moved.height = workArea.height;
  }
  return moved;
}

ScreenRect tAudienceView::AfterBarDrag(const ScreenRect& window, const ScreenRect& bar,
                                       bool footBar) {
  // The window has no frame: the bar's edges are the window's.
  ScreenRect sized = window;
  sized.width = std::max(1, bar.Right());
  if (footBar) sized.height = std::max(1, bar.Bottom());
  return sized;
}

void tAudienceView::Play(bool busy) {
  if (busy || !m_runEnabled) return;
  m_runEnabled = false;
  m_master.PlayFromAudience();
  // Playing hands the texts over again; a play that found nothing to start leaves the command
  // as the run state says rather than disabled for good.
  UpdatePlayCommand();
}

void tAudienceView::ShowFullList() {
  if (!m_master.FullListOpen()) m_master.ShowFullList();
}

void tAudienceView::ToggleCentral() {
  m_master.SetCentralVisible(!m_master.CentralVisible());
}

void tAudienceView::Closed() {
  if (m_master.CentralVisible()) {
    m_master.AudienceClosed();
  } else {
    m_master.CloseCentral();
  }
}

}  // namespace tunedex
