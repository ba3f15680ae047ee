// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "common/inifile.h"
#include "playlist/audienceview.h"

class QAction;
class QLabel;
class QMenu;
class QToolButton;

namespace tunedex {

class TScreenFollower;

struct AudienceViewContext {
  AudienceMaster& master;
  std::string settingsPath = {};
  std::function<void(int topic)> help = {};
  // The window has closed (by the user or by Playlist Central); it is deleted later.
  std::function<void()> closed = {};
  // The desktop's work area the bars go home to; absent, the window's screen's.
  std::function<QRect()> workArea = {};
};

// The audience view: two borderless bars naming who sings now and who is next, the window
// cut down to the visible bars. tAudienceView decides the texts, placement, layout and
// buttons; this window measures, draws and forwards the user's clicks, drags and keys.
class TAudienceView : public QWidget {
  Q_OBJECT

 public:
  enum Bar { CurrentBar = 0, NextBar = 1 };

  explicit TAudienceView(AudienceViewContext context, QWidget* parent = nullptr);
  ~TAudienceView() override;

  tAudienceView& Logic() { return m_logic; }
  void SetItems(const AudienceItems& items);
  // "Reset bars at home" (fill the work area) and "Dock at top" (only the top).
  void MoveToWorkArea(bool resize);
  void BringForward();
  bool StaysOnTop() const { return m_logic.Settings().stayOnTop; }
  // Closing by Playlist Central: the settings are written, Playlist Central is not told.
  void CloseQuietly();
  void Run(AudienceCommand command);

  // For tests and pictures.
  QWidget& BarWidget(Bar bar) const { return *m_bars[bar].frame; }
  QLabel& Caption(Bar bar) const { return *m_bars[bar].caption; }
  QLabel& Singer(Bar bar) const { return *m_bars[bar].singer; }
  QLabel& Song(Bar bar) const { return *m_bars[bar].song; }
  QToolButton& PlayButton(Bar bar) const { return *m_bars[bar].play; }
  QToolButton& MenuButton(Bar bar) const { return *m_bars[bar].menu; }
  QToolButton& CloseButton(Bar bar) const { return *m_bars[bar].close; }
  QMenu& PopupMenu() const { return *m_menu; }
  QAction* MenuItem(AudienceCommand command) const;
  // The menu as it is about to open (enabling and the Hide/Restore item refreshed).
  void PrepareMenu();
  // The union of the visible bars, in window pixels: the window's shape.
  QRegion VisibleRegion() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // The settings file is read once, for the look and for the room's screen.
  TAudienceView(AudienceViewContext context, const tIniFile& stored, QWidget* parent);

  struct BarWidgets {
    QWidget* frame = nullptr;
    QToolButton* menu = nullptr;
    QToolButton* play = nullptr;
    QToolButton* close = nullptr;
    QLabel* caption = nullptr;
    QLabel* singer = nullptr;
    QLabel* separator = nullptr;
    QLabel* song = nullptr;
  };
  struct Drag {
    bool active = false;
    bool barOnly = false;  // Ctrl held: the bar alone, sizing the window
    bool footBar = false;
    QPoint startMouse;
    QRect startWindow;
    QRect startBar;
  };

  void BuildBar(Bar bar, const char* hint, const char* singerHint, const char* songHint);
  void BuildMenu();
  void ApplyLook();
  // Places the bars by their check marks, lays out the labels and buttons, cuts the window.
  void Relayout();
  void ShowMenuAt(const QPoint& global);
  QRect WorkArea() const;
  bool StartDrag(QObject* watched, const QMouseEvent& event);
  void FollowDrag(const QMouseEvent& event);
  void ApplyStayOnTop();
  void ChooseFont();
  void ChooseColour(AudienceCommand command);
  void WriteSettings();
  void Finish(bool tellMaster);

  AudienceViewContext m_context;
  tAudienceView m_logic;
  std::array<BarWidgets, 2> m_bars;
  QMenu* m_menu = nullptr;
  TScreenFollower* m_screens = nullptr;
  std::map<AudienceCommand, QAction*> m_items;
  Drag m_drag;
  bool m_activated = false;
  bool m_closed = false;
};

}  // namespace tunedex
