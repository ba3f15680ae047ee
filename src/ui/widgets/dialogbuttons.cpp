// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogbuttons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace tunedex {

OkCancelButtons AddOkCancelRow(QDialog& dialog, QBoxLayout& layout, QWidget* leading) {
  auto* row = new QHBoxLayout;
  if (leading != nullptr) row->addWidget(leading);
  OkCancelButtons buttons;
  buttons.ok = new QPushButton(QStringLiteral("OK"), &dialog);
  buttons.ok->setDefault(true);
  buttons.cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
  buttons.cancel->setAutoDefault(false);
  row->addStretch();
  row->addWidget(buttons.ok);
  row->addWidget(buttons.cancel);
  layout.addLayout(row);
  QObject::connect(buttons.ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return buttons;
}

}  // namespace tunedex
