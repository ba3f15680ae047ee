// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <optional>

#include "common/userinteraction.h"

class QWidget;

namespace tunedex {

inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text) {
  return text.toUtf8().toStdString();
}

// Filters in the toolkit's syntax: "Song files (*.kar *.st3);;MP3 files (*.mp3)".
QString QtFileFilter(const std::vector<FileFilter>& filters);

// Unattended running (the window program's screenshot mode), for the whole program: nobody is
// there to answer, so each message box is shown for a moment, handed to boxShown (which may
// take its picture) and answered with its default button, the first; file dialogs and text
// questions are cancelled without being shown. An empty function ends it.
void SetUnattended(std::function<void(QWidget& box)> boxShown);
bool Unattended();

// The user of the window program: message boxes, file dialogs and input boxes over a parent
// window. "\r" in a message is a line break.
// A message box with the named buttons; closed without a choice it answers Cancel or No when
// offered, else the first button. topLeft: where on the screen the box goes; none: centred.
Button ShowMessageBox(QWidget* parent, MessageKind kind, std::string_view text,
                      std::initializer_list<Button> buttons,
                      std::optional<QPoint> topLeft = std::nullopt);

class QtUser final : public UserInteraction {
 public:
  explicit QtUser(QWidget* parent = nullptr) : m_parent(parent) {}
  void SetParent(QWidget* parent) { m_parent = parent; }

  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button> buttons) override;
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
  std::optional<std::string> AskText(std::string_view caption, std::string_view prompt,
                                     std::string_view initial) override;
  bool Progress(std::int64_t count, std::string_view text) override;

 private:
  QWidget* m_parent;
};

}  // namespace tunedex
