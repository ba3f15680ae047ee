// SPDX-License-Identifier: GPL-3.0-or-later
#include "collation.h"

#include <unicode/ucol.h>

#include <memory>
#include <vector>

#include "common/recordtext.h"
#include "common/usercollator.h"
#include "common/userlocale.h"

namespace tunedex {
namespace {

struct CollatorCloser {
  void operator()(UCollator* collator) const { ucol_close(collator); }
};

}  // namespace

UCollator* UserCollator() {
  static std::unique_ptr<UCollator, CollatorCloser> collator;
  static std::uint32_t generation = 0;
  if (!collator || generation != UserLocaleGeneration()) {
    UErrorCode status = U_ZERO_ERROR;
    collator.reset(ucol_open(UserCollationLocale().c_str(), &status));
    if (U_FAILURE(status)) {
      status = U_ZERO_ERROR;
      collator.reset(ucol_open("", &status));
    }
    ucol_setStrength(collator.get(), UCOL_SECONDARY);
    generation = UserLocaleGeneration();
  }
  return collator.get();
}

int CompareUserText(std::string_view a, std::string_view b) {
  const std::u16string ua = DecodeRecordTextUtf16(a);
  const std::u16string ub = DecodeRecordTextUtf16(b);
  return ucol_strcoll(UserCollator(), ua.data(), static_cast<int32_t>(ua.size()), ub.data(),
                      static_cast<int32_t>(ub.size()));
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return CompareUserText(a, b) == 0;
}

std::string UserSortKey(std::string_view text) {
  const std::u16string utf16 = DecodeRecordTextUtf16(text);
  UCollator* collator = UserCollator();
  uint8_t buffer[512];
  const int32_t needed = ucol_getSortKey(collator, utf16.data(), static_cast<int32_t>(utf16.size()),
                                         buffer, static_cast<int32_t>(sizeof buffer));
  // The key ends with a zero byte; dropping it keeps the byte order and saves a byte.
  if (needed <= 0) return {};
  if (needed <= static_cast<int32_t>(sizeof buffer)) {
    return std::string(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(needed - 1));
  }
  std::string key(static_cast<std::size_t>(needed), '\0');
  ucol_getSortKey(collator, utf16.data(), static_cast<int32_t>(utf16.size()),
                  reinterpret_cast<uint8_t*>(key.data()), needed);
  key.resize(static_cast<std::size_t>(needed - 1));
  return key;
}

}  // namespace tunedex
