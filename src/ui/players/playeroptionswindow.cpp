// SPDX-License-Identifier: GPL-3.0-or-later
#include "playeroptionswindow.h"

#include <algorithm>

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "ui/widgets/actionbutton.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

class TPlayerOptionsDlg : public QDialog {
 public:
  TPlayerOptionsDlg(QWidget* parent, tPlayerOptionsDialog& logic, std::function<void(int)> help)
      : QDialog(parent), m_logic(logic), m_help(std::move(help)) {
    setObjectName(QStringLiteral("TPlayerOptionsDlg"));
    setWindowTitle(QStringLiteral("Player Options"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabBar(this);
    for (const PlayerTab& tab : kPlayerTabs) m_tabs->addTab(ToQt(tab.caption));
    m_tabs->addTab(QStringLiteral("General"));
    layout->addWidget(m_tabs);
    m_pages = new QStackedWidget(this);
    m_pages->addWidget(BuildPlayersPage());
    m_pages->addWidget(BuildGeneralPage());
    layout->addWidget(m_pages, 1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setToolTip(QStringLiteral("Close the dialog and keep changes"));
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setToolTip(QStringLiteral("Close the dialog and abandon changes"));
    QPushButton* helpButton =
        buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    helpButton->setToolTip(QStringLiteral("Show Help"));
    connect(helpButton, &QPushButton::clicked, this, [this] { m_help(kPlayerOptionsHelpTopic); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
      Store();
      m_logic.PressOk();
      accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_tabs, &QTabBar::currentChanged, this, [this](int tab) {
      Store();
      m_logic.SelectTab(tab);
      Show();
    });
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
              if (state == Qt::ApplicationActive && m_activated) {
                m_logic.ApplicationActivated();
                Show();
              }
            });
    resize(620, 560);
  }

  void Activate() {
    m_logic.Activate();
    m_activated = true;
    Show();
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_F1) {
      m_help(kPlayerOptionsHelpTopic);
      return;
    }
    QDialog::keyPressEvent(event);
  }

 private:
  QPushButton* Button(QWidget* parent, const char* caption, const char* hint,
                      std::function<void()> run) {
    return ActionButton(
        parent, QString::fromLatin1(caption), QString::fromLatin1(hint), [this] { Store(); }, run,
        [this] { Show(); });
  }

  QLineEdit* Box(QWidget* parent, const char* hint) {
    auto* box = new QLineEdit(parent);
    box->setToolTip(QString::fromLatin1(hint));
    return box;
  }

  QWidget* BuildPlayersPage() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    m_heading = new QLabel(page);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    grid->addWidget(m_heading, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Program file"), page), 1, 0);
    m_extension = new QLabel(page);
    m_extension->setAlignment(Qt::AlignRight);
    grid->addWidget(m_extension, 1, 1, 1, 2);
    m_program = Box(page, "Player program file for songs of this type");
    connect(m_program, &QLineEdit::textEdited, this, [this](const QString& text) {
      m_logic.programText = FromQt(text);
      m_logic.ProgramTextChanged();
      ShowButtons();
    });
    grid->addWidget(m_program, 2, 0, 1, 2);
    grid->addWidget(Button(page, "Default",
                           "Use the player registered with Windows for song files of this type",
                           [this] { m_logic.Default(); }),
                    2, 2);
    m_restart = new QCheckBox(QStringLiteral("Restart for each song"), page);
    m_restart->setToolTip(QStringLiteral("Start the player afresh for each song"));
    m_emptyStart = new QCheckBox(QStringLiteral("Send song after start"), page);
    m_emptyStart->setToolTip(QStringLiteral("Send the song after the player starts"));
    grid->addWidget(m_restart, 3, 0);
    grid->addWidget(m_emptyStart, 3, 1);
    grid->addWidget(Button(page, "Browse", "Select a Player", [this] { m_logic.Browse(); }), 3, 2);
    m_status = new QLabel(page);
    grid->addWidget(m_status, 4, 0, 1, 3);

    auto* windows = new QGroupBox(QStringLiteral("Select Player Windows"), page);
    auto* wgrid = new QGridLayout(windows);
    m_list = new QListWidget(windows);
    m_list->setToolTip(QStringLiteral("Windows opened by player"));
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
      m_logic.currentLine = row;
      m_logic.ListClicked();
      ShowButtons();
    });
    wgrid->addWidget(m_list, 0, 0, 4, 2);
    m_run = Button(windows, "Run Player", "Start the Player without a song",
                   [this] { m_logic.RunPlayer(); });
    m_refresh = Button(windows, "Refresh list", "Reload the list of added windows",
                       [this] { m_logic.RefreshList(); });
    wgrid->addWidget(m_run, 0, 2);
    wgrid->addWidget(m_refresh, 1, 2);
    wgrid->addWidget(new QLabel(QStringLiteral("Select best window:"), windows), 4, 0);
    m_selectSend =
        Button(windows, "Send Song-file to", "Select the best Window to send a song file to",
               [this] { m_logic.SelectSendTo(); });
    m_selectClose =
        Button(windows, "Close Player", "Select the best Window to use to close the Player",
               [this] { m_logic.SelectClose(); });
    m_selectLyrics = Button(windows, "Show Lyrics", "Select the karaoke window",
                            [this] { m_logic.SelectLyrics(); });
    wgrid->addWidget(m_selectSend, 5, 0);
    wgrid->addWidget(m_selectClose, 5, 1);
    wgrid->addWidget(m_selectLyrics, 5, 2);
    m_sendBox = Box(windows, "Window to send song file to");
    m_closeBox = Box(windows, "Window to use to close Player");
    m_lyricsBox = Box(windows, "Window that shows the lyrics (words)");
    wgrid->addWidget(new QLabel(QStringLiteral("Best Window to send songs to:"), windows), 6, 0);
    wgrid->addWidget(m_sendBox, 6, 1, 1, 2);
    wgrid->addWidget(new QLabel(QStringLiteral("Best window to close:"), windows), 7, 0);
    wgrid->addWidget(m_closeBox, 7, 1, 1, 2);
    wgrid->addWidget(new QLabel(QStringLiteral("Lyrics window:"), windows), 8, 0);
    wgrid->addWidget(m_lyricsBox, 8, 1, 1, 2);
    connect(m_closeBox, &QLineEdit::textEdited, this, [this](const QString& text) {
      m_logic.closeBox = FromQt(text);
      m_logic.CloseBoxChanged();
      ShowButtons();
    });
    connect(m_sendBox, &QLineEdit::textEdited, this, [this](const QString& text) {
      m_logic.sendToBox = FromQt(text);
      m_logic.SendToBoxChanged();
      ShowButtons();
    });
    m_testSend = Button(windows, "Test Sending Song", "Try sending a song to the Player",
                        [this] { m_logic.TestSendingSong(); });
    m_testClose = Button(windows, "Test Closing Player", "Try closing the Player",
                         [this] { m_logic.TestClosingPlayer(); });
    wgrid->addWidget(m_testSend, 9, 1);
    wgrid->addWidget(m_testClose, 9, 2);
    grid->addWidget(windows, 5, 0, 1, 3);
    m_inFront = new QCheckBox(QStringLiteral("Player in Front"), page);
    m_inFront->setToolTip(QStringLiteral("Show player in front of Tunedex"));
    m_plugin = new QCheckBox(QStringLiteral("Enable switch to plugin"), page);
    m_plugin->setToolTip(QStringLiteral("Shift+F10 hotkey will bring Lyrics window to front"));
    grid->addWidget(m_inFront, 6, 0);
    grid->addWidget(m_plugin, 6, 1, 1, 2);
    return page;
  }

  QWidget* BuildGeneralPage() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* heading = new QLabel(QStringLiteral("Song Player in front of"), page);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    layout->addWidget(heading);
    const char* captions[] = {"Main window", "Details window", "Explorer window", "Scan window",
                              "Playlist editor"};
    for (std::size_t i = 0; i < 5; ++i) {
      m_general[i] = new QCheckBox(QString::fromLatin1(captions[i]), page);
      m_general[i]->setToolTip(
          i == 4 ? QStringLiteral(
                       "If the box is ticked, the player will appear in front of the Playlist "
                       "editor")
                 : QStringLiteral("If the box is ticked, the player will appear in front of "
                                  "Tunedex"));
      layout->addWidget(m_general[i]);
    }
    auto* delayRow = new QHBoxLayout();
    delayRow->addWidget(new QLabel(QStringLiteral("Delay"), page));
    m_delay = new QSpinBox(page);
    m_delay->setRange(0, 1000);
    m_delay->setSingleStep(10);
    m_delay->setToolTip(QStringLiteral("System delay in milliseconds"));
    delayRow->addWidget(m_delay);
    delayRow->addStretch();
    layout->addLayout(delayRow);
    layout->addStretch();
    return page;
  }

  // The widgets into the logic.
  void Store() {
    m_logic.programText = FromQt(m_program->text());
    m_logic.restart = m_restart->isChecked();
    m_logic.emptyStart = m_emptyStart->isChecked();
    m_logic.closeBox = FromQt(m_closeBox->text());
    m_logic.sendToBox = FromQt(m_sendBox->text());
    m_logic.lyricsBox = FromQt(m_lyricsBox->text());
    m_logic.playerInFrontBox = m_inFront->isChecked();
    m_logic.enableSwitchToPlugin = m_plugin->isChecked();
    m_logic.currentLine = m_list->currentRow();
    for (std::size_t i = 0; i < 5; ++i) m_logic.generalBoxes[i] = m_general[i]->isChecked();
    m_logic.delay = m_delay->value();
  }

  void ShowButtons() {
    m_run->setEnabled(m_logic.runEnabled);
    m_refresh->setEnabled(m_logic.refreshEnabled);
    m_selectSend->setEnabled(m_logic.sendSelectEnabled);
    m_selectClose->setEnabled(m_logic.closeSelectEnabled);
    m_selectLyrics->setEnabled(m_logic.lyricsSelectEnabled);
    m_testSend->setEnabled(m_logic.testSendEnabled);
    m_testClose->setEnabled(m_logic.testCloseEnabled);
  }

  // The logic into the widgets.
  void Show() {
    const QSignalBlocker blockTabs(m_tabs);
    m_tabs->setCurrentIndex(m_logic.Tab());
    m_pages->setCurrentIndex(m_logic.Tab() == kGeneralTab ? 1 : 0);
    if (const PlayerTab* tab = m_logic.CurrentTab()) {
      m_heading->setText(ToQt(tab->heading));
      m_extension->setText(QStringLiteral("File Type") + ToQt(tab->extensionText));
    }
    m_program->setText(ToQt(m_logic.programText));
    m_restart->setChecked(m_logic.restart);
    m_emptyStart->setChecked(m_logic.emptyStart);
    m_status->setText(ToQt(m_logic.Status()));
    {
      const QSignalBlocker blockList(m_list);
      m_list->clear();
      for (const ListedWindow& line : m_logic.Lines()) m_list->addItem(ToQt(line.line));
      m_list->setCurrentRow(m_logic.currentLine);
    }
    m_sendBox->setText(ToQt(m_logic.sendToBox));
    m_closeBox->setText(ToQt(m_logic.closeBox));
    m_lyricsBox->setText(ToQt(m_logic.lyricsBox));
    m_inFront->setChecked(m_logic.playerInFrontBox);
    m_plugin->setChecked(m_logic.enableSwitchToPlugin);
    for (std::size_t i = 0; i < 5; ++i) m_general[i]->setChecked(m_logic.generalBoxes[i]);
    m_delay->setValue(m_logic.delay);
    ShowButtons();
  }

  tPlayerOptionsDialog& m_logic;
  std::function<void(int)> m_help;
  bool m_activated = false;
  QTabBar* m_tabs;
  QStackedWidget* m_pages;
  QLabel* m_heading = nullptr;
  QLabel* m_extension = nullptr;
  QLineEdit* m_program = nullptr;
  QCheckBox* m_restart = nullptr;
  QCheckBox* m_emptyStart = nullptr;
  QLabel* m_status = nullptr;
  QListWidget* m_list = nullptr;
  QPushButton *m_run = nullptr, *m_refresh = nullptr, *m_selectSend = nullptr,
              *m_selectClose = nullptr, *m_selectLyrics = nullptr, *m_testSend = nullptr,
              *m_testClose = nullptr;
  QLineEdit *m_sendBox = nullptr, *m_closeBox = nullptr, *m_lyricsBox = nullptr;
  QCheckBox* m_inFront = nullptr;
  QCheckBox* m_plugin = nullptr;
  std::array<QCheckBox*, 5> m_general{};
  QSpinBox* m_delay = nullptr;
};

}  // namespace

std::optional<bool> RunPlayerOptionsDialog(QWidget* parent, tPlayerOptionsDialog::Services services,
                                           tLivePlayerOptions& options,
                                           const std::function<void(int)>& help) {
  tPlayerControl& control = services.control;
  tPlayerOptionsDialog logic(std::move(services), options);
  TPlayerOptionsDlg dialog(parent, logic, help);
  const auto window = static_cast<WindowHandle>(dialog.winId());
  logic.SetDialogWindow(window);
  logic.SetOwnWindows([](WindowHandle candidate) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [candidate](const QWidget* widget) {
      return widget->internalWinId() != 0 &&
             static_cast<WindowHandle>(widget->internalWinId()) == candidate;
    });
  });
  dialog.Activate();
  // While the dialog owns a player, Shift+F10 switches between the dialog, the player and its
  // lyrics window.
  const SwitchBackRegistration switchBack(control.SwitchBacks(), window,
                                          [&logic] { logic.SwitchBack(); });
  const bool ok = dialog.exec() == QDialog::Accepted;
  logic.Close();
  if (!ok) return std::nullopt;
  return logic.MainMenuTick();
}

}  // namespace tunedex
