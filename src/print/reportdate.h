// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>

namespace tunedex {

// The two date texts a printed report shows, in the user's language.
class DateFormats {
 public:
  virtual ~DateFormats() = default;
  virtual std::string FullWeekdayName(std::chrono::year_month_day date) = 0;
  virtual std::string ShortDate(std::chrono::year_month_day date) = 0;
};

// DateFormats through ICU in one locale.
class IcuDateFormats : public DateFormats {
 public:
  // icuLocale as ICU names it ("sv_SE", "en_US"); empty is ICU's root locale.
  explicit IcuDateFormats(std::string icuLocale);
  std::string FullWeekdayName(std::chrono::year_month_day date) override;
  std::string ShortDate(std::chrono::year_month_day date) override;

 private:
  std::string Format(std::chrono::year_month_day date, bool weekday);

  std::string m_locale;
};

// The locale dates are written in: LC_ALL, LC_TIME, LANG, in that order of precedence; English
// when none names a language.
std::string UserDateLocale();

// The report's date: the full weekday name, a blank and the short date ("Thursday 12/10/26").
std::string ReportDateText(DateFormats& formats, std::chrono::year_month_day date);

}  // namespace tunedex
