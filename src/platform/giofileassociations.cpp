// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/giofileassociations.h"

#include <gio/gio.h>

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
  return uri && g_app_info_launch_default_for_uri(uri.get(), nullptr, nullptr);
}

}  // namespace tunedex
