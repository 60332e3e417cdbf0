// SPDX-License-Identifier: MIT
// A stand-in for speech-dispatcher: it speaks its protocol (SSIP) to one
// client on a socket of its own, which it names in SPEECHD_ADDRESS for the
// programs started after it, and records what it is asked to say.
#pragma once

#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cctype>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/harness/process.h"

namespace titletype::e2e {

/// Answers one client: every command with success, SPEAK with a message
/// queued once its text has come, except that it goes silent after
/// `answered_texts` texts (a service that hangs).
class FakeSpeechService {
 public:
  explicit FakeSpeechService(int answered_texts = 1000)
      : answered_texts_(answered_texts), folder_("ssip") {
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    const std::string path = (folder_.path() / "speechd.sock").string();
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 1) != 0)
      throw std::runtime_error("cannot listen on " + path);
    setenv("SPEECHD_ADDRESS", ("unix_socket:" + path).c_str(), 1);
    server_ = std::thread([this] { serve(); });
  }
  ~FakeSpeechService() {
    shutdown(listener_, SHUT_RDWR);
    server_.join();
    close(listener_);
    unsetenv("SPEECHD_ADDRESS");
  }

  /// "CANCEL" and each text said, in order.
  std::vector<std::string> heard() {
    const std::lock_guard lock(mutex_);
    return heard_;
  }

 private:
  void serve() {
    const int client = accept(listener_, nullptr, nullptr);
    if (client < 0) return;
    std::string buffer, text;
    bool in_text = false;
    int texts = 0;
    char chunk[4096];
    for (ssize_t n; (n = read(client, chunk, sizeof chunk)) > 0;) {
      buffer.append(chunk, static_cast<std::size_t>(n));
      for (std::size_t end; (end = buffer.find("\r\n")) != buffer.npos;) {
        const std::string line = buffer.substr(0, end);
        buffer.erase(0, end + 2);
        std::string command = line;  // SSIP's commands are told apart whatever their case
        for (char& c : command) c = static_cast<char>(toupper(c));
        std::string reply;
        if (in_text && line != ".") {
          text += (text.empty() ? "" : "\n") + line;
          continue;
        }
        if (in_text) {
          in_text = false;
          record(text);
          if (++texts > answered_texts_) continue;  // hangs from now on
          reply = "225-1\r\n225 OK MESSAGE QUEUED\r\n";
        } else if (command == "SPEAK") {
          in_text = true, text.clear();
          reply = "230 OK RECEIVING DATA\r\n";
        } else if (command.starts_with("CANCEL")) {
          record("CANCEL");
          reply = "210 OK CANCELED\r\n";
        } else if (command == "QUIT") {
          reply = "231 HAPPY HACKING\r\n";
        } else {
          reply = "208 OK\r\n";
        }
        if (write(client, reply.data(), reply.size()) < 0) break;
      }
    }
    close(client);
  }
  void record(std::string what) {
    const std::lock_guard lock(mutex_);
    heard_.push_back(std::move(what));
  }

  int answered_texts_;
  TempFolder folder_;
  int listener_;
  std::thread server_;
  std::mutex mutex_;
  std::vector<std::string> heard_;
};

}  // namespace titletype::e2e
