// SPDX-License-Identifier: MIT
// What of the Wayland window needs no compositor: the scale it draws at as
// outputs come, change and go, and which frame shows its title.
#include <gtest/gtest.h>

#include <array>

#include "platform/wayland/frame_choice.h"
#include "platform/wayland/output_scales.h"

namespace titletype {
namespace {

// Outputs are only ever compared, never followed: any distinct addresses do.
wl_output* output(int n) {
  static char outputs[4];
  return reinterpret_cast<wl_output*>(&outputs[n]);
}

TEST(OutputScalesTest, TheWindowDrawsAtTheFinestScaleOfTheOutputsItIsOn) {
  OutputScales scales;
  EXPECT_EQ(scales.scale(), 1);
  scales.add(output(0), 10);
  scales.add(output(1), 11);
  scales.set_scale(output(1), 2);
  EXPECT_EQ(scales.scale(), 2) << "before the window is on one: the finest of all";
  scales.enter(output(0));
  EXPECT_EQ(scales.scale(), 1);
  scales.set_scale(output(0), 3);
  EXPECT_EQ(scales.scale(), 3) << "its output's scale changed";
  scales.enter(output(1));
  scales.set_scale(output(0), 0);
  EXPECT_EQ(scales.scale(), 2) << "a scale of 0 counts as 1";
  // The output it is on goes away: it counts no more, nor does its address.
  EXPECT_EQ(scales.remove(11), output(1));
  EXPECT_EQ(scales.scale(), 1);
  scales.add(output(1), 12);
  scales.set_scale(output(1), 4);
  EXPECT_EQ(scales.scale(), 1) << "a new output at the old one's address is not entered";
  EXPECT_EQ(scales.remove(99), nullptr);
  scales.leave(output(0));
  EXPECT_EQ(scales.scale(), 4);
  scales.enter(output(3));  // unknown: never bound, never counted
  EXPECT_EQ(scales.scale(), 4);
}

}  // namespace

void PrintTo(FrameAfterAnswer frame, std::ostream* out) {
  *out << std::array{"the compositor's frame", "libdecor's frame", "another window"}[int(frame)];
}

namespace {

TEST(FrameChoiceTest, AWindowLeftWithoutAFrameGetsLibdecorsOrGivesWay) {
  constexpr auto kAny = WaylandFrame::kAny, kCompositors = WaylandFrame::kCompositors;
  EXPECT_EQ(frame_after_answer(kAny, true), FrameAfterAnswer::kCompositors);
  EXPECT_EQ(frame_after_answer(kCompositors, true), FrameAfterAnswer::kCompositors);
  EXPECT_EQ(frame_after_answer(kAny, false), FrameAfterAnswer::kLibdecor);
  EXPECT_EQ(frame_after_answer(kCompositors, false), FrameAfterAnswer::kGiveWay);
  EXPECT_EQ(testing::PrintToString(FrameAfterAnswer::kGiveWay), "another window");
}

}  // namespace
}  // namespace titletype
