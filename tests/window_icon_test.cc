// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "platform/window/xpm_image.h"

namespace titletype {
namespace {

TEST(WindowIconTest, IsAFolderInACheckerboardOfYellowAndGrey) {
  const ArgbImage& icon = window_icon();
  ASSERT_EQ(std::pair(icon.width, icon.height), std::pair(32, 32));
  // Transparent around and beside the tab, which is at the upper left.
  EXPECT_EQ(std::vector({icon.at(0, 0), icon.at(31, 31), icon.at(20, 7)}), std::vector(3, 0u));
  EXPECT_NE(icon.at(4, 7), 0u);
  for (int y = 10; y < 20; ++y)
    for (int x = 5; x < 25; ++x)
      ASSERT_EQ(icon.at(x, y), (x + y) % 2 ? 0xff808080u : 0xffffff00u) << x << "," << y;
}

TEST(WindowIconTest, MalformedImagesAreRefused) {
  const char* const good[] = {"2 1 2 1", "a c #FF0000", "b c None", "ab"};
  ASSERT_TRUE(read_xpm(good));
  EXPECT_EQ(read_xpm(good)->pixels, (std::vector<uint32_t>{0xffff0000u, 0u}));
  const char* const unknown_letter[] = {"2 1 2 1", "a c #FF0000", "b c None", "ax"};
  const char* const short_row[] = {"2 1 2 1", "a c #FF0000", "b c None", "a"};
  const char* const bad_colour[] = {"2 1 2 1", "a c #FF00", "b c None", "ab"};
  const char* const missing_rows[] = {"2 2 2 1", "a c #FF0000", "b c None", "ab"};
  const char* const bad_header[] = {"two by one", "a c #FF0000", "b c None", "ab"};
  for (auto xpm : {unknown_letter, short_row, bad_colour, bad_header})
    EXPECT_FALSE(read_xpm(std::span<const char* const>(xpm, 4)));
  EXPECT_FALSE(read_xpm(missing_rows));
}

}  // namespace
}  // namespace titletype
