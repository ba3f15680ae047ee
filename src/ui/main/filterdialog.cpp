// SPDX-License-Identifier: GPL-3.0-or-later
#include "filterdialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/widgets/qtuser.h"

namespace tunedex {

namespace {

class TFilterDlg : public QDialog {
 public:
  TFilterDlg(QWidget* parent, tCustomFilterRec& filter, std::function<void()> apply,
             std::function<void(int)> help)
      : QDialog(parent), m_filter(filter), m_apply(std::move(apply)) {
    setObjectName(QStringLiteral("TFilterDlg"));
    setWindowTitle(QStringLiteral("Filter Song-list"));
    auto* layout = new QVBoxLayout(this);
    m_pages = new QTabWidget(this);
    layout->addWidget(m_pages);

    auto* text = new QWidget(m_pages);
    auto* textLayout = new QVBoxLayout(text);
    textLayout->addWidget(new QLabel(QStringLiteral("The Song-record contains the text:"), text));
    m_text = new QLineEdit(text);
    textLayout->addWidget(m_text);
    m_anyField = new QCheckBox(QStringLiteral("in any field"), text);
    textLayout->addWidget(m_anyField);
    m_fieldGroup = new QGroupBox(QStringLiteral("or, in one or more of the specific fields"), text);
    auto* fields = new QGridLayout(m_fieldGroup);
    for (std::size_t i = 0; i < FilterDialogState::kFieldBoxes.size(); ++i) {
      m_fieldBoxes[i] =
          new QCheckBox(ToQt(FilterDialogState::kFieldBoxes[i].caption), m_fieldGroup);
      fields->addWidget(m_fieldBoxes[i], static_cast<int>(i / 3), static_cast<int>(i % 3));
    }
    textLayout->addWidget(m_fieldGroup);
    textLayout->addStretch();
    connect(m_anyField, &QCheckBox::toggled, this, [this](bool ticked) {
      m_state.anyField = ticked;
      m_fieldGroup->setEnabled(m_state.FieldBoxesEnabled());
    });
    m_pages->addTab(text, QStringLiteral("Text"));

    auto* format = new QWidget(m_pages);
    auto* formatLayout = new QVBoxLayout(format);
    auto* fieldBox = new QGroupBox(QStringLiteral("Field"), format);
    auto* fieldRow = new QHBoxLayout(fieldBox);
    m_field = new QButtonGroup(this);
    const char* fieldCaptions[] = {"File-type", "Internal-format"};
    for (int i = 0; i < 2; ++i) {
      auto* radio = new QRadioButton(QString::fromLatin1(fieldCaptions[i]), fieldBox);
      m_field->addButton(radio, i);
      fieldRow->addWidget(radio);
    }
    formatLayout->addWidget(fieldBox);
    formatLayout->addWidget(new QLabel(QStringLiteral("Select the file-types to include"), format));
    auto* types = new QGridLayout();
    for (std::size_t i = 0; i < FilterDialogState::kTypeBoxes.size(); ++i) {
      const FilterDialogState::FieldBox& box = FilterDialogState::kTypeBoxes[i];
      m_typeBoxes[i] = new QCheckBox(ToQt(box.caption), format);
      types->addWidget(m_typeBoxes[i], static_cast<int>(i / 4), static_cast<int>(i % 4));
      const int bit = box.bit;
      connect(m_typeBoxes[i], &QCheckBox::clicked, this, [this, bit](bool ticked) {
        m_state.SetType(bit, ticked);
        ShowLyrics();
      });
    }
    formatLayout->addLayout(types);
    m_lyricsGroup = new QGroupBox(QStringLiteral("Lyrics options"), format);
    auto* lyricsRow = new QHBoxLayout(m_lyricsGroup);
    m_lyrics = new QButtonGroup(this);
    const char* lyricsCaptions[] = {"Ignore lyrics", "Has lyrics", "No lyrics"};
    for (int i = 0; i < 3; ++i) {
      auto* radio = new QRadioButton(QString::fromLatin1(lyricsCaptions[i]), m_lyricsGroup);
      m_lyrics->addButton(radio, i);
      lyricsRow->addWidget(radio);
    }
    formatLayout->addWidget(m_lyricsGroup);
    formatLayout->addStretch();
    m_pages->addTab(format, QStringLiteral("Format"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* applyButton =
        buttons->addButton(QStringLiteral("Apply"), QDialogButtonBox::ApplyRole);
    applyButton->setToolTip(QStringLiteral("Apply the filter without closing the dialog"));
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setToolTip(QStringLiteral("Close the dialog and abandon any changes"));
    QPushButton* helpButton =
        buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
    connect(helpButton, &QPushButton::clicked, this, [help] { help(kFilterHelpTopic); });
    connect(applyButton, &QPushButton::clicked, this, [this] {
      m_filter = Read();
      m_apply();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_state.Load(filter);
    Show();
  }

  tCustomFilterRec Read() {
    m_state.formatPage = m_pages->currentIndex() == 1;
    m_state.text = FromQt(m_text->text());
    m_state.anyField = m_anyField->isChecked();
    m_state.fieldBits = 0;
    for (std::size_t i = 0; i < m_fieldBoxes.size(); ++i) {
      if (m_fieldBoxes[i]->isChecked()) m_state.fieldBits |= FilterDialogState::kFieldBoxes[i].bit;
    }
    m_state.useInternalFormat = m_field->checkedId() == 1 ? 1 : 0;
    m_state.lyrics = m_lyrics->checkedId();
    const tCustomFilterRec filter = m_state.Read();
    m_anyField->setChecked(m_state.anyField);
    return filter;
  }

 private:
  void Show() {
    m_pages->setCurrentIndex(m_state.formatPage ? 1 : 0);
    m_text->setText(ToQt(m_state.text));
    m_anyField->setChecked(m_state.anyField);
    for (std::size_t i = 0; i < m_fieldBoxes.size(); ++i) {
      m_fieldBoxes[i]->setChecked((m_state.fieldBits & FilterDialogState::kFieldBoxes[i].bit) != 0);
    }
    m_fieldGroup->setEnabled(m_state.FieldBoxesEnabled());
    m_field->button(m_state.useInternalFormat)->setChecked(true);
    for (std::size_t i = 0; i < m_typeBoxes.size(); ++i) {
      m_typeBoxes[i]->setChecked((m_state.typeBits & FilterDialogState::kTypeBoxes[i].bit) != 0);
    }
    ShowLyrics();
  }

  void ShowLyrics() {
    m_lyrics->setExclusive(false);
    for (QAbstractButton* button : m_lyrics->buttons()) button->setChecked(false);
    m_lyrics->setExclusive(true);
    if (m_state.lyrics >= 0) m_lyrics->button(m_state.lyrics)->setChecked(true);
    m_lyricsGroup->setEnabled(m_state.LyricsOptionsEnabled());
  }

  tCustomFilterRec& m_filter;
  std::function<void()> m_apply;
  FilterDialogState m_state;
  QTabWidget* m_pages;
  QLineEdit* m_text;
  QCheckBox* m_anyField;
  QGroupBox* m_fieldGroup;
  std::array<QCheckBox*, 5> m_fieldBoxes{};
  QButtonGroup* m_field;
  std::array<QCheckBox*, 8> m_typeBoxes{};
  QGroupBox* m_lyricsGroup;
  QButtonGroup* m_lyrics;
};

}  // namespace

bool RunFilterDialog(QWidget* parent, tCustomFilterRec& filter, const std::function<void()>& apply,
                     const std::function<void(int)>& help) {
  TFilterDlg dialog(parent, filter, apply, help);
  const bool ok = dialog.exec() == QDialog::Accepted;
  filter = dialog.Read();  // kept on Cancel too, so the next opening shows the edits
  return ok;
}

}  // namespace tunedex
