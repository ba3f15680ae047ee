// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/reportdate.h"

#include <unicode/ucal.h>
#include <unicode/udat.h>

#include <cstdlib>
#include <memory>

#include "common/recordtext.h"
#include "common/userlocale.h"

namespace tunedex {
namespace {

struct DateFormatCloser {
  void operator()(UDateFormat* format) const { udat_close(format); }
};

// The date at noon UTC, so that no time zone moves it to another day.
UDate NoonOf(std::chrono::year_month_day date) {
  const std::chrono::sys_days days(date);
  const auto noon = days + std::chrono::hours(12);
  return static_cast<UDate>(
      std::chrono::duration_cast<std::chrono::milliseconds>(noon.time_since_epoch()).count());
}

std::string ToUtf8(const UChar* text, int32_t length) {
  std::string out;
  out.reserve(static_cast<std::size_t>(length));
  for (int32_t i = 0; i < length; ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < length) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    }
    AppendUtf8(out, c);
  }
  return out;
}

}  // namespace

IcuDateFormats::IcuDateFormats(std::string icuLocale) : m_locale(std::move(icuLocale)) {}

std::string IcuDateFormats::FullWeekdayName(std::chrono::year_month_day date) {
  return Format(date, true);
}

std::string IcuDateFormats::ShortDate(std::chrono::year_month_day date) {
  return Format(date, false);
}

std::string IcuDateFormats::Format(std::chrono::year_month_day date, bool weekday) {
  static const UChar kUtc[] = u"UTC";
  static const UChar kWeekday[] = u"EEEE";
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<UDateFormat, DateFormatCloser> format(
      weekday
          ? udat_open(UDAT_PATTERN, UDAT_PATTERN, m_locale.c_str(), kUtc, -1, kWeekday, -1, &status)
          : udat_open(UDAT_NONE, UDAT_SHORT, m_locale.c_str(), kUtc, -1, nullptr, 0, &status));
  if (U_FAILURE(status)) return {};
  UChar buffer[128];
  const int32_t length = udat_format(format.get(), NoonOf(date), buffer, 128, nullptr, &status);
  if (U_FAILURE(status)) return {};
  return ToUtf8(buffer, length);
}

std::string UserDateLocale() {
  for (const char* name : {"LC_ALL", "LC_TIME", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      std::string locale = IcuLocaleFromPosix(value);
      // "C" and "POSIX" name no language: dates are then written in English.
      return locale.empty() ? "en" : locale;
    }
  }
  return "en";
}

std::string ReportDateText(DateFormats& formats, std::chrono::year_month_day date) {
  return formats.FullWeekdayName(date) + " " + formats.ShortDate(date);
}

}  // namespace tunedex
