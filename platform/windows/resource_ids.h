// SPDX-License-Identifier: MIT
// Numbers shared by the resource script and the code that loads from it.
#pragma once

#define TITLETYPE_ICON 1
