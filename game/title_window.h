// SPDX-License-Identifier: MIT
// The window as the game sees it: a title text that can be read back and
// set, and a way to close it, which ends the program. Each platform's host
// provides it; the game needs nothing else of the window.
#pragma once

#include <string_view>

namespace titletype {

class TitleWindow {
 public:
  virtual ~TitleWindow() = default;

  /// The current title text, as last set.
  virtual std::string_view title() const = 0;
  virtual void set_title(std::string_view text) = 0;

  /// Closes the window and ends the program as soon as the running handler
  /// returns; no further handler runs.
  virtual void close() = 0;
};

}  // namespace titletype
