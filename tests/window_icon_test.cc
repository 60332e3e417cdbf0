// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "platform/window/xpm_image.h"

namespace titletype {
namespace {

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
