// SPDX-License-Identifier: MIT
// Faults made to happen: a clear error, never a spin, a made-up mode or a stray signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

#include "game/virtual_keys.h"
#include "platform/host/steady_clock.h"
#include "platform/posix/event_loop.h"
#include "platform/sim/sim_platform.h"
#include "platform/terminal/terminal_screen.h"

namespace titletype {
namespace {

struct ClosedSource final : EventSource {
  int fd() const override { return 987; }
  void handle_ready_events(FormHost&) override {}
  bool flush_and_check_queued() override { return false; }
};

TEST(FaultTest, WaitingOnADescriptorThatIsNotOpenEndsTheLoop) {
  ASSERT_EQ(fcntl(987, F_GETFD), -1);
  SimPlatform sim;
  ClosedSource source;
  EXPECT_THROW(run_event_loop(sim.host(), source, SteadyClock()), std::runtime_error);
}

/// A source that has more to send than its socket holds, as a Wayland
/// window may after a burst of titles; it ends the game when the other end
/// answers that it has it all.
struct FullSocketSource final : EventSource {
  explicit FullSocketSource(int fd) : fd_(fd) { fcntl(fd_, F_SETFL, O_NONBLOCK); }
  int fd() const override { return fd_; }
  void handle_ready_events(FormHost& host) override {
    char answer;
    if (read(fd_, &answer, 1) == 1) host.close();
  }
  bool flush_and_check_queued() override {
    while (!unsent.empty()) {
      const ssize_t n = write(fd_, unsent.data(), unsent.size());
      if (n <= 0) break;  // full: the rest when the other end reads
      unsent.erase(0, static_cast<std::size_t>(n));
    }
    return false;
  }
  bool wants_to_write() const override { return !unsent.empty(); }
  int fd_;
  std::string unsent = std::string(4 << 20, 'x');
};

TEST(FaultTest, WhatAFullSocketHeldBackIsSentOnceItDrainsWithoutAnotherEvent) {
  int ends[2];
  ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
  FullSocketSource source(ends[0]);
  const std::size_t total = source.unsent.size();
  std::size_t received = 0;
  std::thread reader([&] {
    char buffer[65536];
    // Answers when all has come, or after 20 s without it.
    timeval patience{.tv_sec = 20, .tv_usec = 0};
    setsockopt(ends[1], SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
    ssize_t n;
    while (received < total && (n = read(ends[1], buffer, sizeof buffer)) > 0) {
      received += static_cast<std::size_t>(n);
    }
    EXPECT_EQ(write(ends[1], "!", 1), 1);
  });
  SimPlatform sim;
  run_event_loop(sim.host(), source, SteadyClock());
  reader.join();
  EXPECT_EQ(received, total);
  close(ends[0]);
  close(ends[1]);
}

/// A source that, before the loop first sleeps, puts /dev/null where the
/// loop's wake-up timer was: the timer can then no longer be set.
struct TimerBreakingSource final : EventSource {
  int fd() const override { return pipe_fds[0]; }
  void handle_ready_events(FormHost&) override {}
  bool flush_and_check_queued() override {
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
      std::error_code error;
      if (std::filesystem::read_symlink(entry.path(), error) == "anon_inode:[timerfd]") {
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, std::stoi(entry.path().filename()));
        close(null);
      }
    }
    return false;
  }
  int pipe_fds[2] = {-1, -1};
};

TEST(FaultTest, AWakeUpTimerThatCannotBeSetEndsTheLoopRatherThanFreezeTheGame) {
  TimerBreakingSource source;
  ASSERT_EQ(pipe(source.pipe_fds), 0);
  SimPlatform sim;
  sim.press(vk::kSpace);  // a game runs: its tick is a deadline to wake for
  EXPECT_THROW(run_event_loop(sim.host(), source, SteadyClock()), std::system_error);
  close(source.pipe_fds[0]);
  close(source.pipe_fds[1]);
}

TEST(FaultTest, AnInputThatIsNoTerminalIsNeitherTakenNorRestored) {
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  EXPECT_THROW(TerminalScreen(pipe_fds[0], pipe_fds[1]), std::system_error);
  close(pipe_fds[1]);
  char written;
  EXPECT_EQ(read(pipe_fds[0], &written, 1), 0) << "nothing sent to the output";
  close(pipe_fds[0]);
}

}  // namespace
}  // namespace titletype
