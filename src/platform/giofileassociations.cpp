// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/giofileassociations.h"

#include <fcntl.h>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <unistd.h>

#include <memory>

namespace tunedex {
namespace {

struct GFreeDeleter {
  void operator()(gchar* text) const { g_free(text); }
};
struct GObjectDeleter {
  void operator()(gpointer object) const { g_object_unref(object); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;

}  // namespace

std::string DefaultProgramForExtension(const std::string& extension) {
  if (extension.empty()) return {};
  gboolean uncertain = FALSE;
  const GText type(g_content_type_guess(("file." + extension).c_str(), nullptr, 0, &uncertain));
  if (!type) return {};
  const std::unique_ptr<GAppInfo, GObjectDeleter> app(
      g_app_info_get_default_for_type(type.get(), FALSE));
  if (!app) return {};
  const char* executable = g_app_info_get_executable(app.get());
  if (executable == nullptr || *executable == '\0') return {};
  const GText path(g_find_program_in_path(executable));
  return path ? std::string(path.get()) : std::string();
}

bool OpenWithDefaultApplication(const std::string& path) {
  const GText uri(g_filename_to_uri(path.c_str(), nullptr, nullptr));
  if (!uri) return false;
  const std::unique_ptr<GFile, GObjectDeleter> file(g_file_new_for_path(path.c_str()));
  const std::unique_ptr<GAppInfo, GObjectDeleter> app(
      g_file_query_default_handler(file.get(), nullptr, nullptr));
  if (!app) return false;
  GList uris{uri.get(), nullptr, nullptr};
  if (!G_IS_DESKTOP_APP_INFO(app.get())) {
    return g_app_info_launch_uris(app.get(), &uris, nullptr, nullptr);
  }
  // Started like any player: /dev/null as its standard files and a session of its own.
  const int nothing = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  const gboolean launched = g_desktop_app_info_launch_uris_as_manager_with_fds(
      G_DESKTOP_APP_INFO(app.get()), &uris, nullptr, G_SPAWN_SEARCH_PATH,
      [](gpointer) { ::setsid(); }, nullptr, nullptr, nullptr, nothing, nothing, nothing, nullptr);
  if (nothing >= 0) ::close(nothing);
  return launched;
}

}  // namespace tunedex
