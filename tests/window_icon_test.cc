// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "platform/xpm_image.h"

namespace titletype {
namespace {

TEST(WindowIconTest, IsAFolderInACheckerboardOfYellowAndGrey) {
  const ArgbImage& icon = window_icon();
  ASSERT_EQ(icon.width, 32);
  ASSERT_EQ(icon.height, 32);
  const auto at = [&](int x, int y) { return icon.at(x, y); };
  EXPECT_EQ(at(0, 0), 0u) << "transparent around";
  EXPECT_EQ(at(31, 31), 0u);
  EXPECT_EQ(at(20, 7), 0u) << "beside the tab";
  EXPECT_NE(at(4, 7), 0u) << "the tab, upper left";
  for (int y = 10; y < 20; ++y) {
    for (int x = 5; x < 25; ++x) {
      ASSERT_EQ(at(x, y), (x + y) % 2 ? 0xff808080u : 0xffffff00u) << x << "," << y;
    }
  }
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
  for (auto xpm : {unknown_letter, short_row, bad_colour, bad_header}) {
    EXPECT_FALSE(read_xpm(std::span<const char* const>(xpm, 4)));
  }
  EXPECT_FALSE(read_xpm(missing_rows));
}

}  // namespace
}  // namespace titletype
