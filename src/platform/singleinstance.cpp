// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/singleinstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace tunedex {
namespace {

constexpr std::string_view kRaise = "raise\n";
constexpr std::string_view kOpen = "open ";
constexpr char kAnswer[] = "ok\n";
constexpr int kClientReadMs = 200;
// The longest request read: "open ", a path the system accepts, the line end.
constexpr std::size_t kLongestRequest = 5 + 4096 + 1;

bool SocketAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size());
  return true;
}

// Waits up to timeoutMs for fd to become ready for events.
bool WaitFor(int fd, short events, int timeoutMs) {
  pollfd entry{fd, events, 0};
  int ready = 0;
  do {
    ready = ::poll(&entry, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

}  // namespace

std::string SingleInstance::DefaultFolder() {
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime == '/') {
    return runtime;
  }
  const std::string folder = "/tmp/tunedex-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  struct stat info {};
  // Only a folder of the user's own that nobody else may enter is used.
  if (::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
      (info.st_mode & 077) == 0) {
    return folder;
  }
  return {};
}

SingleInstance::SingleInstance(std::string folder) : m_folder(std::move(folder)) {}

SingleInstance::~SingleInstance() {
  if (m_listener >= 0) {
    ::close(m_listener);
    ::unlink((m_folder + "/tunedex.socket").c_str());
  }
  if (m_lock >= 0) ::close(m_lock);
}

SingleInstance::Role SingleInstance::Check(int answerTimeoutMs, const std::string& file) {
  if (m_folder.empty()) return Role::RunAnyway;
  const std::string socketPath = m_folder + "/tunedex.socket";
  m_lock = ::open((m_folder + "/tunedex.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_lock < 0) return Role::RunAnyway;
  sockaddr_un address{};
  if (!SocketAddress(socketPath, address)) return Role::RunAnyway;

  if (::flock(m_lock, LOCK_EX | LOCK_NB) == 0) {
    ::unlink(socketPath.c_str());  // left by a copy that died
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (m_listener >= 0 &&
        (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
         ::listen(m_listener, 8) != 0)) {
      ::close(m_listener);
      m_listener = -1;
    }
    return Role::Primary;
  }

  // Another copy holds the lock: ask it to come to the front (and open the file).
  const std::string request = file.empty() ? std::string(kRaise) : std::string(kOpen) + file + "\n";
  if (request.size() > kLongestRequest || file.find('\n') != std::string::npos) {
    return Role::RunAnyway;
  }
  const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (client < 0) return Role::RunAnyway;
  bool answered = false;
  if (::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::send(client, request.data(), request.size(), MSG_NOSIGNAL) ==
          static_cast<ssize_t>(request.size()) &&
      WaitFor(client, POLLIN, answerTimeoutMs)) {
    char reply[8] = {};
    answered = ::recv(client, reply, sizeof reply - 1, 0) > 0 && std::strcmp(reply, kAnswer) == 0;
  }
  ::close(client);
  return answered ? Role::AnotherAnswered : Role::RunAnyway;
}

namespace {

// One request line from a copy, read within the time a request may take; empty when it did
// not come whole.
std::string ReadRequest(int client) {
  std::string request;
  char buffer[1024];
  while (request.size() <= kLongestRequest && WaitFor(client, POLLIN, kClientReadMs)) {
    const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.append(buffer, static_cast<std::size_t>(got));
    if (request.back() == '\n') return request;
  }
  return {};
}

}  // namespace

SingleInstance::Requests SingleInstance::TakeRequests() {
  Requests requests;
  if (m_listener < 0) return requests;
  for (;;) {
    const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) break;
    const std::string request = ReadRequest(client);
    bool understood = request == kRaise;
    if (request.starts_with(kOpen) && request.size() > kOpen.size() + 1) {
      std::string file = request.substr(kOpen.size(), request.size() - kOpen.size() - 1);
      // Only absolute paths without line breaks or NULs: anything else is not a request.
      if (file.front() == '/' && file.find('\n') == std::string::npos &&
          file.find('\0') == std::string::npos) {
        requests.files.push_back(std::move(file));
        understood = true;
      }
    }
    if (understood) {
      requests.raise = true;
      ::send(client, kAnswer, sizeof kAnswer - 1, MSG_NOSIGNAL);
    }
    ::close(client);
  }
  return requests;
}

}  // namespace tunedex
