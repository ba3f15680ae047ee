// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/savetemporary.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <limits>
#include <mutex>
#include <random>
#include <utility>

#include "common/fileio.h"

namespace tunedex {
namespace {

constexpr std::string_view kTag = ".saving-";
constexpr std::size_t kRandomLength = 6;
// The target's name is cut to this many bytes in the temporary's, so that the temporary's
// name stays within NAME_MAX: "." + name + ".saving-" + 10 digits + "-" + 6 characters.
constexpr std::size_t kLongestStem = NAME_MAX - 1 - kTag.size() - 10 - 1 - kRandomLength;

std::string_view Stem(std::string_view targetName) {
  return targetName.substr(0, kLongestStem);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

std::string RandomPart() {
  static constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}()};
  std::string part;
  for (std::size_t i = 0; i < kRandomLength; ++i) part += kLetters[random() % kLetters.size()];
  return part;
}

bool ProcessRuns(pid_t pid) {
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

// ---------------------------------------------------------------------------------------------
// Removing the temporaries when a signal ends the process. The handler may only use what is
// safe in a signal handler: lock-free atomics, unlink, sigaction and raise.

constexpr std::array kEndingSignals = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kSlots = 16;  // saves at the same time that a signal cleans up after

struct Slot {
  std::atomic<bool> claimed{false};  // by a save
  std::atomic<bool> live{false};     // path names a file to remove when a signal ends the process
  char path[PATH_MAX] = {};
};
Slot g_slots[kSlots];

extern "C" void RemoveTemporariesAndEnd(int signal) {
  for (Slot& slot : g_slots) {
    if (slot.live.load(std::memory_order_acquire)) ::unlink(slot.path);
  }
  struct sigaction fallback {};
  fallback.sa_handler = SIG_DFL;
  sigemptyset(&fallback.sa_mask);
  ::sigaction(signal, &fallback, nullptr);
  // Blocked while this handler runs, the signal ends the process as it returns.
  ::raise(signal);
}

// While any save runs, each ending signal that would end the process without a word gets the
// handler above, and a file-size limit makes the write fail (EFBIG) instead of ending the
// process. A signal the program handles or ignores is left as it is.
class SignalGuard {
 public:
  void Enter() {
    const std::lock_guard lock(m_mutex);
    if (m_saves++ > 0) return;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
      m_ours[i] = ReplaceDefault(kEndingSignals[i], RemoveTemporariesAndEnd, m_previous[i]);
    }
    m_sizeLimitIgnored = ReplaceDefault(SIGXFSZ, SIG_IGN, m_sizeLimitPrevious);
  }

  void Leave() {
    const std::lock_guard lock(m_mutex);
    if (--m_saves > 0) return;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
      if (m_ours[i]) Restore(kEndingSignals[i], RemoveTemporariesAndEnd, m_previous[i]);
    }
    if (m_sizeLimitIgnored) Restore(SIGXFSZ, SIG_IGN, m_sizeLimitPrevious);
  }

 private:
  static bool ReplaceDefault(int signal, void (*handler)(int), struct sigaction& previous) {
    if (::sigaction(signal, nullptr, &previous) != 0 || (previous.sa_flags & SA_SIGINFO) != 0 ||
        previous.sa_handler != SIG_DFL) {
      return false;
    }
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    return ::sigaction(signal, &action, nullptr) == 0;
  }

  // Puts the previous action back unless someone else changed it meanwhile.
  static void Restore(int signal, void (*handler)(int), const struct sigaction& previous) {
    struct sigaction current {};
    if (::sigaction(signal, nullptr, &current) == 0 && (current.sa_flags & SA_SIGINFO) == 0 &&
        current.sa_handler == handler) {
      ::sigaction(signal, &previous, nullptr);
    }
  }

  std::mutex m_mutex;
  int m_saves = 0;
  std::array<bool, kEndingSignals.size()> m_ours{};
  std::array<struct sigaction, kEndingSignals.size()> m_previous{};
  bool m_sizeLimitIgnored = false;
  struct sigaction m_sizeLimitPrevious {};
};

SignalGuard g_signals;

int ClaimSlot() {
  for (std::size_t i = 0; i < kSlots; ++i) {
    bool expected = false;
    if (g_slots[i].claimed.compare_exchange_strong(expected, true)) return static_cast<int>(i);
  }
  return -1;  // too many saves at once: a file left by a signal goes with the next save
}

}  // namespace

std::optional<pid_t> SaveTemporaryOwner(std::string_view fileName, std::string_view targetName) {
  const std::string_view stem = Stem(targetName);
  if (fileName.size() < 1 + stem.size() + kTag.size() || fileName[0] != '.' ||
      fileName.substr(1, stem.size()) != stem ||
      fileName.substr(1 + stem.size(), kTag.size()) != kTag) {
    return std::nullopt;
  }
  std::string_view rest = fileName.substr(1 + stem.size() + kTag.size());
  const std::size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 10 ||
      rest.size() != dash + 1 + kRandomLength) {
    return std::nullopt;
  }
  std::int64_t pid = 0;
  for (const char digit : rest.substr(0, dash)) {
    if (digit < '0' || digit > '9') return std::nullopt;
    pid = pid * 10 + (digit - '0');
  }
  if (pid > std::numeric_limits<pid_t>::max()) return std::nullopt;
  for (const char letter : rest.substr(dash + 1)) {
    if (!std::isalnum(static_cast<unsigned char>(letter))) return std::nullopt;
  }
  if (pid <= 0) return std::nullopt;
  return static_cast<pid_t>(pid);
}

int RemoveStaleSaveTemporaries(const std::string& target) {
  const std::string folder = FolderOf(target);
  const std::string targetName = NameOf(target);
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return 0;
  int removed = 0;
  while (const dirent* entry = ::readdir(listing)) {
    const std::optional<pid_t> owner = SaveTemporaryOwner(entry->d_name, targetName);
    if (!owner || *owner == ::getpid() || ProcessRuns(*owner)) continue;
    const std::string path = folder + "/" + entry->d_name;
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::unlink(path.c_str()) == 0) {
      ++removed;
    }
  }
  ::closedir(listing);
  return removed;
}

SaveTemporary::SaveTemporary(const std::string& target, std::optional<mode_t> targetMode,
                             const std::string& shownPath)
    : m_target(target), m_shownPath(shownPath) {
  RemoveStaleSaveTemporaries(target);
  const std::string prefix = FolderOf(target) + "/." + std::string(Stem(NameOf(target))) +
                             std::string(kTag) + std::to_string(::getpid()) + "-";
  if (prefix.size() + kRandomLength >= PATH_MAX) {
    throw FileError("Cannot write", shownPath, std::strerror(ENAMETOOLONG), ENAMETOOLONG);
  }
  g_signals.Enter();
  m_guarded = true;
  m_slot = ClaimSlot();
  const mode_t mode = targetMode.value_or(0666);
  for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
    m_path = prefix + RandomPart();
    // Named for the handler before the file exists: a file of this name, with this process's
    // number in it, can only be this save's or a dead process's, never another's.
    if (m_slot >= 0) {
      Slot& slot = g_slots[m_slot];
      slot.live.store(false, std::memory_order_release);
      std::memcpy(slot.path, m_path.c_str(), m_path.size() + 1);
      slot.live.store(true, std::memory_order_release);
    }
    m_fd = ::open(m_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (m_fd < 0 && errno != EEXIST) break;
  }
  if (m_fd < 0) {
    const int error = errno;
    m_done = true;  // nothing to remove
    Release();
    throw FileError("Cannot write", shownPath, std::strerror(error), error);
  }
  // The umask may have taken bits the target has. The file system may refuse the change (some
  // decide every file's mode themselves); the file then keeps fewer rights, never more.
  struct stat info {};
  if (targetMode && ::fstat(m_fd, &info) == 0 && (info.st_mode & 07777) != *targetMode) {
    (void)::fchmod(m_fd, *targetMode);
  }
}

SaveTemporary::~SaveTemporary() {
  Release();
}

void SaveTemporary::Release() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  if (!m_done) ::unlink(m_path.c_str());
  m_done = true;
  if (m_slot >= 0) {
    g_slots[m_slot].live.store(false, std::memory_order_release);
    g_slots[m_slot].claimed.store(false, std::memory_order_release);
    m_slot = -1;
  }
  if (m_guarded) g_signals.Leave();
  m_guarded = false;
}

void SaveTemporary::ReplaceTarget() {
  const auto fail = [&](int error) {
    throw FileError("Cannot write", m_shownPath, std::strerror(error), error);
  };
  if (::fsync(m_fd) != 0) fail(errno);
  const int fd = std::exchange(m_fd, -1);
  if (::close(fd) != 0) fail(errno);
  if (::rename(m_path.c_str(), m_target.c_str()) != 0) fail(errno);
  m_done = true;
  Release();
}

}  // namespace tunedex
