// SPDX-License-Identifier: MIT
// Faults made to happen: a clear error, never a spin, a made-up mode or a stray signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/host/steady_clock.h"
#include "platform/posix/event_loop.h"
#include "platform/sim/sim_platform.h"
#include "platform/terminal/terminal_screen.h"
#include "tests/harness/process.h"

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

TEST(FaultTest, AnInputThatIsNoTerminalIsNeitherTakenNorRestored) {
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  EXPECT_THROW(TerminalScreen(pipe_fds[0], pipe_fds[1]), std::system_error);
  close(pipe_fds[1]);
  char written;
  EXPECT_EQ(read(pipe_fds[0], &written, 1), 0) << "nothing sent to the output";
  close(pipe_fds[0]);
}

TEST(FaultTest, AHarnessProcessThatCannotStartThrows) {
  // Its standard error has nowhere to go: never started, it is never signalled.
  setenv("TMPDIR", "/nonexistent", 1);
  EXPECT_THROW(e2e::Process({"true"}), std::system_error);
  unsetenv("TMPDIR");
}

}  // namespace
}  // namespace titletype
