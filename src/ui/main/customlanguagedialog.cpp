// SPDX-License-Identifier: GPL-3.0-or-later
#include "customlanguagedialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/widgets/qtuser.h"

namespace tunedex {

std::optional<CustomLanguageChoice> RunCustomLanguageDialog(QWidget* parent,
                                                            const tCustomLanguage& current,
                                                            const std::function<void(int)>& help) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("TCustomLanguageDlg"));
  dialog.setWindowTitle(QStringLiteral("Select Custom Language"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* group = new QButtonGroup(&dialog);
  for (std::size_t i = 0; i <= kBuiltInLanguages.size(); ++i) {
    auto* radio =
        new QRadioButton(i < kBuiltInLanguages.size() ? ToQt(kBuiltInLanguages[i].radioCaption)
                                                      : ToQt(kUserDefinedCaption),
                         &dialog);
    group->addButton(radio, static_cast<int>(i));
    layout->addWidget(radio);
  }
  auto* form = new QFormLayout();
  auto* name = new QLineEdit(&dialog);
  auto* code = new QLineEdit(&dialog);
  auto* nameLabel = new QLabel(QStringLiteral("&Language"), &dialog);
  auto* codeLabel = new QLabel(QStringLiteral("Language &code"), &dialog);
  nameLabel->setBuddy(name);
  codeLabel->setBuddy(code);
  form->addRow(nameLabel, name);
  form->addRow(codeLabel, code);
  layout->addLayout(form);
  const CustomLanguageChoice initial = CustomLanguageChoice::From(current);
  name->setText(ToQt(initial.name));
  code->setText(ToQt(initial.code));
  const auto showEdits = [=](bool focus) {
    const bool user = group->checkedId() == tCustomLanguage::kUserDefined;
    for (QWidget* widget : {static_cast<QWidget*>(name), static_cast<QWidget*>(code),
                            static_cast<QWidget*>(nameLabel), static_cast<QWidget*>(codeLabel)}) {
      widget->setVisible(user);
    }
    if (user && focus) name->setFocus();
  };
  group->button(initial.index >= 0 && initial.index <= 5 ? initial.index : 0)->setChecked(true);
  showEdits(false);
  QObject::connect(group, &QButtonGroup::idClicked, &dialog, [=](int) { showEdits(true); });

  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setDefault(true);
  buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  QPushButton* helpButton = buttons->addButton(QStringLiteral("&Help"), QDialogButtonBox::HelpRole);
  QObject::connect(helpButton, &QPushButton::clicked, &dialog,
                   [help] { help(kCustomLanguageHelpTopic); });
  layout->addWidget(buttons);

  CustomLanguageChoice choice;
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    choice.index = group->checkedId();
    choice.name = FromQt(name->text());
    choice.code = FromQt(code->text());
    switch (choice.Check()) {
      case CustomLanguageChoice::Problem::EmptyName:
        QApplication::beep();
        name->setFocus();
        return;
      case CustomLanguageChoice::Problem::EmptyCode:
        QApplication::beep();
        code->setFocus();
        return;
      case CustomLanguageChoice::Problem::None:
        dialog.accept();
    }
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return choice;
}

}  // namespace tunedex
