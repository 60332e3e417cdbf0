// SPDX-License-Identifier: MIT
#include "platform/wayland/output_scales.h"

#include <algorithm>

namespace titletype {

void OutputScales::set_scale(wl_output* output, int32_t scale) {
  if (const auto it = outputs_.find(output); it != outputs_.end()) {
    it->second.scale = scale > 0 ? scale : 1;
  }
}

wl_output* OutputScales::remove(uint32_t name) {
  for (auto it = outputs_.begin(); it != outputs_.end(); ++it) {
    if (it->second.name == name) {
      wl_output* output = it->first;
      entered_.erase(output);
      outputs_.erase(it);
      return output;
    }
  }
  return nullptr;
}

void OutputScales::enter(wl_output* output) {
  if (outputs_.contains(output)) entered_.insert(output);
}

int OutputScales::scale() const {
  int scale = 1;
  for (const auto& [output, about] : outputs_) {
    if (entered_.empty() || entered_.contains(output)) scale = std::max(scale, about.scale);
  }
  return scale;
}

}  // namespace titletype
