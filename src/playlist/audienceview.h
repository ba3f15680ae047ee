// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "playlist/audiencesettings.h"
#include "playlist/playlistviews.h"
#include "playlist/screenchoice.h"

namespace tunedex {

inline constexpr int kAudienceHelpTopic = 13500;
inline constexpr std::string_view kSingingCaption = "Singing:";
inline constexpr std::string_view kFirstCaption = "First:";
inline constexpr std::string_view kNextUpCaption = "Next Up:";

// The popup menu's commands.
enum class AudienceCommand {
  Run,
  Font,
  BackgroundColour,
  CaptionsColour,
  ItemsColour,
  CurrentAtTop,
  CurrentAtFoot,
  NextAtTop,
  NextAtFoot,
  DockAtTop,
  ResetBarsAtHome,
  StayOnTop,
  ShowFullList,
  ToggleCentral,
  Help,
  Exit,
};

struct AudienceMenuEntry {
  AudienceCommand command;
  std::string_view text;
  std::string_view shortcut;
  bool separatorAfter = false;
};

// The popup menu in order; the Hide/Restore item's text and shortcut follow MenuState.
std::span<const AudienceMenuEntry> AudienceMenu();

// The texts of one bar.
struct AudienceBarTexts {
  std::string caption;
  std::string singer;
  std::string song;
  friend bool operator==(const AudienceBarTexts&, const AudienceBarTexts&) = default;
};

// What the window measures for the label layout: the widths of the labels' texts in the
// current font, the next caption's designed left, the heights of a label and of the menu button.
struct AudienceMeasures {
  int nextCaptionLeft = 0;
  int currentCaptionWidth = 0;
  int nextCaptionWidth = 0;
  int currentSingerWidth = 0;
  int nextSingerWidth = 0;
  int separatorWidth = 0;
  int labelHeight = 0;
  int buttonHeight = 0;
};

// Where the labels and buttons of both bars go (the same columns in both bars).
struct AudienceLabelLayout {
  int barHeight = 0;
  int currentCaptionLeft = 0;
  int nextCaptionLeft = 0;
  int singerLeft = 0;
  int separatorLeft = 0;
  int songLeft = 0;
  int labelTop = 0;   // every label's top in its bar
  int buttonTop = 0;  // every button's top in its bar
  friend bool operator==(const AudienceLabelLayout&, const AudienceLabelLayout&) = default;
};

// Which buttons show.
struct AudienceButtons {
  bool currentMenu = false;  // the menu and close buttons of the current bar
  bool nextMenu = false;     // of the next bar
  bool currentPlay = false;
  bool nextPlay = false;
  friend bool operator==(const AudienceButtons&, const AudienceButtons&) = default;
};

// The bars as placed in a window of a given height: empty rectangles for hidden bars.
struct AudienceBars {
  ScreenRect current;
  ScreenRect next;
  bool currentVisible = false;
  bool nextVisible = false;
};

// The popup menu's enabling as it opens, and its Hide/Restore item.
struct AudienceMenuState {
  bool run = false;
  bool dockAtTop = false;
  bool resetBarsAtHome = false;
  bool showFullList = false;
  std::string centralItem;  // "Hide Playlist Central" or "Restore Playlist Central"
  std::string centralShortcut;
  friend bool operator==(const AudienceMenuState&, const AudienceMenuState&) = default;
};

// The window behind the audience view's master (Playlist Central) as the view uses it.
class AudienceMaster {
 public:
  virtual ~AudienceMaster() = default;
  virtual void PlayFromAudience() = 0;
  virtual void ShowFullList() = 0;
  virtual bool FullListOpen() const = 0;
  virtual bool CentralVisible() const = 0;
  virtual void SetCentralVisible(bool visible) = 0;
  // The view has closed: Playlist Central forgets it and shows itself normal again.
  virtual void AudienceClosed() = 0;
  // Closing the view while Playlist Central is hidden closes Playlist Central as well.
  virtual void CloseCentral() = 0;
};

// A master that does nothing: for a view shown on its own (pictures, benchmarks, tests).
class IdleAudienceMaster final : public AudienceMaster {
 public:
  void PlayFromAudience() override {}
  void ShowFullList() override {}
  bool FullListOpen() const override { return false; }
  bool CentralVisible() const override { return true; }
  void SetCentralVisible(bool) override {}
  void AudienceClosed() override {}
  void CloseCentral() override {}
};

// The audience view's rules: the texts from Playlist Central, the bars' placement, the label
// layout, which buttons show, the play command, the menu and closing. The window draws and
// measures; every decision is here.
class tAudienceView {
 public:
  tAudienceView(AudienceMaster& master, AudienceSettings settings);

  const AudienceSettings& Settings() const { return m_settings; }
  AudienceSettings& Settings() { return m_settings; }
  RunState State() const { return m_state; }
  const AudienceBarTexts& Current() const { return m_current; }
  const AudienceBarTexts& Next() const { return m_next; }
  // The next bar's singer, caption and ">" show only while a next singer is to be named.
  bool NextSingerVisible() const { return m_nextSingerVisible; }
  bool RunEnabled() const { return m_runEnabled; }

  // From Playlist Central: the texts and the run state, then the play command's enabling.
  void SetItems(const AudienceItems& items);
  void UpdatePlayCommand();

  // The placement check marks: the clicked one toggles, its partner clears, and the last one
  // standing cannot be cleared.
  void TogglePlacement(AudiencePlacementCheck check);
  AudienceBars PlaceBars(int windowWidth, int windowHeight, int barHeight) const;
  AudienceLabelLayout LayOut(const AudienceMeasures& measures) const;
  AudienceButtons Buttons() const;

  AudienceMenuState MenuState(const ScreenRect& window, const ScreenRect& workArea) const;
  // "Dock at top" (resize false) and "Reset bars at home" (resize true).
  static ScreenRect MoveToWorkArea(const ScreenRect& window, const ScreenRect& workArea,
                                   bool resize);
  // A Ctrl drag of a bar ends: the window reaches to the bar's right edge and, for the bar at
  // the foot, to its bottom edge.
  static ScreenRect AfterBarDrag(const ScreenRect& window, const ScreenRect& bar, bool footBar);

  // The play command ("Run Playlist", either "Start playing song"): ignored while a song is
  // being started (busy).
  void Play(bool busy);
  void ShowFullList();
  void ToggleCentral();
  // Closing by the user: Playlist Central is told, or closed as well when it is hidden. The
  // window writes the settings first.
  void Closed();

 private:
  AudienceMaster& m_master;
  AudienceSettings m_settings;
  RunState m_state = RunState::Idle;
  AudienceBarTexts m_current{std::string(kSingingCaption), {}, {}};
  AudienceBarTexts m_next{std::string(kNextUpCaption), {}, {}};
  bool m_nextSingerVisible = false;
  bool m_runEnabled = true;
};

}  // namespace tunedex
