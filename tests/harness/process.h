// SPDX-License-Identifier: MIT
// Child processes for end-to-end tests: started with a chosen environment,
// their standard error kept, waited for with a time-out, killed if left.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace titletype::e2e {

using namespace std::chrono_literals;
using Environment = std::vector<std::pair<std::string, std::string>>;

/// The whole of the file at `path`; nothing if there is none.
inline std::string read_file(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), {}};
}

/// The window libraries that process `pid` has mapped, as "libX11 libdecor-0".
inline std::string window_libraries(int pid) {
  const std::string maps = read_file("/proc/" + std::to_string(pid) + "/maps");
  std::string found;
  for (const std::string name : {"libX11", "libwayland-client", "libxkbcommon", "libdecor-0"})
    if (maps.find("/" + name + ".so") != maps.npos) found += (found.empty() ? "" : " ") + name;
  return found;
}

/// Whether `done` comes to hold within `timeout`, asked every `pause`.
inline bool eventually(const std::function<bool()>& done, std::chrono::milliseconds timeout = 20s,
                       std::chrono::milliseconds pause = 10ms) {
  for (const auto end = std::chrono::steady_clock::now() + timeout; !done();) {
    if (std::chrono::steady_clock::now() + pause > end) return false;
    std::this_thread::sleep_for(pause);
  }
  return true;
}

/// A new folder in /tmp (short enough for the sockets put in it), removed
/// with all it holds when it goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& name) {
    std::string pattern = "/tmp/titletype-" + name + ".XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::system_error(errno, std::generic_category(), pattern);
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class Process {
 public:
  /// Starts `argv` with `env` added to this process's environment (an empty
  /// value removes the variable). Standard input is /dev/null. Throws if
  /// the process cannot be started.
  Process(std::vector<std::string> argv, const Environment& env = {}) {
    std::vector<char*> args(argv.size() + 1, nullptr);  // made before the fork
    for (std::size_t i = 0; i < argv.size(); ++i) args[i] = argv[i].data();
    const int err_fd = mkstemp(stderr_path_.data());
    if (err_fd < 0) throw std::system_error(errno, std::generic_category(), stderr_path_);
    if ((pid_ = fork()) < 0) {
      const int error = errno;
      close(err_fd), unlink(stderr_path_.c_str());
      throw std::system_error(error, std::generic_category(), "fork");
    }
    if (pid_ == 0) {
      for (const auto& [name, value] : env)
        value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
      const int null_fd = open("/dev/null", O_RDWR);
      dup2(null_fd, STDIN_FILENO), dup2(null_fd, STDOUT_FILENO), dup2(err_fd, STDERR_FILENO);
      execvp(args[0], args.data());
      _exit(127);
    }
    close(err_fd);
  }
  ~Process() {
    kill(SIGKILL);
    wait(5s);
    unlink(stderr_path_.c_str());
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  /// The exit status (128 + signal for a killed process), or nothing if it
  /// is still running after `timeout`.
  std::optional<int> wait(std::chrono::milliseconds timeout) {
    eventually(
        [&] {
          int raw = 0;
          if (!status_ && waitpid(pid_, &raw, WNOHANG) == pid_)
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
          return status_.has_value();
        },
        timeout, 5ms);
    return status_;
  }
  void kill(int signo) {
    if (!status_ && pid_ > 0) ::kill(pid_, signo);  // never -1: that is every process
  }
  /// What it wrote to standard error so far.
  std::string stderr_text() const { return read_file(stderr_path_); }

 private:
  std::string stderr_path_ = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                             "/titletype-e2e-stderr-XXXXXX";
  pid_t pid_ = -1;
  std::optional<int> status_;
};

}  // namespace titletype::e2e
