// SPDX-License-Identifier: MIT
// weston as a window of the tests' X server, from which it takes its keys,
// with a runtime folder of its own (the owner's alone, as Wayland asks)
// that goes with it.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "tests/harness/x_session.h"

namespace titletype::e2e {

class Weston {
 public:
  /// A compositor whose screen is `width` x `height`.
  Weston(XSession& x, int width, int height) : folder_("weston") {
    const std::string dir = folder_.path().string();
    env_ = {{"XDG_RUNTIME_DIR", dir}, {"WAYLAND_DISPLAY", "titletype"}};
    weston_ =
        x.start_game("weston",
                     {"--backend=x11-backend.so", "--socket=titletype", "--idle-time=0",
                      "--width=" + std::to_string(width), "--height=" + std::to_string(height)},
                     env_);
    if (!eventually([&] { return (screen_ = x.window_named("Weston Compositor")); }))
      throw std::runtime_error("weston did not start: " + weston_->stderr_text());
  }
  Weston(const Weston&) = delete;
  Weston& operator=(const Weston&) = delete;

  /// What a client needs to find this compositor.
  const Environment& env() const { return env_; }
  const std::filesystem::path& runtime_dir() const { return folder_.path(); }
  /// Its screen: the X window that shows its clients.
  ::Window screen() const { return screen_; }

 private:
  TempFolder folder_;
  Environment env_;
  std::unique_ptr<Process> weston_;
  ::Window screen_ = 0;
};

}  // namespace titletype::e2e
