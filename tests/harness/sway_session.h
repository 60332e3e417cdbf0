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
  explicit SwaySession(XSession& x, const std::string& config = "") : x_(x), folder_("sway") {
    const std::string dir = folder_.path().string();
    std::ofstream(folder_.path() / "config") << "input * xkb_layout jp\n" << config;
    std::vector<std::string> command{"sway", "-c", (folder_.path() / "config").string()};
    if (geteuid() == 0) {
      const passwd* nobody = getpwnam("nobody");
      if (!nobody || chown(dir.c_str(), nobody->pw_uid, nobody->pw_gid) != 0)
        throw std::runtime_error("cannot give sway's runtime folder to nobody");
      Process({"xhost", "-display", x.display_name(), "+si:localuser:nobody"}).wait(20s);
      command.insert(command.begin(),
                     {"setpriv", "--reuid=nobody", "--regid=" + std::to_string(nobody->pw_gid),
                      "--clear-groups", "--"});
    }
    swaysock_ = (folder_.path() / "ipc.sock").string();  // sway takes a SWAYSOCK that is free
    const Environment env{
        {"XDG_RUNTIME_DIR", dir},   {"WLR_BACKENDS", "x11"},  {"HOME", dir},
        {"WLR_RENDERER", "pixman"}, {"WLR_X11_OUTPUTS", "1"}, {"WAYLAND_DISPLAY", ""},
        {"SWAYSOCK", swaysock_}};
    sway_ = x.start_game(command[0], {command.begin() + 1, command.end()}, env);
    // sway's output is the server's one window, and it has no name.
    const auto up = [&] {
      return !wayland_socket().empty() && std::filesystem::exists(swaysock_) &&
             (window_ = x.top_level([](::Window) { return true; }));
    };
    if (!eventually(up, 60s))
      throw std::runtime_error("sway did not start: " + sway_->stderr_text());
    wayland_ = {{"XDG_RUNTIME_DIR", dir}, {"WAYLAND_DISPLAY", wayland_socket()}};
    x.follow_layouts([this](const std::string& layout) {
      swaymsg({"input", "type:keyboard", "xkb_layout", layout});
    });
  }
  ~SwaySession() {
    x_.follow_layouts(nullptr);
    events_.reset();
    sway_.reset();
  }
  SwaySession(const SwaySession&) = delete;
  SwaySession& operator=(const SwaySession&) = delete;

  /// The last game's window events, one a line, and when it was started.
  const std::string& events_path() const { return events_path_; }
  std::chrono::steady_clock::time_point started_at() const { return started_at_; }

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
    events_path_ = (folder_.path() / ("events" + std::to_string(++games_))).string();
    events_ = std::make_unique<Process>(std::vector<std::string>{
        "sh", "-c", "exec swaymsg -s \"$1\" -r -m -t subscribe '[\"window\"]' >\"$2\"", "sh",
        swaysock_, events_path_});
    eventually([&] { return std::filesystem::exists(events_path_); });
    env.insert(env.begin(), wayland_.begin(), wayland_.end());
    started_at_ = std::chrono::steady_clock::now();
    auto game = x_.start_game(binary, std::move(args), env);
    const std::string pid = std::to_string(game->pid());
    XSession::InsideGame inside;
    inside.started = [=, this] { return !last_event(pid, "\"change\": \"new\"").empty(); };
    inside.has_keys = [=, this](XSession&) { return !last_event(pid, "\"focus\"").empty(); };
    inside.title = [=, this] {  // JSON's \" and \\ alone, in ASCII titles
      const std::string line = last_event(pid);
      std::string name;
      const std::size_t at = line.find("\"name\": \"", line.find("\"container\":"));
      for (std::size_t i = at == line.npos ? line.size() : at + 9;
           i < line.size() && line[i] != '"'; ++i)
        name += line[i] == '\\' ? line[++i] : line[i];
      return name;
    };
    inside.close = [=, this] { swaymsg({"[pid=" + pid + "]", "kill"}); };
    x_.play_inside(window_, std::move(inside));
    return game;
  }

 private:
  /// The last window event of process `pid` that holds `text`.
  std::string last_event(const std::string& pid, const std::string& text = "") const {
    std::ifstream in(events_path_);
    std::string last;
    for (std::string line; std::getline(in, line);)
      if (line.find("\"pid\": " + pid + ",") != line.npos && line.find(text) != line.npos)
        last = line;
    return last;
  }
  /// The name of the Wayland socket that sway made in its runtime folder.
  std::string wayland_socket() const {
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.path(), ignored)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("wayland-") && name.ends_with(".lock"))
        return name.substr(0, name.size() - 5);
    }
    return "";
  }

  XSession& x_;
  TempFolder folder_;
  std::unique_ptr<Process> sway_, events_;
  ::Window window_ = 0;
  Environment wayland_;
  std::string swaysock_, events_path_;
  std::chrono::steady_clock::time_point started_at_;
  int games_ = 0;
};

}  // namespace titletype::e2e
