// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <map>

#include "players/desktop.h"

namespace tunedex {

// Which of Tunedex's own windows answers the player's switch-back (Shift+F10 while a window
// that played a song owns the player) in a way of its own: a window registers a handler when
// it is created and unregisters it when it goes. A window without one is simply brought back.
class SwitchBackRegistry {
 public:
  void Register(WindowHandle window, std::function<void()> handler);
  void Unregister(WindowHandle window);
  bool Has(WindowHandle window) const { return m_handlers.count(window) != 0; }
  // Runs the window's handler; false when it has none.
  bool Deliver(WindowHandle window) const;

 private:
  std::map<WindowHandle, std::function<void()>> m_handlers;
};

// Registers a window's handler for as long as it lives.
class SwitchBackRegistration {
 public:
  SwitchBackRegistration(SwitchBackRegistry& registry, WindowHandle window,
                         std::function<void()> handler)
      : m_registry(registry), m_window(window) {
    m_registry.Register(window, std::move(handler));
  }
  ~SwitchBackRegistration() { m_registry.Unregister(m_window); }
  SwitchBackRegistration(const SwitchBackRegistration&) = delete;
  SwitchBackRegistration& operator=(const SwitchBackRegistration&) = delete;

 private:
  SwitchBackRegistry& m_registry;
  WindowHandle m_window;
};

}  // namespace tunedex
