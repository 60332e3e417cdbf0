// SPDX-License-Identifier: MIT
// The window's size in pixels at a display's DPI, and the width a Windows
// caption needs to show every title whole.
#include "platform/window/window_size.h"

#include <gtest/gtest.h>

#include "platform/window/frame_size.h"
#include "platform/windows/caption_width.h"
#include "tests/printers.h"

namespace titletype {
namespace {

TEST(WindowSizeTest, TheClientAreaFollowsTheDpi) {
  EXPECT_EQ(client_size(96), (PixelSize{153, 72}));
  EXPECT_EQ(client_size(120), (PixelSize{191, 90}));
  EXPECT_EQ(client_size(144), (PixelSize{230, 108}));  // 229.5 rounds up
  EXPECT_EQ(client_size(192), (PixelSize{306, 144}));
  // Where the halves fall elsewhere: 73.5 rounds up, 272.25 down.
  EXPECT_EQ(client_size(98), (PixelSize{156, 74}));
  EXPECT_EQ(client_size(363), (PixelSize{579, 272}));
  EXPECT_EQ(client_size(600), (PixelSize{956, 450}));
  // What a desktop may publish: fractions round, nonsense counts as 96.
  for (const auto& [published, dpi] : {std::pair{143.6, 144},
                                       {96.4, 96},
                                       {48.0, 48},
                                       {960.0, 960},
                                       {47.9, 96},
                                       {961.0, 96},
                                       {0.0, 96},
                                       {-120.0, 96}})
    EXPECT_EQ(plausible_dpi(published), dpi) << published;
}

TEST(WindowSizeTest, EveryX11FrameMeasuredHasRoomForTheWidestTitle) {
  // The narrowest client width at which each manager's default theme drew
  // the prompt, the legend and 11 W's whole under Xvfb (Debian 12), found
  // by bisecting the width with the frame test of commit 23a6d43.
  const std::tuple<const char*, int, int> narrowest[] = {{"xfwm4", 244, 386},
                                                         {"openbox", 240, 444},
                                                         {"icewm", 306, 480},
                                                         {"fluxbox", 192, 302},
                                                         {"metacity", 209, 362}};
  for (const auto& [manager, at_96, at_192] : narrowest) {
    EXPECT_GE(framed_client_size(96).width, at_96) << manager;
    EXPECT_GE(framed_client_size(192).width, at_192) << manager;
  }
  EXPECT_EQ(framed_client_size(96), (PixelSize{312, 72}));
  EXPECT_EQ(framed_client_size(192), (PixelSize{492, 144}));
  EXPECT_EQ(framed_client_size(960), (PixelSize{1932, 720}));  // 1800.5 pixels of text
}

TEST(WindowSizeTest, AWindowsCaptionHasRoomForTheWidestTitle) {
  struct Case {
    const char* system;
    int dpi;
    CaptionFigures caption;
    int width;
  };
  // Segoe UI 9 pt and 46-pixel buttons (Windows 10 and 11), scaled at
  // 144 DPI; Wine 8's figures, which give the 215 pixels seen there.
  const Case cases[] = {
      {"Windows 11", 96, {118, 16, 138, 4}, 304},
      {"Windows 11", 144, {177, 24, 207, 6}, 456},
      {"Wine", 96, {121, 16, 54, 0}, 215},
      {"a narrow font", 96, {60, 16, 30, 0}, 153},  // never narrower than 2295 twips
      {"a narrow font", 192, {120, 32, 60, 0}, 306},
      {"the gaps' halves", 98, {200, 0, 0, 0}, 225},   // 24.5 pixels of gaps
      {"the gaps' halves", 361, {600, 0, 0, 0}, 690},  // 90.25
  };
  for (const auto& [system, dpi, caption, width] : cases)
    EXPECT_EQ(client_width_for_caption(caption, dpi), width) << system << " at " << dpi;
  // The caption is measured for these, the widest rate among them.
  const auto titles = widest_titles();
  EXPECT_NE(std::find(titles.begin(), titles.end(), "Success 3276700%"), titles.end());
}

}  // namespace
}  // namespace titletype
