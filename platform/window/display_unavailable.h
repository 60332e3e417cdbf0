// SPDX-License-Identifier: MIT
// What a desktop window's backend throws when it finds no display server
// to open its window on, so that the program may play elsewhere.
#pragma once

#include <stdexcept>

namespace titletype {

struct DisplayUnavailable : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace titletype
