// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tunedex {

enum class MessageKind { Error, Warning, Information, Confirmation };

enum class Button { Ok, Cancel, Yes, No, Abort, Retry, Ignore, All, YesToAll, NoToAll, Help };

std::string_view ButtonName(Button button);  // "OK", "Cancel", "Yes", ...

struct FileFilter {
  std::string name;                   // "Tunedex database"
  std::vector<std::string> patterns;  // "*.tdb"
};

struct FileDialogRequest {
  std::string title;
  std::vector<FileFilter> filters;
  std::string folder;              // where the dialog starts; empty for the toolkit's choice
  std::string fileName;            // proposed name
  std::string defaultExtension;    // added to a typed name without one ("tdb")
  std::size_t selectedFilter = 0;  // the entry of filters chosen at the start
};

// Everything the core asks of the user or tells the user goes through this interface: the
// window program shows dialogs, the command-line program prints, tests script the answers.
class UserInteraction {
 public:
  virtual ~UserInteraction() = default;

  // A modal message box; "\r" in text is a line break. Returns the button chosen, one of
  // buttons (the first of them when the box is closed without a choice).
  virtual Button ShowMessage(MessageKind kind, std::string_view text,
                             std::initializer_list<Button> buttons) = 0;

  // The chosen path, or nothing when the dialog is cancelled.
  virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;

  // One line of text, or nothing when cancelled.
  virtual std::optional<std::string> AskText(std::string_view caption, std::string_view prompt,
                                             std::string_view initial) = 0;

  // Long work reports how far it got; the window keeps itself responsive here. Returns false
  // when the user asked to stop, which the loop then honours.
  virtual bool Progress(std::int64_t count, std::string_view text) = 0;

  // Shorthands.
  void ShowError(std::string_view text) { ShowMessage(MessageKind::Error, text, {Button::Ok}); }
  void ShowWarning(std::string_view text) { ShowMessage(MessageKind::Warning, text, {Button::Ok}); }
  void ShowInformation(std::string_view text) {
    ShowMessage(MessageKind::Information, text, {Button::Ok});
  }
};

// Passes everything on to another user; a subclass changes what it must (a message's text, an
// answer given without asking).
class ForwardingUser : public UserInteraction {
 public:
  explicit ForwardingUser(UserInteraction& inner) : m_inner(inner) {}

  Button ShowMessage(MessageKind kind, std::string_view text,
                     std::initializer_list<Button> buttons) override {
    return m_inner.ShowMessage(kind, text, buttons);
  }
  std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override {
    return m_inner.AskOpenFile(request);
  }
  std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override {
    return m_inner.AskSaveFile(request);
  }
  std::optional<std::string> AskText(std::string_view caption, std::string_view prompt,
                                     std::string_view initial) override {
    return m_inner.AskText(caption, prompt, initial);
  }
  bool Progress(std::int64_t count, std::string_view text) override {
    return m_inner.Progress(count, text);
  }

 private:
  UserInteraction& m_inner;
};

// Shows nothing and answers every question with its first button or "cancel"; for work that
// runs without anyone to ask (benchmarks, fuzzing).
class SilentUser : public UserInteraction {
 public:
  Button ShowMessage(MessageKind, std::string_view,
                     std::initializer_list<Button> buttons) override {
    return buttons.size() > 0 ? *buttons.begin() : Button::Ok;
  }
  std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> AskText(std::string_view, std::string_view,
                                     std::string_view) override {
    return {};
  }
  bool Progress(std::int64_t, std::string_view) override { return true; }
};

}  // namespace tunedex
