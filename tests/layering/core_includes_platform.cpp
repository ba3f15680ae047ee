// SPDX-License-Identifier: GPL-3.0-or-later
// Must not compile: core code sees only the core's headers.
#include "catalogue/catalogue.h"
#include "platform/x11desktop.h"
