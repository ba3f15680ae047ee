// SPDX-License-Identifier: GPL-3.0-or-later
#include "players/switchbackregistry.h"

namespace tunedex {

void SwitchBackRegistry::Register(WindowHandle window, std::function<void()> handler) {
  if (window == 0 || !handler) return;
  m_handlers[window] = std::move(handler);
}

void SwitchBackRegistry::Unregister(WindowHandle window) {
  m_handlers.erase(window);
}

bool SwitchBackRegistry::Deliver(WindowHandle window) const {
  const auto it = m_handlers.find(window);
  if (it == m_handlers.end()) return false;
  // A copy: the handler may close its window, which unregisters it.
  const std::function<void()> handler = it->second;
  handler();
  return true;
}

}  // namespace tunedex
