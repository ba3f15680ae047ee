// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/clock.h"

namespace tunedex {

// A top-level window of the desktop (on X11 the id of a client window); 0 is none.
using WindowHandle = std::uint64_t;

// The desktop's windows as player control needs them.
class Desktop {
 public:
  virtual ~Desktop() = default;

  // Every top-level window, in the desktop's order.
  virtual std::vector<WindowHandle> TopLevelWindows() = 0;
  virtual std::string WindowClass(WindowHandle window) = 0;
  virtual std::string WindowCaption(WindowHandle window) = 0;
  virtual bool WindowExists(WindowHandle window) = 0;
  virtual bool IsVisible(WindowHandle window) = 0;
  virtual bool IsMinimised(WindowHandle window) = 0;
  // The window a window belongs to (a dialog's main window), or 0.
  virtual WindowHandle OwnerOf(WindowHandle window) = 0;
  virtual WindowHandle ForegroundWindow() = 0;
  // Restores a minimised window and makes it the active one.
  virtual void BringToFront(WindowHandle window) = 0;
  // Asks the window to close and waits until the request was delivered.
  virtual void CloseWindow(WindowHandle window) = 0;
  // Hands one file to the window as a dropped file; false when nothing could be handed over.
  virtual bool DropFile(WindowHandle window, const std::string& path) = 0;
  // Asks one of Tunedex's own windows to come back to the front (the switch-back message).
  virtual void PostSwitchBack(WindowHandle window) = 0;
};

// Starting programs and the desktop's choice of program for a file type.
class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Starts program with argument as its one argument (none when empty); an empty program opens
  // the argument with the desktop's default application. False when it cannot be started.
  virtual bool StartProgram(const std::string& program, const std::string& argument) = 0;
  // The full path of the program the desktop opens files with this extension with, or empty.
  virtual std::string AssociatedProgram(const std::string& extension) = 0;
};

}  // namespace tunedex
