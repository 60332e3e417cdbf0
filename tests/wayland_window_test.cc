// SPDX-License-Identifier: MIT
// What of the Wayland window needs no compositor: the scale it draws at as
// outputs come, change and go, which frame shows its title, and where its
// keys are.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <map>
#include <regex>

#include "platform/wayland/evdev_key_names.h"
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

// The places of xkeyboard-config's own evdev keycodes (xkb-data, which
// xkbcommon needs), apart from the program's table: "<AE01> = 10;".
TEST(EvdevKeyNamesTest, EveryKeyIsWhereXkbsEvdevKeycodesPutIt) {
  std::ifstream file("/usr/share/X11/xkb/keycodes/evdev");
  ASSERT_TRUE(file) << "no xkb-data";
  std::map<std::string, int, std::less<>> xkb;
  const std::regex keycode(R"(^\s*<(\w+)>\s*=\s*(\d+);)");
  for (std::string line; std::getline(file, line);)
    if (std::smatch m; std::regex_search(line, m, keycode)) xkb.emplace(m[1], std::stoi(m[2]));
  const JisKeyboard::KeycodeNames names = evdev_keycode_names();
  int named = 0;
  for (int code = 0; code < JisKeyboard::kKeycodes; ++code) {
    const std::string_view name = names[code];
    if (name.empty()) continue;
    ++named;
    EXPECT_EQ(xkb.contains(name) ? xkb.find(name)->second : -1, code) << name;
  }
  EXPECT_EQ(named, 109);  // every key of a JIS keyboard
}

}  // namespace
}  // namespace titletype
