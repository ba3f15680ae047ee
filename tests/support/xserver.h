// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>

namespace tunedex::test {

// An Xvfb display of the test's own, optionally with a window manager (openbox), made the
// DISPLAY of the process while it lives.
class TestXServer {
 public:
  explicit TestXServer(bool withWindowManager);
  ~TestXServer();
  TestXServer(const TestXServer&) = delete;
  TestXServer& operator=(const TestXServer&) = delete;

  bool Ready() const { return m_ready; }
  const std::string& Display() const { return m_display; }

 private:
  pid_t m_server = -1;
  pid_t m_windowManager = -1;
  std::string m_display;
  bool m_ready = false;
};

}  // namespace tunedex::test
