// SPDX-License-Identifier: MIT
// Child processes for end-to-end tests: started with a chosen environment,
// their standard error kept, waited for with a time-out, killed if left.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace titletype::e2e {

class Process {
 public:
  /// Starts `argv` with `env` added to this process's environment (an empty
  /// value removes the variable). Standard input is /dev/null.
  Process(std::vector<std::string> argv, std::vector<std::pair<std::string, std::string>> env = {});
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  pid_t pid() const { return pid_; }
  /// The exit status (128 + signal for a killed process), or nothing if it
  /// is still running after `timeout`.
  std::optional<int> wait(std::chrono::milliseconds timeout);
  void kill(int signo);
  /// What it wrote to standard error so far.
  std::string stderr_text() const;

 private:
  pid_t pid_ = -1;
  std::optional<int> status_;
  std::string stderr_path_;
};

}  // namespace titletype::e2e
