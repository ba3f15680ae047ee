// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <xcb/xcb.h>

#include <string>

namespace tunedex {

// Hands a file to a window as a drop, by the XDND protocol (version min(5, the target's), the
// data a text/uri-list), as a drag source without a mouse. The session runs on a connection and
// a thread of its own, so it can answer the target's requests for the data for as long as it
// asks (a few seconds at most) without holding anything up. False, and nothing is sent, when
// the window does not take drops.
bool StartXdndDrop(xcb_window_t target, const std::string& path);

// Waits until the drop sessions have ended, at most timeoutMs milliseconds; false on time-out.
bool WaitForXdndSessions(int timeoutMs);

}  // namespace tunedex
