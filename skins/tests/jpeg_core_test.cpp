// JPEG decoding: colours and grey come back, and broken data fails or
// decodes partly without ending the program.
#include <gtest/gtest.h>

#include <cstdlib>

#include "skins/sJpegCore.h"
#include "skins/tests/JpegBytes.h"

using namespace skins;

TEST(DecodeJpeg, ColoursAndGrey) {
  const std::vector<uint8_t> jpeg = skins_test::MakeJpeg(64, 16);
  TJpegPixels px;
  std::string error;
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), false, px, error)) << error;
  ASSERT_EQ(px.width, 64);
  ASSERT_EQ(px.height, 16);
  const uint8_t* left = &px.bits[(8 * 64 + 1) * 3];
  const uint8_t* right = &px.bits[(8 * 64 + 62) * 3];
  EXPECT_NEAR(left[0], 160, 8) << "blue";
  EXPECT_NEAR(left[2], 4, 8) << "red ramp starts dark";
  EXPECT_NEAR(right[2], 251, 8) << "and ends bright";
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), true, px, error));
  for (size_t i = 0; i < px.bits.size(); i += 3) {
    ASSERT_EQ(px.bits[i], px.bits[i + 1]);
    ASSERT_EQ(px.bits[i], px.bits[i + 2]);
  }
}

TEST(DecodeJpeg, BrokenDataFailsOrDecodesPartly) {
  const std::vector<uint8_t> jpeg = skins_test::MakeJpeg(200, 200);
  TJpegPixels px;
  std::string error;
  // Cut in the middle of the scan: the rows that arrived decode, the rest
  // is filled; the program goes on.
  EXPECT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size() * 3 / 4, false, px, error));
  EXPECT_EQ(px.width, 200);
  // Cut inside the header, not a JPEG at all, nothing: a clear failure.
  EXPECT_FALSE(DecodeJpeg(jpeg.data(), 40, false, px, error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(px.width, 0);
  const uint8_t junk[] = "BM this is no JPEG at all";
  EXPECT_FALSE(DecodeJpeg(junk, sizeof junk, false, px, error));
  EXPECT_FALSE(DecodeJpeg(nullptr, 0, false, px, error));
}
