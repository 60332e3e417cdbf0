// SPDX-License-Identifier: MIT
// sway as a window of the tests' X server (its X11 backend), where XTest's
// keys reach the focused Wayland window under sway's own layout, kept the
// same as the X server's. sway refuses to run as root, so root runs it as
// nobody, with a runtime folder of nobody's; the game, as root, may still
// connect. Titles come from sway's window events.
#pragma once

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/harness/x_session.h"

namespace titletype::e2e {

class SwaySession {
 public:
  /// Starts sway on `x`'s server, with `config` after the lines that make
  /// its keyboard Japanese and its windows framed.
  explicit SwaySession(XSession& x, const std::string& config = "") : x_(x) {
    std::string dir = "/tmp/titletype-sway-XXXXXX";
    if (!mkdtemp(dir.data())) throw std::runtime_error("cannot make sway's runtime folder");
    runtime_dir_ = dir;
    std::ofstream(runtime_dir_ / "config") << "input * xkb_layout jp\n" << config;
    std::vector<std::string> command{"sway", "-c", (runtime_dir_ / "config").string()};
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      if (!nobody || chown(dir.c_str(), nobody->pw_uid, nobody->pw_gid) != 0)
        throw std::runtime_error("cannot give sway's runtime folder to nobody");
      Process({"xhost", "-display", x.display_name(), "+si:localuser:nobody"}).wait(20s);
      command.insert(command.begin(),
                     {"setpriv", "--reuid=nobody", "--regid=" + std::to_string(nobody->pw_gid),
                      "--clear-groups", "--"});
    }
    sway_ = x.start_game(command[0], {command.begin() + 1, command.end()},
                         {{"XDG_RUNTIME_DIR", dir},
                          {"WLR_BACKENDS", "x11"},
                          {"WLR_RENDERER", "pixman"},
                          {"WLR_X11_OUTPUTS", "1"},
                          {"HOME", dir},
                          {"WAYLAND_DISPLAY", ""},
                          {"SWAYSOCK", ""}});
    // sway's output is the server's one window, and it has no name.
    if (!eventually(
            [&] {
              return !file_named("wayland-", ".lock").empty() &&
                     !file_named("sway-ipc.", ".sock").empty() &&
                     (window_ = x.top_level([](::Window) { return true; }));
            },
            60s))
      throw std::runtime_error("sway did not start: " + sway_->stderr_text());
    wayland_ = {{"XDG_RUNTIME_DIR", dir}, {"WAYLAND_DISPLAY", file_named("wayland-", ".lock")}};
    swaysock_ = (runtime_dir_ / file_named("sway-ipc.", ".sock")).string();
    x.follow_layouts([this](const std::string& layout) {
      swaymsg({"input", "type:keyboard", "xkb_layout", layout});
    });
  }
  ~SwaySession() {
    x_.follow_layouts(nullptr);
    events_.reset();
    sway_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(runtime_dir_, ignored);
  }
  SwaySession(const SwaySession&) = delete;
  SwaySession& operator=(const SwaySession&) = delete;

  /// What a client needs to find this compositor.
  const Environment& wayland() const { return wayland_; }
  Process& process() { return *sway_; }

  /// Runs swaymsg with `args`; its exit status.
  int swaymsg(std::vector<std::string> args) {
    args.insert(args.begin(), {"swaymsg", "-s", swaysock_});
    return Process(args).wait(20s).value_or(-1);
  }

  /// Starts `binary` with `args` in sway, `env` added, and lets `x_` play it.
  std::unique_ptr<Process> start_game(const std::string& binary, std::vector<std::string> args,
                                      Environment env = {}) {
    const std::string events = (runtime_dir_ / ("events" + std::to_string(++games_))).string();
    events_ = std::make_unique<Process>(std::vector<std::string>{
        "sh", "-c", "exec swaymsg -s \"$1\" -r -m -t subscribe '[\"window\"]' >\"$2\"", "sh",
        swaysock_, events});
    eventually([&] { return std::filesystem::exists(events); });
    env.insert(env.begin(), wayland_.begin(), wayland_.end());
    auto game = x_.start_game(binary, std::move(args), env);
    const std::string pid = "\"pid\": " + std::to_string(game->pid()) + ",";
    const auto has = [events, pid](const char* change) {
      for (const std::string& line : lines(events))
        if (line.find(change) != line.npos && line.find(pid) != line.npos) return true;
      return false;
    };
    x_.play_inside(window_,
                   {
                       .started = [has] { return has("\"change\": \"new\""); },
                       .has_keys = [has](XSession&) { return has("\"change\": \"focus\""); },
                       .title = [events, pid] { return last_title(events, pid); },
                       .close =
                           [this, pid = game->pid()] {
                             swaymsg({"[pid=" + std::to_string(pid) + "]", "kill"});
                           },
                   });
    return game;
  }

 private:
  static std::vector<std::string> lines(const std::string& path) {
    std::vector<std::string> all;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) all.push_back(line);
    return all;
  }
  /// The name of the window of `pid` in its last event, JSON unescaped.
  static std::string last_title(const std::string& events, const std::string& pid) {
    const auto all = lines(events);
    for (auto line = all.rbegin(); line != all.rend(); ++line) {
      if (line->find(pid) == line->npos) continue;
      const std::size_t at = line->find("\"name\": \"", line->find("\"container\":"));
      std::string name;
      for (std::size_t i = at == line->npos ? line->size() : at + 9;
           i < line->size() && (*line)[i] != '"'; ++i)
        name += (*line)[i] == '\\' ? (*line)[++i] : (*line)[i];  // \" and \\ alone: ASCII titles
      return name;
    }
    return "";
  }
  /// The name of the file in the runtime folder that starts with `start`
  /// and ends with `end`, without `end` when it is a lock.
  std::string file_named(const std::string& start, const std::string& end) const {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(runtime_dir_, ignored)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with(start) && name.ends_with(end))
        return end == ".lock" ? name.substr(0, name.size() - end.size()) : name;
    }
    return "";
  }

  XSession& x_;
  std::filesystem::path runtime_dir_;
  std::unique_ptr<Process> sway_, events_;
  ::Window window_ = 0;
  Environment wayland_;
  std::string swaysock_;
  int games_ = 0;
};

}  // namespace titletype::e2e
