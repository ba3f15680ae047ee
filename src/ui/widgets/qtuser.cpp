// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtuser.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace tunedex {

namespace {

// How long an unattended message box stays up before it is answered: time for it to be mapped
// and painted on the screen.
constexpr int kUnattendedBoxMs = 300;

std::function<void(QWidget&)>& UnattendedBoxShown() {
  static std::function<void(QWidget&)> boxShown;
  return boxShown;
}

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Error:
      return QMessageBox::Critical;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Confirmation:
      return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole RoleOf(Button button) {
  switch (button) {
    case Button::Ok:
    case Button::Yes:
    case Button::All:
    case Button::YesToAll:
      return QMessageBox::AcceptRole;
    case Button::No:
    case Button::NoToAll:
      return QMessageBox::NoRole;
    case Button::Cancel:
    case Button::Abort:
      return QMessageBox::RejectRole;
    case Button::Help:
      return QMessageBox::HelpRole;
    default:
      return QMessageBox::ActionRole;
  }
}

QString DialogFolder(const FileDialogRequest& request) {
  QString folder = ToQt(request.folder);
  if (!request.fileName.empty()) {
    folder = folder.isEmpty() ? ToQt(request.fileName) : folder + u'/' + ToQt(request.fileName);
  }
  return folder;
}

std::optional<std::string> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                         bool save) {
  if (Unattended()) return {};
  QFileDialog dialog(parent, ToQt(request.title), DialogFolder(request),
                     QtFileFilter(request.filters));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::ReadOnly, false);
  if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(ToQt(request.defaultExtension));
  if (request.selectedFilter < request.filters.size()) {
    dialog.selectNameFilter(QtFileFilter({request.filters[request.selectedFilter]}));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return FromQt(dialog.selectedFiles().constFirst());
}

}  // namespace

void SetUnattended(std::function<void(QWidget& box)> boxShown) {
  UnattendedBoxShown() = std::move(boxShown);
}

bool Unattended() {
  return static_cast<bool>(UnattendedBoxShown());
}

QString QtFileFilter(const std::vector<FileFilter>& filters) {
  QStringList parts;
  for (const FileFilter& filter : filters) {
    QStringList patterns;
    for (const std::string& pattern : filter.patterns) patterns << ToQt(pattern);
    parts << ToQt(filter.name) + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return parts.join(QStringLiteral(";;"));
}

Button ShowMessageBox(QWidget* parent, MessageKind kind, std::string_view text,
                      std::initializer_list<Button> buttons, std::optional<QPoint> topLeft) {
  QMessageBox box(parent);
  box.setIcon(IconOf(kind));
  box.setWindowTitle(QApplication::applicationName());
  box.setText(ToQt(text).replace(u'\r', u'\n'));
  std::vector<std::pair<QAbstractButton*, Button>> made;
  for (Button button : buttons) {
    QPushButton* widget = box.addButton(ToQt(ButtonName(button)), RoleOf(button));
    made.emplace_back(widget, button);
  }
  if (!made.empty()) box.setDefaultButton(static_cast<QPushButton*>(made.front().first));
  if (topLeft) box.move(*topLeft);  // a moved box keeps its place when shown
  if (Unattended()) {
    QTimer::singleShot(kUnattendedBoxMs, &box, [&box] {
      // The function is copied: the one called may end unattended running.
      if (const std::function<void(QWidget&)> shown = UnattendedBoxShown()) shown(box);
      if (QAbstractButton* answer = box.defaultButton()) {
        answer->click();
      } else {
        box.close();
      }
    });
  }
  box.exec();
  for (const auto& [widget, button] : made) {
    if (box.clickedButton() == widget) return button;
  }
  // Closed without a choice: the cancelling button when there is one, else the first.
  for (Button button : buttons) {
    if (button == Button::Cancel || button == Button::No) return button;
  }
  return buttons.size() > 0 ? *buttons.begin() : Button::Ok;
}

Button QtUser::ShowMessage(MessageKind kind, std::string_view text,
                           std::initializer_list<Button> buttons) {
  return ShowMessageBox(m_parent, kind, text, buttons);
}

std::optional<std::string> QtUser::AskOpenFile(const FileDialogRequest& request) {
  return RunFileDialog(m_parent, request, false);
}

std::optional<std::string> QtUser::AskSaveFile(const FileDialogRequest& request) {
  return RunFileDialog(m_parent, request, true);
}

std::optional<std::string> QtUser::AskText(std::string_view caption, std::string_view prompt,
                                           std::string_view initial) {
  if (Unattended()) return {};
  bool ok = false;
  const QString text = QInputDialog::getText(m_parent, ToQt(caption), ToQt(prompt),
                                             QLineEdit::Normal, ToQt(initial), &ok);
  if (!ok) return {};
  return FromQt(text);
}

bool QtUser::Progress(std::int64_t, std::string_view) {
  QApplication::processEvents();
  return true;
}

}  // namespace tunedex
