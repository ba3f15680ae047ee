// SPDX-License-Identifier: GPL-3.0-or-later
#include "recordeditordialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "catalogue/songgridlayout.h"
#include "common/recordtext.h"
#include "song/songtype.h"
#include "ui/widgets/actionbutton.h"
#include "ui/widgets/pictures.h"
#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

class TSongRecordDlg : public QDialog {
 public:
  TSongRecordDlg(QWidget* parent, tSongRecordEditor& editor, std::function<void(int)> help)
      : QDialog(parent), m_editor(editor), m_help(help) {
    setObjectName(QStringLiteral("TSongRecordDlg"));
    auto* layout = new QVBoxLayout(this);

    auto* fileRow = new QHBoxLayout();
    auto* fileLabel = new QLabel(QStringLiteral("File: "), this);
    QFont bold = fileLabel->font();
    bold.setBold(true);
    fileLabel->setFont(bold);
    fileRow->addWidget(fileLabel);
    m_path = new QLabel(this);
    m_path->setToolTip(QStringLiteral("Full file-name and path for song"));
    m_path->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    fileRow->addWidget(m_path, 1);
    m_browse = Button(QStringLiteral("&Browse"), QStringLiteral("Locate the song file"),
                      [this] { m_editor.Browse(); });
    m_rename = Button(QStringLiteral("&Rename"), QStringLiteral("Rename the song file"),
                      [this] { m_editor.Rename(); });
    fileRow->addWidget(m_browse);
    fileRow->addWidget(m_rename);
    layout->addLayout(fileRow);

    auto* typeRow = new QHBoxLayout();
    m_typeCaption = new QLabel(QStringLiteral("File-type:"), this);
    m_typeCaption->setToolTip(QStringLiteral("File-type as indicated by the filename-extension"));
    m_type = new QLabel(this);
    m_formatCaption = new QLabel(QStringLiteral("Internal format:"), this);
    m_formatCaption->setToolTip(
        QStringLiteral("File format as indicated by the structure of the file"));
    m_format = new QLabel(this);
    m_lyrics = new QCheckBox(QStringLiteral("Has Lyrics"), this);
    for (QWidget* widget : {static_cast<QWidget*>(m_typeCaption), static_cast<QWidget*>(m_type),
                            static_cast<QWidget*>(m_formatCaption), static_cast<QWidget*>(m_format),
                            static_cast<QWidget*>(m_lyrics)}) {
      typeRow->addWidget(widget);
    }
    typeRow->addStretch();
    layout->addLayout(typeRow);

    m_fields = new QWidget(this);
    auto* grid = new QGridLayout(m_fields);
    grid->setContentsMargins(0, 0, 0, 0);
    m_id = Edit(TextField::IdCode);
    m_complete = Button(QStringLiteral("&Complete"),
                        QStringLiteral("Complete the IDcode to give a unique value"),
                        [this] { m_editor.Complete(); });
    m_title = Edit(TextField::Title);
    m_artist = Edit(TextField::Artist);
    grid->addWidget(new QLabel(QStringLiteral("ID Code"), m_fields), 0, 0);
    auto* idRow = new QHBoxLayout();
    idRow->addWidget(m_id);
    idRow->addWidget(m_complete);
    idRow->addStretch();
    grid->addLayout(idRow, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Title: "), m_fields), 1, 0);
    grid->addWidget(m_title, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Artist: "), m_fields), 2, 0);
    grid->addWidget(m_artist, 2, 1);
    auto* languageCaption = new QLabel(QStringLiteral("Language: "), m_fields);
    languageCaption->setToolTip(QStringLiteral("Language of lyrics"));
    grid->addWidget(languageCaption, 3, 0);
    auto* languageRow = new QHBoxLayout();
    m_language = new QButtonGroup(this);
    for (int button = 0; button < 3; ++button) {
      auto* radio = new QRadioButton(ToQt(m_editor.LanguageCaption(button)), m_fields);
      radio->setToolTip(QStringLiteral("Language of lyrics"));
      m_language->addButton(radio, button);
      languageRow->addWidget(radio);
    }
    m_otherLanguage = Edit(TextField::Language);
    m_otherLanguage->setMaximumWidth(60);
    languageRow->addWidget(m_otherLanguage);
    languageRow->addStretch();
    grid->addLayout(languageRow, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Notes:"), m_fields), 4, 0, Qt::AlignTop);
    m_notes = new QPlainTextEdit(m_fields);
    m_notes->setToolTip(ToQt(EditFieldHint(TextField::Notes)));
    m_notes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_notes->setMaximumHeight(70);
    grid->addWidget(m_notes, 4, 1);
    layout->addWidget(m_fields);

    m_info = new QPlainTextEdit(this);
    m_info->setReadOnly(true);
    m_info->setToolTip(QStringLiteral("Information in song-file tags"));
    m_info->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_info->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #e4e4e4; }"));
    layout->addWidget(m_info, 1);
    // The pointer over the tag box gives it the focus; over the fields or the background, an
    // invisible holder takes the focus back so the box does not keep it.
    m_holder = new QWidget(this);
    m_holder->setFixedSize(0, 0);
    m_holder->setFocusPolicy(Qt::StrongFocus);
    m_info->installEventFilter(this);
    m_fields->installEventFilter(this);
    installEventFilter(this);

    m_navigator = new QWidget(this);
    m_navigator->setToolTip(QStringLiteral("Navigator bar"));
    auto* nav = new QHBoxLayout(m_navigator);
    nav->setContentsMargins(0, 0, 0, 0);
    const std::tuple<const char*, const char*, int> steps[] = {{"First song", "first", 0},
                                                               {"Previous song", "previous", 1},
                                                               {"Next song", "next", 2},
                                                               {"Last song", "last", 3}};
    for (const auto& [hint, glyph, step] : steps) {
      auto* button = new QToolButton(m_navigator);
      button->setIcon(ArtIcon(glyph));
      button->setToolTip(QString::fromLatin1(hint));
      const int which = step;
      connect(button, &QToolButton::clicked, this, [this, which] { Step(which); });
      m_steps[static_cast<std::size_t>(step)] = button;
      nav->addWidget(button);
    }
    m_counter = new QLabel(m_navigator);
    m_counter->setToolTip(QStringLiteral("Position of file in list"));
    nav->addWidget(m_counter);
    nav->addStretch();
    layout->addWidget(m_navigator);

    auto* bottom = new QHBoxLayout();
    m_play = Button(QStringLiteral("&Play"), QStringLiteral("Play the song"),
                    [this] { m_editor.Play(); });
    bottom->addWidget(m_play);
    m_inFront = new QCheckBox(QStringLiteral("Player in Front"), this);
    m_inFront->setToolTip(QStringLiteral("Show player in front of Tunedex"));
    m_inFront->setChecked(m_editor.PlayerInFront());
    connect(m_inFront, &QCheckBox::toggled, this,
            [this](bool ticked) { m_editor.SetPlayerInFront(ticked); });
    bottom->addWidget(m_inFront);
    m_edit = new QCheckBox(QStringLiteral("Edit"), this);
    m_edit->setToolTip(QStringLiteral("Modify song record"));
    connect(m_edit, &QCheckBox::clicked, this, [this](bool ticked) {
      Store();
      m_editor.SetEditTicked(ticked);
      Show();
    });
    bottom->addWidget(m_edit);
    bottom->addStretch();
    QPushButton* ok = Button(QStringLiteral("OK"),
                             QStringLiteral("Close the dialog and keep any changes"), [this] {
                               Store();
                               const tSongRecordEditor::Close result = m_editor.PressOk();
                               if (result == tSongRecordEditor::Close::Ok) accept();
                               if (result == tSongRecordEditor::Close::Cancel) {
                                 m_cancelled = true;
                                 reject();
                               }
                             });
    ok->setDefault(true);
    QPushButton* cancel =
        Button(QStringLiteral("Cancel"), QStringLiteral("Close the dialog an abandon any changes"),
               [this] { reject(); });
    QPushButton* helpButton =
        Button(QStringLiteral("&Help"), QStringLiteral("Show Help for this dialog"),
               [help] { help(kRecordEditorHelpTopic); });
    for (QPushButton* button : {ok, cancel, helpButton}) bottom->addWidget(button);
    layout->addLayout(bottom);

    connect(m_id, &QLineEdit::textEdited, this, [this](const QString& text) {
      m_editor.idText = FromQt(text);
      m_complete->setVisible(m_editor.CompleteVisible());
    });
    connect(m_id, &QLineEdit::editingFinished, this, [this] {
      m_editor.idText = FromQt(m_id->text());
      if (!m_leaving && !m_editor.LeaveIdField()) m_id->setFocus();
    });
    connect(m_language, &QButtonGroup::idClicked, this, [this](int id) {
      m_editor.languageButton = id;
      m_otherLanguage->setVisible(m_editor.OtherLanguageVisible());
    });
    resize(560, 520);
    Show();
  }

  void reject() override {
    if (!m_cancelled) m_editor.Cancel();
    m_leaving = true;
    QDialog::reject();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Enter && isActiveWindow()) {
      if (watched == m_info) {
        m_info->setFocus(Qt::MouseFocusReason);
        QTextCursor cursor = m_info->textCursor();
        cursor.select(QTextCursor::LineUnderCursor);
        m_info->setTextCursor(cursor);
      } else if (m_info->hasFocus()) {
        m_holder->setFocus(Qt::MouseFocusReason);
      }
    }
    return QDialog::eventFilter(watched, event);
  }

  // The path label is shortened to the width it has once the dialog is shown.
  void showEvent(QShowEvent* event) override {
    QDialog::showEvent(event);
    Show();
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_F9) {
      m_editor.Play();
      return;
    }
    if (event->key() == Qt::Key_F1) {
      m_help(kRecordEditorHelpTopic);
      return;
    }
    QDialog::keyPressEvent(event);
  }

 private:
  QPushButton* Button(const QString& caption, const QString& hint, std::function<void()> run) {
    return ActionButton(
        this, caption, hint, [this] { Store(); }, run, [this] { Show(); });
  }

  QLineEdit* Edit(TextField field) {
    auto* edit = new QLineEdit(this);
    edit->setToolTip(ToQt(EditFieldHint(field)));
    edit->setMaxLength(EditFieldLimit(field));
    return edit;
  }

  void Step(int which) {
    Store();
    const int position = m_editor.Position();
    const int targets[] = {0, position - 1, position + 1, m_editor.Count() - 1};
    m_editor.GoTo(targets[which]);
    Show();
  }

  // The notes box's text with LF line breaks and every other character as it was given (the
  // box's plain text would turn a no-break space into a blank).
  QString NotesText() const {
    QString text = m_notes->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
  }

  // The edit fields into the editor.
  void Store() {
    m_editor.idText = FromQt(m_id->text());
    m_editor.title = FromQt(m_title->text());
    m_editor.artist = FromQt(m_artist->text());
    m_editor.otherLanguage = FromQt(m_otherLanguage->text());
    m_editor.NotesFromTextBox(FromQt(NotesText()));
    m_editor.languageButton = m_language->checkedId();
    m_editor.hasLyrics = m_lyrics->isChecked();
  }

  // The editor into the widgets.
  void Show() {
    setWindowTitle(ToQt(m_editor.WindowTitle()));
    const QString path = ToQt(m_editor.FileName());
    const QFontMetrics metrics(m_path->font());
    m_path->setText(ToQt(ShortenPath(
        m_editor.FileName(), std::max(80, m_path->width()),
        [&metrics](std::string_view text) { return metrics.horizontalAdvance(ToQt(text)); })));
    m_path->setToolTip(path.isEmpty() ? QStringLiteral("Full file-name and path for song") : path);
    m_id->setText(ToQt(m_editor.idText));
    m_title->setText(ToQt(m_editor.title));
    m_artist->setText(ToQt(m_editor.artist));
    m_otherLanguage->setText(ToQt(m_editor.otherLanguage));
    const QString notes = ToQt(m_editor.NotesForTextBox());
    if (NotesText() != notes) m_notes->setPlainText(notes);
    m_language->setExclusive(false);
    for (QAbstractButton* button : m_language->buttons()) button->setChecked(false);
    m_language->setExclusive(true);
    if (m_editor.languageButton >= 0) m_language->button(m_editor.languageButton)->setChecked(true);
    m_otherLanguage->setVisible(m_editor.OtherLanguageVisible());
    m_lyrics->setChecked(m_editor.hasLyrics);
    m_type->setText(ToQt(SongTypeName(m_editor.FileType())));
    m_format->setText(ToQt(SongTypeName(m_editor.InternalFormat())));
    const QString colour = m_editor.TypeLabelsRed() ? QStringLiteral("color: #ff0000;")
                                                    : QStringLiteral("color: #000000;");
    for (QLabel* label : {m_typeCaption, m_type, m_formatCaption, m_format}) {
      label->setStyleSheet(colour);
    }
    QStringList lines;
    for (const std::string& line : m_editor.TagInformation()) lines << ToQt(DecodeRecordText(line));
    m_info->setPlainText(lines.join(u'\n'));
    m_browse->setEnabled(m_editor.BrowseEnabled());
    m_rename->setEnabled(m_editor.RenameEnabled());
    m_play->setEnabled(m_editor.PlayEnabled());
    m_fields->setEnabled(m_editor.FieldsEnabled());
    m_lyrics->setEnabled(m_editor.HasLyricsEnabled());
    m_complete->setVisible(m_editor.CompleteVisible());
    m_edit->setVisible(m_editor.EditBoxVisible());
    m_edit->setChecked(m_editor.EditTicked());
    m_edit->setStyleSheet(m_editor.EditTicked() ? QStringLiteral("color: #ff0000;") : QString());
    m_navigator->setVisible(m_editor.NavigatorVisible());
    m_counter->setText(ToQt(m_editor.Counter()));
    m_steps[0]->setEnabled(m_editor.FirstEnabled());
    m_steps[1]->setEnabled(m_editor.FirstEnabled());
    m_steps[2]->setEnabled(m_editor.LastEnabled());
    m_steps[3]->setEnabled(m_editor.LastEnabled());
  }

  tSongRecordEditor& m_editor;
  std::function<void(int)> m_help;
  QLabel* m_path;
  QPushButton* m_browse;
  QPushButton* m_rename;
  QLabel* m_typeCaption;
  QLabel* m_type;
  QLabel* m_formatCaption;
  QLabel* m_format;
  QCheckBox* m_lyrics;
  QWidget* m_fields;
  QLineEdit* m_id;
  QPushButton* m_complete;
  QLineEdit* m_title;
  QLineEdit* m_artist;
  QButtonGroup* m_language;
  QLineEdit* m_otherLanguage;
  QPlainTextEdit* m_notes;
  QPlainTextEdit* m_info;
  QWidget* m_holder;
  QWidget* m_navigator;
  std::array<QToolButton*, 4> m_steps{};
  QLabel* m_counter;
  QPushButton* m_play;
  QCheckBox* m_inFront;
  QCheckBox* m_edit;
  bool m_cancelled = false;
  bool m_leaving = false;
};

}  // namespace

bool RunSongRecordDialog(QWidget* parent, RecordEditorContext context, tSongRecord& record,
                         int mode, std::string& lastFolder, const std::function<void(int)>& help) {
  tSongRecordEditor editor(std::move(context), record, mode, lastFolder);
  TSongRecordDlg dialog(parent, editor, help);
  dialog.exec();
  return editor.Result(record, lastFolder);
}

}  // namespace tunedex
