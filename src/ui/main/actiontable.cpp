// SPDX-License-Identifier: GPL-3.0-or-later
#include "actiontable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "catalogue/cataloguewindow.h"
#include "catalogue/viewtexts.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

using enum Command;
constexpr ActionItem kSeparator{.kind = ItemKind::Separator};
constexpr ActionItem kEndMenu{.kind = ItemKind::EndMenu};
constexpr int kConfirmSaves = static_cast<int>(DisplaySwitch::ConfirmSaves);

constexpr ActionItem kFileMenu[] = {
    {.kind = ItemKind::BeginMenu, .caption = "&File"},
    {.command = OpenDatabase, .caption = "&Open database", .key = "Ctrl+O"},
    {.command = NewDatabase, .caption = "&New database", .key = "Ctrl+N"},
    {.command = Save, .caption = "&Save", .key = "Ctrl+S"},
    {.command = SaveAs, .caption = "Save &As...", .key = "Ctrl+A"},
    {.command = SaveSelection, .caption = "Save se&Lection", .key = "Ctrl+L"},
    kSeparator,
    {.command = SongExplorer,
     .caption = "Song &Explorer...",
     .icon = "explorer",
     .hint = "Song Explorer"},
    {.command = ScanForSongs,
     .caption = "S&can for songs...",
     .icon = "scan",
     .hint = "Scan computer for song files"},
    kSeparator,
    {.command = PrintPreview, .caption = "&Print Preview", .key = "Ctrl+P"},
    kSeparator,
    {.command = Exit, .caption = "E&xit", .key = "Ctrl+X", .icon = "exit", .hint = "Exit"},
    kEndMenu,
};

constexpr ActionItem kViewMenu[] = {
    {.kind = ItemKind::BeginMenu, .caption = "&View"},
    {.command = ViewAll, .icon = "all-songs", .captionFrom = CaptionFrom::ViewMenu},
    {.command = ViewCustomLanguage, .captionFrom = CaptionFrom::ViewMenu},
    {.command = ViewEnglish, .icon = "flag-eng", .captionFrom = CaptionFrom::ViewMenu},
    {.command = ViewOtherLanguages, .icon = "globe", .captionFrom = CaptionFrom::ViewMenu},
    {.command = ViewNewSongs, .icon = "unknown-language", .captionFrom = CaptionFrom::ViewMenu},
    {.command = ViewFiltered, .key = "F4", .icon = "filter", .captionFrom = CaptionFrom::ViewMenu},
    {.kind = ItemKind::BeginMenu, .command = SortMenus, .caption = "So&Rt"},
    {.command = Sort, .tag = kSortById, .caption = "&IDCode", .key = "F6"},
    {.command = Sort, .tag = kSortByTitle, .caption = "&Title", .key = "F7"},
    {.command = Sort, .tag = kSortByArtist, .caption = "&Artist", .key = "F8"},
    kEndMenu,
    kSeparator,
    {.command = FullSongDetails,
     .tag = kFullDetailsTag,
     .caption = "Full Song &Details...",
     .key = "F2"},
    {.command = PlayerInFront, .caption = "&Player in Front"},
    {.command = PlaylistCentral,
     .caption = "&Playlist Central...",
     .key = "F5",
     .icon = "playlist",
     .hint = "Show Playlist Central"},
    {.command = FindNext, .caption = "Find ne&Xt", .key = "F3"},
    kEndMenu,
};

constexpr ActionItem kEditMenu[] = {
    {.kind = ItemKind::BeginMenu, .caption = "&Edit"},
    {.command = EditSong,
     .tag = kEditSongTag,
     .caption = "&Selected Song...",
     .icon = "edit",
     .hint = "Edit current song"},
    {.command = AddSong, .caption = "&Add Song", .icon = "add", .hint = "Add new song"},
    {.command = DeleteSong,
     .caption = "&Delete Song...",
     .icon = "delete",
     .hint = "Delete selected song"},
    {.command = DeleteAllSongs, .caption = "De&Lete All Songs..."},
    kSeparator,
    {.command = FillMissingIdCodes, .caption = "&Fill missing ID codes"},
    {.command = LostFiles, .caption = "&Lost files..."},
    kEndMenu,
};

constexpr ActionItem kOptionsMenu[] = {
    {.kind = ItemKind::BeginMenu, .caption = "&Options"},
    {.command = ToggleDisplay, .tag = kConfirmSaves, .caption = "&Confirm Saves"},
    {.command = Players, .caption = "&Players..."},
    {.command = SwitchToPlugin, .caption = "&Enable switch to plugin"},
    {.command = CustomLanguage, .caption = "Custom &Language..."},
    {.command = GridFont, .caption = "&Font for Song-table"},
    {.command = GridFontColour, .caption = "Font Colou&r for Song-table..."},
    kSeparator,
    {.command = ToggleDisplay,
     .tag = static_cast<int>(DisplaySwitch::ShowFormatMismatches),
     .caption = "&Show format mismatches"},
    {.command = ToggleDisplay,
     .tag = static_cast<int>(DisplaySwitch::MainToolbar),
     .caption = "Show Main &Toolbar"},
    {.command = ToggleDisplay,
     .tag = static_cast<int>(DisplaySwitch::Logo),
     .caption = "Show Lo&Go and Song Details"},
    {.command = ToggleDisplay,
     .tag = static_cast<int>(DisplaySwitch::Navigator),
     .caption = "Show  &Navigator Toolbar"},
    {.command = ToggleDisplay,
     .tag = static_cast<int>(DisplaySwitch::ProgramInfo),
     .caption = "Show Program &Info"},
    {.command = ToggleDisplay,
     .tag = static_cast<int>(DisplaySwitch::StatusBar),
     .caption = "Show Status &Bar"},
    kEndMenu,
};

constexpr ActionItem kHelpMenu[] = {
    {.kind = ItemKind::BeginMenu, .caption = "&Help"},
    {.command = HelpContents, .caption = "Contents"},
    {.command = HelpForWindow, .caption = "Help for Main Form", .key = "F1"},
    {.command = About, .caption = "&About"},
    kEndMenu,
};

constexpr ActionItem kGridMenu[] = {
    {.kind = ItemKind::BeginMenu, .command = Selection, .caption = "Selection"},
    // The custom language is the third item here.
    {.command = ViewAll, .captionFrom = CaptionFrom::ViewSelection},
    {.command = ViewEnglish, .captionFrom = CaptionFrom::ViewSelection},
    {.command = ViewCustomLanguage, .captionFrom = CaptionFrom::ViewSelection},
    {.command = ViewOtherLanguages, .captionFrom = CaptionFrom::ViewSelection},
    {.command = ViewNewSongs, .captionFrom = CaptionFrom::ViewSelection},
    {.command = ViewFiltered, .shownKey = "F4", .captionFrom = CaptionFrom::ViewSelection},
    kEndMenu,
    {.kind = ItemKind::BeginMenu, .command = SortMenus, .caption = "Sort"},
    {.command = Sort, .tag = kSortById, .caption = "&IDCode", .shownKey = "F6"},
    {.command = Sort, .tag = kSortByTitle, .caption = "&Title", .shownKey = "F7"},
    {.command = Sort, .tag = kSortByArtist, .caption = "&Artist", .shownKey = "F8"},
    kEndMenu,
    kSeparator,
    {.command = FullSongDetails,
     .tag = kFullDetailsTag,
     .caption = "Full Song details",
     .shownKey = "F2"},
    {.command = EditSong, .tag = kEditSongTag, .caption = "Edit song details..."},
    {.command = AddSong, .caption = "Add new song..."},
    {.command = DeleteSong, .caption = "Delete song..."},
    {.command = DeleteAllSongs, .caption = "Delete all songs..."},
    {.command = PlaySong, .caption = "Play song", .shownKey = "F9"},
    kSeparator,
    {.command = PlaylistCentral, .caption = "Playlist Central"},
    {.command = LostFiles, .caption = "Lost files"},
    {.command = SongExplorer, .caption = "Song Explorer..."},
    kSeparator,
    {.command = OpenDatabase, .caption = "Different database..."},
    {.command = NewDatabase, .caption = "New database..."},
    {.command = Save, .caption = "Save database"},
    {.command = SaveAs, .caption = "Save database as..."},
    {.command = SaveSelection, .caption = "Save selection"},
    {.command = PrintPreview, .caption = "Print...", .shownKey = "Ctrl+P"},
    kSeparator,
    {.command = CustomLanguage, .caption = "Custom Language..."},
};

constexpr ActionItem kDetailsMenu[] = {
    {.command = FullSongDetails, .tag = kFullDetailsTag, .caption = "Full Song &Details..."},
    {.command = PlaySong, .caption = "&Play Song", .shownKey = "F9"},
    {.command = EditSong,
     .tag = kEditSongTag,
     .caption = "&Edit Song Details...",
     .shownKey = "F2"},
    {.command = AddSongFromDetails, .caption = "&Add New Song..."},
    {.command = DeleteSong, .caption = "&Delete Song..."},
};

constexpr ActionItem kToolbar[] = {
    {.command = ViewAll, .icon = "all-songs", .captionFrom = CaptionFrom::ViewMenu, .button = true},
    {.command = ViewCustomLanguage, .captionFrom = CaptionFrom::ViewMenu, .button = true},
    {.command = ViewEnglish,
     .icon = "flag-eng",
     .captionFrom = CaptionFrom::ViewMenu,
     .button = true},
    {.command = ViewOtherLanguages,
     .icon = "globe",
     .captionFrom = CaptionFrom::ViewMenu,
     .button = true},
    {.command = ViewNewSongs,
     .icon = "unknown-language",
     .captionFrom = CaptionFrom::ViewMenu,
     .button = true},
    {.command = ViewFiltered,
     .icon = "filter",
     .captionFrom = CaptionFrom::ViewMenu,
     .button = true},
    kSeparator,
    {.command = ScanForSongs,
     .caption = "S&can for songs...",
     .icon = "scan",
     .hint = "Scan computer for song files"},
    {.command = SongExplorer,
     .caption = "Song &Explorer...",
     .icon = "explorer",
     .hint = "Song Explorer"},
    {.command = AddSong, .caption = "&Add Song", .icon = "add", .hint = "Add new song"},
    {.command = EditSong,
     .tag = kEditSongTag,
     .caption = "&Selected Song...",
     .icon = "edit",
     .hint = "Edit current song"},
    {.command = DeleteSong,
     .caption = "&Delete Song...",
     .icon = "delete",
     .hint = "Delete selected song"},
    {.command = PlaySong,
     .caption = "Play current song",
     .icon = "play",
     .hint = "Play current song"},
    {.command = PlaylistCentral,
     .caption = "&Playlist Central...",
     .icon = "playlist",
     .hint = "Show Playlist Central"},
    kSeparator,
    {.command = Exit, .caption = "E&xit", .icon = "exit", .hint = "Exit"},
};

constexpr ActionItem kNavigatorBar[] = {
    {.command = FirstSong, .caption = "First song", .icon = "first", .hint = "First song"},
    {.command = PreviousSong,
     .caption = "Previous song",
     .icon = "previous",
     .hint = "Previous song"},
    {.command = NextSong, .caption = "Next song", .icon = "next", .hint = "Next song"},
    {.command = LastSong, .caption = "Last song", .icon = "last", .hint = "Last song"},
    {.command = FindNext, .caption = "Find next"},
};

}  // namespace

TActionSet::TActionSet(const tCatalogueWindow& logic, QWidget* owner,
                       std::function<void(Command, int)> run)
    : QObject(owner), m_logic(logic), m_owner(owner), m_run(std::move(run)) {
  m_gridMenu = new QMenu(owner);
  Fill(m_gridMenu, kGridMenu);
  m_detailsMenu = new QMenu(owner);
  Fill(m_detailsMenu, kDetailsMenu);
  for (std::size_t i = 0; i < m_moves.size(); ++i) m_moves[i] = Make(kNavigatorBar[i]);
  m_findNext = Make(kNavigatorBar[4]);
}

void TActionSet::FillMenuBar(QMenuBar* bar) {
  for (std::span<const ActionItem> menu :
       {std::span<const ActionItem>(kFileMenu), std::span<const ActionItem>(kViewMenu),
        std::span<const ActionItem>(kEditMenu), std::span<const ActionItem>(kOptionsMenu),
        std::span<const ActionItem>(kHelpMenu)}) {
    Fill(bar, menu);
  }
}

void TActionSet::FillToolbar(QToolBar* toolbar) {
  Fill(toolbar, kToolbar);
}

QAction* TActionSet::Make(const ActionItem& item) {
  auto* action = new QAction(m_owner);
  QString caption = QString::fromLatin1(item.caption);
  if (*item.shownKey) caption += u'\t' + QString::fromLatin1(item.shownKey);
  action->setText(caption);
  if (*item.key) {
    action->setShortcut(QKeySequence(QString::fromLatin1(item.key)));
    m_owner->addAction(action);
  }
  if (*item.icon) action->setIcon(ArtIcon(item.icon));
  if (*item.hint) action->setToolTip(QString::fromLatin1(item.hint));
  const Command command = item.command;
  const int tag = item.tag;
  action->setCheckable(item.button || m_logic.Ticked(command, tag).has_value());
  connect(action, &QAction::triggered, this, [this, command, tag] { m_run(command, tag); });
  m_made.push_back({action, command, tag, item.captionFrom, item.button});
  return action;
}

void TActionSet::Fill(QWidget* target, std::span<const ActionItem> items) {
  std::vector<QWidget*> menus{target};
  for (const ActionItem& item : items) {
    QWidget* into = menus.back();
    switch (item.kind) {
      case ItemKind::Separator:
        if (auto* menu = qobject_cast<QMenu*>(into)) menu->addSeparator();
        if (auto* toolbar = qobject_cast<QToolBar*>(into)) toolbar->addSeparator();
        break;
      case ItemKind::BeginMenu: {
        QMenu* menu = nullptr;
        if (auto* bar = qobject_cast<QMenuBar*>(into)) {
          menu = bar->addMenu(QString::fromLatin1(item.caption));
        } else {
          menu = qobject_cast<QMenu*>(into)->addMenu(QString::fromLatin1(item.caption));
          // A submenu follows its command's enabling (and tick).
          menu->menuAction()->setCheckable(m_logic.Ticked(item.command).has_value());
          m_made.push_back({menu->menuAction(), item.command, 0, CaptionFrom::Table, false});
        }
        menus.push_back(menu);
        break;
      }
      case ItemKind::EndMenu:
        menus.pop_back();
        break;
      case ItemKind::Action:
        into->addAction(Make(item));
        break;
    }
  }
}

QAction* TActionSet::Action(Command command, int tag) const {
  for (const Made& made : m_made) {
    if (made.command == command && made.tag == tag) return made.action;
  }
  return nullptr;
}

void TActionSet::Sync() {
  const QIcon customFlag(CustomLanguageFlag(m_logic.CustomLanguage().index));
  for (const Made& made : m_made) {
    made.action->setEnabled(m_logic.Enabled(made.command));
    if (made.button) {
      made.action->setChecked(m_logic.Pressed(made.command));
    } else if (const std::optional<bool> ticked = m_logic.Ticked(made.command, made.tag)) {
      made.action->setChecked(*ticked);
    }
    const std::optional<ViewMode> mode = ViewModeOf(made.command);
    if (!mode || made.captionFrom == CaptionFrom::Table) continue;
    QString caption =
        ToQt(made.captionFrom == CaptionFrom::ViewMenu ? m_logic.ViewCaption(*mode)
                                                       : m_logic.SelectionMenuCaption(*mode));
    if (made.captionFrom == CaptionFrom::ViewSelection && *mode == ViewMode::CustomFiltered) {
      caption += QStringLiteral("\tF4");
    }
    if (made.action->text() != caption) made.action->setText(caption);
    if (made.captionFrom == CaptionFrom::ViewMenu) {
      made.action->setToolTip(ToQt(m_logic.ViewHint(*mode)));
      if (*mode == ViewMode::CustomLanguage) made.action->setIcon(customFlag);
    }
  }
}

}  // namespace tunedex
