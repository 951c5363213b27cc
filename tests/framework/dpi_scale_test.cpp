#include "framework/dpi_scale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/image_scale.h"

namespace framework {
namespace {

TEST(DpiScaleTest, LengthsAtEachDpi) {
    for (int px = -300; px <= 300; ++px) {
        ASSERT_EQ(ScaleToDpi(px, 96), px) << px;  // 96 DPI is exactly as written
        ASSERT_EQ(ScaleToDpi(px, 192), 2 * px) << px;
        // Back again from every usual DPI gives the length at 96 it came from.
        for (const int dpi : {96, 120, 144, 168, 192, 288}) {
            ASSERT_EQ(UnscaleFromDpi(ScaleToDpi(px, dpi), dpi), px) << px << " at " << dpi;
        }
    }
    // 1.5 times, halves away from zero: the toolbar's 21 x 19 buttons and 14 x 13 images,
    // the 5-pixel snap, a font height of -15.
    EXPECT_EQ(ScaleToDpi(21, 144), 32);
    EXPECT_EQ(ScaleToDpi(19, 144), 29);
    EXPECT_EQ(ScaleToDpi(13, 144), 20);
    EXPECT_EQ(ScaleToDpi(5, 144), 8);
    EXPECT_EQ(ScaleToDpi(-15, 144), -23);
    EXPECT_EQ(ScaleToDpi(5, 120), 6);  // 6.25
    EXPECT_EQ(UnscaleFromDpi(-16, 144), -11);  // 8 points chosen at 144 DPI, kept at 96
    // A DPI no display has is taken for 96 rather than giving 0 or huge lengths.
    for (const int bad : {0, -144, 23, 96 * 16 + 1, 1 << 30}) {
        EXPECT_EQ(ScaleToDpi(21, bad), 21) << bad;
        EXPECT_EQ(UnscaleFromDpi(21, bad), 21) << bad;
    }
    // No overflow at the ends of int at a large DPI.
    EXPECT_EQ(ScaleToDpi(1 << 28, 192), 1 << 29);
}

std::uint32_t Pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return 0xFF000000u | (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}

TEST(ImageScaleTest, SmoothScalingKeepsColoursAndEdges) {
    const std::uint32_t grey = Pixel(192, 192, 192);
    const std::uint32_t black = Pixel(0, 0, 0);
    // The same size gives the picture back; a flat picture stays flat at any size.
    const std::vector<std::uint32_t> flat(14 * 13, grey);
    EXPECT_EQ(ScaleImageSmoothly(flat, 14, 13, 14, 13), flat);
    EXPECT_EQ(ScaleImageSmoothly(flat, 14, 13, 21, 20), std::vector<std::uint32_t>(21 * 20, grey));

    // A black-to-white step across two pixels, doubled: the outer pixels keep their colours
    // and the inner ones lie between them, rising left to right (no ringing, no wrap).
    const std::vector<std::uint32_t> step = {black, Pixel(255, 255, 255)};
    const std::vector<std::uint32_t> wide = ScaleImageSmoothly(step, 2, 1, 4, 1);
    ASSERT_EQ(wide.size(), 4u);
    EXPECT_EQ(wide[0], black);
    EXPECT_EQ(wide[3], Pixel(255, 255, 255));
    for (int i = 1; i < 4; ++i) {
        EXPECT_GT(wide[i] & 0xFF, wide[i - 1] & 0xFF) << i;
    }
    EXPECT_EQ(wide[1] >> 24, 0xFFu);  // the alpha byte is scaled like the others

    // Nonsense sizes give nothing rather than reading past the source.
    EXPECT_TRUE(ScaleImageSmoothly(flat, 14, 12, 21, 20).empty());
    EXPECT_TRUE(ScaleImageSmoothly(flat, 14, 13, 0, 20).empty());
    EXPECT_TRUE(ScaleImageSmoothly({}, 0, 0, 4, 4).empty());
}

TEST(ImageScaleTest, AStripScalesEachImageOnItsOwn) {
    // Two 2 x 2 images side by side, red and blue: at 3 x 3 each, no purple at the seam.
    const std::uint32_t red = Pixel(255, 0, 0);
    const std::uint32_t blue = Pixel(0, 0, 255);
    const std::vector<std::uint32_t> strip = {red, red, blue, blue, red, red, blue, blue};
    const std::vector<std::uint32_t> scaled = ScaleImageStrip(strip, 2, 2, 2, 3, 3);
    ASSERT_EQ(scaled.size(), 18u);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(scaled[static_cast<std::size_t>(y * 6 + x)], x < 3 ? red : blue)
                << x << "," << y;
        }
    }
    EXPECT_TRUE(ScaleImageStrip(strip, 3, 2, 2, 3, 3).empty());  // not three images
}

}  // namespace
}  // namespace framework
