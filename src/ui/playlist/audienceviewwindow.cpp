// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/playlist/audienceviewwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QRegion>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QWindow>
#include <algorithm>

#include "common/inifile.h"
#include "ui/widgets/fonts.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"
#include "ui/widgets/screenmenu.h"

namespace tunedex {

namespace {

// The smallest window a Ctrl drag of a bar leaves.
constexpr int kSmallestWidth = 200;

QRect PrimaryGeometry() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

tIniFile StoredIni(const std::string& path) {
  if (path.empty()) return {};
  try {
    return tIniFile::Load(path);
  } catch (const std::exception&) {
    return {};  // an unreadable settings file gives the designed look
  }
}

AudienceSettings StoredSettings(const tIniFile& ini) {
  AudienceSettings designed;
  const QRect screen = PrimaryGeometry();
  designed.left = screen.left();
  designed.width = screen.width();
  designed.height = screen.height();
  return ReadAudienceSettings(ini, designed);
}

void SetTextColour(QLabel& label, ColourValue colour) {
  QPalette palette = label.palette();
  palette.setColor(QPalette::WindowText, ColourOf(colour));
  label.setPalette(palette);
}

}  // namespace

TAudienceView::TAudienceView(AudienceViewContext context, QWidget* parent)
    : TAudienceView(context, StoredIni(context.settingsPath), parent) {}

TAudienceView::TAudienceView(AudienceViewContext context, const tIniFile& stored, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      m_context(std::move(context)),
      m_logic(m_context.master, StoredSettings(stored)) {
  setWindowTitle(QStringLiteral("Audience view"));
  setFocusPolicy(Qt::StrongFocus);
  BuildBar(CurrentBar, "Current item", "Singer now singing or about to start",
           "Song now playing or ready to start");
  BuildBar(NextBar, "Next item", "Next singer", "Next song");
  m_bars[CurrentBar].caption->setText(QString::fromUtf8(kSingingCaption));
  m_bars[NextBar].caption->setText(QString::fromUtf8(kNextUpCaption));
  m_screens = new TScreenFollower(*this, ReadRememberedScreen(stored, kAudienceSection));
  BuildMenu();
  ApplyLook();
  const AudienceSettings& s = m_logic.Settings();
  setGeometry(s.left, s.top, s.width, s.height);
  m_screens->PlaceAtOpening();
  if (s.stayOnTop) setWindowFlag(Qt::WindowStaysOnTopHint, true);
  Relayout();
}

TAudienceView::~TAudienceView() {
  for (const BarWidgets& bar : m_bars) {
    for (QObject* part : std::initializer_list<QObject*>{bar.frame, bar.caption, bar.singer,
                                                         bar.separator, bar.song}) {
      part->removeEventFilter(this);
    }
  }
}

void TAudienceView::BuildBar(Bar which, const char* hint, const char* singerHint,
                             const char* songHint) {
  BarWidgets& bar = m_bars[which];
  bar.frame = new QWidget(this);
  bar.frame->setToolTip(QString::fromUtf8(hint));
  bar.frame->setAutoFillBackground(true);
  const auto button = [&bar](const QString& text, const QString& tip) {
    auto* b = new QToolButton(bar.frame);
    b->setText(text);
    b->setToolTip(tip);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
  };
  // Glyphs in the captions colour read on any background the host picks.
  bar.menu = button(QStringLiteral("Menu"), QStringLiteral("Menu"));
  bar.play = button(QStringLiteral("\u25B6"), QStringLiteral("Start playing song"));
  bar.close = button(QStringLiteral("\u2715"), QStringLiteral("Close Audience view"));
  const auto label = [&bar](const QString& tip) {
    auto* l = new QLabel(bar.frame);
    l->setToolTip(tip);
    l->setTextFormat(Qt::PlainText);
    return l;
  };
  bar.caption = label(QStringLiteral("This singer"));
  bar.singer = label(QString::fromUtf8(singerHint));
  bar.separator = label(QStringLiteral("This song"));
  bar.separator->setText(QStringLiteral(">"));
  bar.song = label(QString::fromUtf8(songHint));
  for (QObject* part : std::initializer_list<QObject*>{bar.frame, bar.caption, bar.singer,
                                                       bar.separator, bar.song}) {
    part->installEventFilter(this);
  }
  connect(bar.menu, &QToolButton::clicked, this, [this, which] {
    const BarWidgets& b = m_bars[which];
    ShowMenuAt(b.menu->mapToGlobal(QPoint(8, 8)));
  });
  connect(bar.play, &QToolButton::clicked, this, [this] { Run(AudienceCommand::Run); });
  connect(bar.close, &QToolButton::clicked, this, [this] {
    if (!QApplication::overrideCursor()) close();
  });
}

void TAudienceView::BuildMenu() {
  m_menu = new QMenu(this);
  for (const AudienceMenuEntry& entry : AudienceMenu()) {
    QAction* item = m_menu->addAction(QString::fromUtf8(entry.text));
    item->setShortcut(QKeySequence(QString::fromUtf8(entry.shortcut)));
    item->setShortcutContext(Qt::WindowShortcut);
    addAction(item);  // the shortcut works while the menu is closed
    const AudienceCommand command = entry.command;
    switch (command) {
      case AudienceCommand::CurrentAtTop:
      case AudienceCommand::CurrentAtFoot:
      case AudienceCommand::NextAtTop:
      case AudienceCommand::NextAtFoot:
      case AudienceCommand::StayOnTop:
        item->setCheckable(true);
        break;
      default:
        break;
    }
    connect(item, &QAction::triggered, this, [this, command] { Run(command); });
    m_items[command] = item;
    // The room's screen, among the window's own settings.
    if (command == AudienceCommand::Help) m_menu->addMenu(&m_screens->Menu());
    if (entry.separatorAfter) m_menu->addSeparator();
  }
  PrepareMenu();
}

QAction* TAudienceView::MenuItem(AudienceCommand command) const {
  const auto found = m_items.find(command);
  return found == m_items.end() ? nullptr : found->second;
}

void TAudienceView::ApplyLook() {
  const AudienceSettings& s = m_logic.Settings();
  const QFont font = QtFont(s.font);
  for (const BarWidgets& bar : m_bars) {
    QPalette palette = bar.frame->palette();
    palette.setColor(QPalette::Window, ColourOf(s.backgroundColour));
    bar.frame->setPalette(palette);
    for (QToolButton* b : {bar.menu, bar.play, bar.close}) {
      QPalette glyph = b->palette();
      glyph.setColor(QPalette::ButtonText, ColourOf(s.captionsColour));
      b->setPalette(glyph);
    }
    for (QLabel* label : {bar.caption, bar.singer, bar.separator, bar.song}) {
      label->setFont(font);
    }
    SetTextColour(*bar.caption, s.captionsColour);
    SetTextColour(*bar.separator, s.captionsColour);
    SetTextColour(*bar.singer, s.itemsColour);
    SetTextColour(*bar.song, s.itemsColour);
  }
}

// ---------------------------------------------------------------------------------------------
// Texts and layout

void TAudienceView::SetItems(const AudienceItems& items) {
  m_logic.SetItems(items);
  m_logic.UpdatePlayCommand();
  Relayout();
}

QRegion TAudienceView::VisibleRegion() const {
  QRegion region;
  for (const BarWidgets& bar : m_bars) {
    if (!bar.frame->isHidden()) region += bar.frame->geometry();
  }
  return region;
}

void TAudienceView::Relayout() {
  const AudienceBarTexts texts[2] = {m_logic.Current(), m_logic.Next()};
  for (int which : {CurrentBar, NextBar}) {
    BarWidgets& bar = m_bars[static_cast<std::size_t>(which)];
    bar.caption->setText(ToQt(texts[which].caption));
    bar.singer->setText(ToQt(texts[which].singer));
    bar.song->setText(ToQt(texts[which].song));
  }
  const QFontMetrics metrics(m_bars[CurrentBar].singer->font());
  const auto widthOf = [&metrics](const QLabel* label) {
    return metrics.horizontalAdvance(label->text());
  };
  const BarWidgets& current = m_bars[CurrentBar];
  const BarWidgets& next = m_bars[NextBar];
  const QSize menuSize = current.menu->sizeHint();
  const QSize playSize = current.play->sizeHint();
  AudienceMeasures measures;
  measures.nextCaptionLeft = 4 + menuSize.width() + 4 + playSize.width() + 12;
  measures.currentCaptionWidth = widthOf(current.caption);
  measures.nextCaptionWidth = widthOf(next.caption);
  measures.currentSingerWidth = widthOf(current.singer);
  measures.nextSingerWidth = widthOf(next.singer);
  measures.separatorWidth = widthOf(current.separator);
  measures.labelHeight = metrics.height();
  measures.buttonHeight = std::max(menuSize.height(), playSize.height());
  const AudienceLabelLayout layout = m_logic.LayOut(measures);
  const AudienceBars placed = m_logic.PlaceBars(width(), height(), layout.barHeight);
  const AudienceButtons buttons = m_logic.Buttons();

  const ScreenRect rects[2] = {placed.current, placed.next};
  const bool visible[2] = {placed.currentVisible, placed.nextVisible};
  const bool menus[2] = {buttons.currentMenu, buttons.nextMenu};
  const bool plays[2] = {buttons.currentPlay, buttons.nextPlay};
  const int captionLefts[2] = {layout.currentCaptionLeft, layout.nextCaptionLeft};
  for (int which : {CurrentBar, NextBar}) {
    BarWidgets& bar = m_bars[static_cast<std::size_t>(which)];
    bar.frame->setGeometry(QtRect(rects[which]));
    bar.frame->setVisible(visible[which]);
    const int barWidth = rects[which].width;
    bar.menu->setGeometry(4, layout.buttonTop, menuSize.width(), menuSize.height());
    bar.play->setGeometry(8 + menuSize.width(), layout.buttonTop, playSize.width(),
                          playSize.height());
    const QSize closeSize = bar.close->sizeHint();
    bar.close->setGeometry(barWidth - closeSize.width() - 4, layout.buttonTop, closeSize.width(),
                           closeSize.height());
    bar.menu->setVisible(menus[which]);
    bar.close->setVisible(menus[which]);
    bar.play->setVisible(plays[which]);
    const int labelHeight = measures.labelHeight;
    bar.caption->setGeometry(captionLefts[which], layout.labelTop, widthOf(bar.caption),
                             labelHeight);
    bar.singer->setGeometry(layout.singerLeft, layout.labelTop, widthOf(bar.singer), labelHeight);
    bar.separator->setGeometry(layout.separatorLeft, layout.labelTop, measures.separatorWidth,
                               labelHeight);
    const int songRight = menus[which] ? bar.close->x() - 4 : barWidth;
    bar.song->setGeometry(layout.songLeft, layout.labelTop,
                          std::max(0, std::min(widthOf(bar.song), songRight - layout.songLeft)),
                          labelHeight);
  }
  // The next bar names its singer only while one is to be named.
  const bool nextNamed = m_logic.NextSingerVisible();
  next.singer->setVisible(nextNamed);
  next.caption->setVisible(nextNamed);
  next.separator->setVisible(nextNamed);
  if (QAction* run = MenuItem(AudienceCommand::Run)) run->setEnabled(m_logic.RunEnabled());
  setMask(VisibleRegion());
}

void TAudienceView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Relayout();
}

QRect TAudienceView::WorkArea() const {
  if (m_context.workArea) return m_context.workArea();
  const ScreenRect chosen = m_screens->Choice().WorkArea();
  if (chosen.width > 0 && chosen.height > 0) return QtRect(chosen);
  const QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
  return on ? on->availableGeometry() : PrimaryGeometry();
}

// ---------------------------------------------------------------------------------------------
// Menu and commands

void TAudienceView::PrepareMenu() {
  const AudienceMenuState state = m_logic.MenuState(RectOf(geometry()), RectOf(WorkArea()));
  const AudiencePlacement& p = m_logic.Settings().placement;
  m_items.at(AudienceCommand::Run)->setEnabled(state.run);
  m_items.at(AudienceCommand::DockAtTop)->setEnabled(state.dockAtTop);
  m_items.at(AudienceCommand::ResetBarsAtHome)->setEnabled(state.resetBarsAtHome);
  m_items.at(AudienceCommand::ShowFullList)->setEnabled(state.showFullList);
  QAction* central = m_items.at(AudienceCommand::ToggleCentral);
  central->setText(ToQt(state.centralItem));
  central->setShortcut(QKeySequence(ToQt(state.centralShortcut)));
  // Ctrl+R restores a hidden Playlist Central; "Reset bars at home" gives the key up meanwhile.
  m_items.at(AudienceCommand::ResetBarsAtHome)
      ->setShortcut(state.centralShortcut == "Ctrl+R" ? QKeySequence()
                                                      : QKeySequence(QStringLiteral("Ctrl+R")));
  m_items.at(AudienceCommand::CurrentAtTop)->setChecked(p.currentAtTop);
  m_items.at(AudienceCommand::CurrentAtFoot)->setChecked(p.currentAtFoot);
  m_items.at(AudienceCommand::NextAtTop)->setChecked(p.nextAtTop);
  m_items.at(AudienceCommand::NextAtFoot)->setChecked(p.nextAtFoot);
  m_items.at(AudienceCommand::StayOnTop)->setChecked(m_logic.Settings().stayOnTop);
}

void TAudienceView::ShowMenuAt(const QPoint& global) {
  PrepareMenu();
  m_menu->popup(global);
}

void TAudienceView::Run(AudienceCommand command) {
  switch (command) {
    case AudienceCommand::Run:
      m_logic.Play(QApplication::overrideCursor() != nullptr);
      Relayout();
      break;
    case AudienceCommand::Font:
      ChooseFont();
      break;
    case AudienceCommand::BackgroundColour:
    case AudienceCommand::CaptionsColour:
    case AudienceCommand::ItemsColour:
      ChooseColour(command);
      break;
    case AudienceCommand::CurrentAtTop:
      m_logic.TogglePlacement(AudiencePlacementCheck::CurrentAtTop);
      Relayout();
      break;
    case AudienceCommand::CurrentAtFoot:
      m_logic.TogglePlacement(AudiencePlacementCheck::CurrentAtFoot);
      Relayout();
      break;
    case AudienceCommand::NextAtTop:
      m_logic.TogglePlacement(AudiencePlacementCheck::NextAtTop);
      Relayout();
      break;
    case AudienceCommand::NextAtFoot:
      m_logic.TogglePlacement(AudiencePlacementCheck::NextAtFoot);
      Relayout();
      break;
    case AudienceCommand::DockAtTop:
      MoveToWorkArea(false);
      break;
    case AudienceCommand::ResetBarsAtHome:
      MoveToWorkArea(true);
      break;
    case AudienceCommand::StayOnTop:
      m_logic.Settings().stayOnTop = !m_logic.Settings().stayOnTop;
      ApplyStayOnTop();
      break;
    case AudienceCommand::ShowFullList:
      m_logic.ShowFullList();
      break;
    case AudienceCommand::ToggleCentral:
      m_logic.ToggleCentral();
      break;
    case AudienceCommand::Help:
      if (m_context.help) m_context.help(kAudienceHelpTopic);
      break;
    case AudienceCommand::Exit:
      close();
      return;
  }
  PrepareMenu();
}

void TAudienceView::MoveToWorkArea(bool resize) {
  setGeometry(
      QtRect(tAudienceView::MoveToWorkArea(RectOf(geometry()), RectOf(WorkArea()), resize)));
  Relayout();
  if (resize) update();
}

void TAudienceView::BringForward() {
  if (isHidden()) show();
  raise();
}

void TAudienceView::ApplyStayOnTop() {
  const bool above = m_logic.Settings().stayOnTop;
  if (QWindow* native = windowHandle()) {
    // The window manager's "above" state, without re-creating the window.
    native->setFlag(Qt::WindowStaysOnTopHint, above);
  } else {
    setWindowFlag(Qt::WindowStaysOnTopHint, above);
  }
  setMask(VisibleRegion());
}

void TAudienceView::ChooseFont() {
  bool ok = false;
  const QFont chosen =
      QFontDialog::getFont(&ok, m_bars[CurrentBar].caption->font(), this, QStringLiteral("Font"));
  if (!ok) return;
  AudienceSettings& s = m_logic.Settings();
  s.font = FontSettingOf(chosen, 0, s.font.size);
  ApplyLook();
  Relayout();
}

void TAudienceView::ChooseColour(AudienceCommand command) {
  AudienceSettings& s = m_logic.Settings();
  ColourValue& colour = command == AudienceCommand::BackgroundColour ? s.backgroundColour
                        : command == AudienceCommand::CaptionsColour ? s.captionsColour
                                                                     : s.itemsColour;
  const QColor chosen = QColorDialog::getColor(ColourOf(colour), this);
  // A cancelled dialog gives back the colour it started with, which is applied as well.
  if (chosen.isValid()) colour = RgbColour(chosen.red(), chosen.green(), chosen.blue());
  ApplyLook();
}

// ---------------------------------------------------------------------------------------------
// Mouse and keys

bool TAudienceView::StartDrag(QObject* watched, const QMouseEvent& event) {
  int which = -1;
  for (int bar : {CurrentBar, NextBar}) {
    const BarWidgets& b = m_bars[static_cast<std::size_t>(bar)];
    if (watched == b.frame || watched == b.caption || watched == b.singer ||
        watched == b.separator || watched == b.song) {
      which = bar;
    }
  }
  if (which < 0) return false;
  const AudiencePlacement& p = m_logic.Settings().placement;
  m_drag = {};
  m_drag.active = true;
  m_drag.barOnly = (event.modifiers() & Qt::ControlModifier) != 0;
  m_drag.footBar = which == CurrentBar ? p.currentAtFoot : p.nextAtFoot;
  m_drag.startMouse = event.globalPosition().toPoint();
  m_drag.startWindow = geometry();
  m_drag.startBar = m_bars[static_cast<std::size_t>(which)].frame->geometry();
  if (!m_drag.barOnly) {
    QApplication::setOverrideCursor(Qt::SizeAllCursor);
  } else {
    QApplication::setOverrideCursor(m_drag.footBar ? Qt::SizeFDiagCursor : Qt::SizeHorCursor);
  }
  return true;
}

void TAudienceView::FollowDrag(const QMouseEvent& event) {
  const QPoint delta = event.globalPosition().toPoint() - m_drag.startMouse;
  if (!m_drag.barOnly) {
    move(m_drag.startWindow.topLeft() + delta);
    return;
  }
  // The bar alone follows the mouse; the window then reaches to its edges.
  const QRect bar = m_drag.startBar.translated(delta.x(), m_drag.footBar ? delta.y() : 0);
  ScreenRect sized =
      tAudienceView::AfterBarDrag(RectOf(m_drag.startWindow), RectOf(bar), m_drag.footBar);
  const int barHeight = m_drag.startBar.height();
  sized.width = std::max(sized.width, kSmallestWidth);
  sized.height = std::max(sized.height, 2 * barHeight);
  resize(sized.width, sized.height);
}

bool TAudienceView::eventFilter(QObject* watched, QEvent* event) {
  if (m_menu == nullptr) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto& mouse = static_cast<QMouseEvent&>(*event);
      if (mouse.button() == Qt::LeftButton && StartDrag(watched, mouse)) return true;
      if (mouse.button() == Qt::RightButton) {
        ShowMenuAt(mouse.globalPosition().toPoint());
        return true;
      }
      break;
    }
    case QEvent::MouseMove:
      if (m_drag.active) {
        FollowDrag(static_cast<QMouseEvent&>(*event));
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (m_drag.active && static_cast<QMouseEvent&>(*event).button() == Qt::LeftButton) {
        m_drag.active = false;
        QApplication::restoreOverrideCursor();
        Relayout();
        return true;
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void TAudienceView::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  if (m_screens && !m_drag.active) m_screens->WindowMoved();
}

void TAudienceView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F10 && !(event->modifiers() & Qt::ShiftModifier)) {
    const QScreen* on = screen() ? screen() : QGuiApplication::primaryScreen();
    const QRect area = on ? on->geometry() : PrimaryGeometry();
    ShowMenuAt(area.topLeft() + QPoint(area.width() / 2 - 120, area.height() / 2 - 170));
    return;
  }
  QWidget::keyPressEvent(event);
}

void TAudienceView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
  if (!m_activated) {
    m_activated = true;
    MoveToWorkArea(false);
  }
  raise();
}

// ---------------------------------------------------------------------------------------------
// Closing

void TAudienceView::WriteSettings() {
  if (m_context.settingsPath.empty() || Unattended()) return;
  AudienceSettings& s = m_logic.Settings();
  s.left = x();
  s.top = y();
  s.width = width();
  s.height = height();
  try {
    tIniFile ini = tIniFile::Load(m_context.settingsPath);
    WriteAudienceSettings(ini, s);
    WriteRememberedScreen(ini, kAudienceSection, m_screens->Choice().Remembered());
    ini.Save(m_context.settingsPath);
  } catch (const std::exception& error) {
    QtUser(this).ShowWarning(std::string("The settings were not saved.\r") + error.what());
  }
}

void TAudienceView::Finish(bool tellMaster) {
  if (m_closed) return;
  m_closed = true;
  if (m_drag.active) QApplication::restoreOverrideCursor();
  m_drag.active = false;
  hide();
  WriteSettings();
  if (tellMaster) m_logic.Closed();
  if (m_context.closed) m_context.closed();
}

void TAudienceView::CloseQuietly() {
  Finish(false);
}

void TAudienceView::closeEvent(QCloseEvent* event) {
  Finish(true);
  QWidget::closeEvent(event);
}

}  // namespace tunedex
