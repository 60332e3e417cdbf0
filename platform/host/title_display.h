// SPDX-License-Identifier: MIT
// Where a backend shows the title that the game set: a window's title bar,
// a terminal's top line, a browser tab, or a recorded timeline.
#pragma once

#include <string_view>

namespace titletype {

class TitleDisplay {
 public:
  virtual ~TitleDisplay() = default;
  /// Called after each handler that changed the title, with the new one.
  virtual void show_title(std::string_view title) = 0;
};

}  // namespace titletype
