// SPDX-License-Identifier: MIT
#include "tests/e2e/process.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace titletype::e2e {

Process::Process(std::vector<std::string> argv,
                 std::vector<std::pair<std::string, std::string>> env) {
  char path[] = "/tmp/titletype-e2e-stderr-XXXXXX";
  const int err_fd = mkstemp(path);
  stderr_path_ = path;
  pid_ = fork();
  if (pid_ == 0) {
    for (const auto& [name, value] : env) {
      value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    }
    const int null_fd = open("/dev/null", O_RDWR);
    dup2(null_fd, STDIN_FILENO);
    dup2(null_fd, STDOUT_FILENO);
    dup2(err_fd, STDERR_FILENO);
    std::vector<char*> args;
    for (auto& arg : argv) args.push_back(arg.data());
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
  }
  close(err_fd);
}

Process::~Process() {
  if (!status_) {
    ::kill(pid_, SIGKILL);
    wait(std::chrono::seconds(5));
  }
  unlink(stderr_path_.c_str());
}

std::optional<int> Process::wait(std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!status_) {
    int raw = 0;
    if (waitpid(pid_, &raw, WNOHANG) == pid_) {
      status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
    } else if (std::chrono::steady_clock::now() >= end) {
      break;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  return status_;
}

void Process::kill(int signo) {
  if (!status_) ::kill(pid_, signo);
}

std::string Process::stderr_text() const {
  std::ifstream in(stderr_path_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace titletype::e2e
