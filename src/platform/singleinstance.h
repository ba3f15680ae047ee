// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace tunedex {

// Keeps a second copy of Tunedex from running: the first copy holds a lock file and listens on
// a local socket; a second copy finds the lock held, asks the first through the socket to
// bring its window back (and to open the file it was started with), and ends. A lock left by a dead
// copy is free again (the system drops it with the process), and a first copy that does not answer
// in time lets the new one run.
class SingleInstance {
 public:
  enum class Role {
    Primary,          // this is the only copy; it answers the others
    AnotherAnswered,  // a running copy was asked to come to the front: end at once
    RunAnyway,        // a copy holds the lock but did not answer
  };

  // The lock and the socket live in folder: $XDG_RUNTIME_DIR, else a private folder of the
  // user's in the temporary folder.
  explicit SingleInstance(std::string folder = DefaultFolder());
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // file: an absolute path the running copy is asked to open, or empty.
  Role Check(int answerTimeoutMs = 2000, const std::string& file = {});

  // The listening socket of the first copy (-1 otherwise), for the window program to watch.
  int Fd() const { return m_listener; }
  // What the copies that asked want: the window back, and the files they were started with.
  struct Requests {
    bool raise = false;
    std::vector<std::string> files;
  };
  // Answers the copies that asked.
  Requests TakeRequests();

  static std::string DefaultFolder();

 private:
  std::string m_folder;
  int m_lock = -1;
  int m_listener = -1;
};

}  // namespace tunedex
