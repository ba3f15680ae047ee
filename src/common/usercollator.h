// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unicode/ucol.h>

namespace tunedex {

// The ICU collator of the current user locale at secondary strength, opened again when the
// locale changes. An unknown locale falls back to the root collation, which ICU carries in its
// own data. For the code that compares user texts; others use collation.h.
UCollator* UserCollator();

}  // namespace tunedex
