// SPDX-License-Identifier: MIT
// The compositor's outputs with their scales, and which of them the window
// is on: the window draws at the finest scale of those, or of them all
// before it is on any. An output can go away at any time (a monitor
// unplugged); it then leaves both lists at once, so nothing points at it.
#pragma once

#include <cstdint>
#include <map>
#include <set>

struct wl_output;

namespace titletype {

class OutputScales {
 public:
  /// The output bound from the global `name`, at scale 1 until it says.
  void add(wl_output* output, uint32_t name) { outputs_[output] = {name, 1}; }
  void set_scale(wl_output* output, int32_t scale);
  /// The output of global `name`, taken out of both lists for the caller
  /// to destroy; null if the global was no output.
  wl_output* remove(uint32_t name);

  /// The window's surface entered or left an output.
  void enter(wl_output* output);
  void leave(wl_output* output) { entered_.erase(output); }

  /// The scale to draw at.
  int scale() const;

  /// Every output, for destroying them at the end.
  template <typename Visit>
  void for_each(Visit visit) const {
    for (const auto& [output, about] : outputs_) visit(output);
  }

 private:
  struct About {
    uint32_t name;
    int scale;
  };
  std::map<wl_output*, About> outputs_;
  std::set<wl_output*> entered_;
};

}  // namespace titletype
