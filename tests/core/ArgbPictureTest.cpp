// Pictures: the program's compressed format decoded (the shipped pictures, a small one by hand, and
// damaged ones refused), and the smooth scaling that shows them at every display scale.
#include "platform/ArgbPicture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace korva {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadResource(const std::string& name) {
    std::ifstream file(std::string(KORVA_RESOURCE_DIR) + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A 3 x 2 picture of two colours: one red pixel, a copy of the last one three times (distance 1,
// length 3), then two transparent pixels.
const Bytes kSmall = {'K',    'P', 'X', '1', 3, 0, 2, 0, 2, 0, // 3 x 2, two colours
                      255,    0,   0,   255, 0, 0, 0, 0,       // red, transparent
                      0b1101, 0,   0,   0,   0, 1, 1};         // literal, copy, literal, literal

TEST(ArgbPicture, PicturesAreDecodedAndDamagedOnesRefused) {
    const auto small = DecodePicture(kSmall);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->width, 3);
    EXPECT_EQ(small->height, 2);
    EXPECT_EQ(small->argb,
              (std::vector<std::uint32_t>{0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0, 0}));

    const struct {
        const char* name;
        std::size_t cut;                                          // bytes kept
        std::vector<std::pair<std::size_t, std::uint8_t>> changed; // bytes changed, and to what
    } damaged[] = {
        {"no header", 6, {}},
        {"another format", kSmall.size(), {{0, 'B'}}},
        {"no colours", kSmall.size(), {{8, 0}}},
        {"no pixels", 18, {}},
        {"cut short", kSmall.size() - 1, {}},
        {"a colour not in the palette", kSmall.size(), {{23, 2}}},
        {"a copy from before the start", kSmall.size(), {{18, 0}}},
        // Room for every pixel promised would be 4 GB: the 32-bit program cannot have it at all.
        {"65535 x 65535 in 25 bytes", kSmall.size(), {{4, 0xFF}, {5, 0xFF}, {6, 0xFF}, {7, 0xFF}}},
    };
    for (const auto& d : damaged) {
        Bytes data(kSmall.begin(), kSmall.begin() + static_cast<std::ptrdiff_t>(d.cut));
        for (const auto& [at, to] : d.changed)
            data[at] = to;
        EXPECT_FALSE(DecodePicture(data)) << d.name;
    }

    // What the program ships, as res/make_art.py wrote it.
    const struct {
        const char* file;
        int size;
    } shipped[] = {
        {"korva.kpx", 340}, {"folder.kpx", 16}, {"folder32.kpx", 32}, {"folder32_disabled.kpx", 32}};
    for (const auto& s : shipped) {
        const auto picture = DecodePicture(ReadResource(s.file));
        ASSERT_TRUE(picture) << s.file;
        EXPECT_EQ(picture->width, s.size) << s.file;
    }
}

TEST(ArgbPicture, ScalingAveragesWhatEachPixelCoversWeighedByItsAlpha) {
    const ArgbPicture checker{2, 2, {0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF000000}};
    EXPECT_EQ(ScalePicture(checker, 2, 2).argb, checker.argb); // the same size changes nothing
    EXPECT_EQ(ScalePicture(checker, 1, 1).argb, std::vector<std::uint32_t>{0xFF808080});

    // A transparent pixel does not darken its neighbour: half red, half see-through.
    const ArgbPicture edge{2, 1, {0xFFFF0000, 0x00000000}};
    EXPECT_EQ(ScalePicture(edge, 1, 1).argb, std::vector<std::uint32_t>{0x80FF0000});
    EXPECT_EQ(OverBackground(ScalePicture(edge, 1, 1), 0x0000FF).argb,
              std::vector<std::uint32_t>{0xFF80007F});

    // 200% down to 150%: 4 pixels to 3, each covering one and a third; no pixel is dropped or doubled.
    const ArgbPicture row{4, 1, {0xFF000000, 0xFF000000, 0xFF909090, 0xFF909090}};
    EXPECT_EQ(ScalePicture(row, 3, 1).argb, (std::vector<std::uint32_t>{0xFF000000, 0xFF484848, 0xFF909090}));

    // The shipped picture at every scale, from the drawing at 200%: each scale keeps the picture's
    // average colour, as no part of it is dropped or counted twice.
    const auto picture = DecodePicture(ReadResource("korva.kpx"));
    ASSERT_TRUE(picture);
    auto average = [](const ArgbPicture& p, int shift) {
        double sum = 0;
        for (const std::uint32_t pixel : p.argb)
            sum += (pixel >> shift) & 0xFF;
        return sum / static_cast<double>(p.argb.size());
    };
    for (const int percent : {100, 125, 150, 200}) {
        const ArgbPicture shown = ScalePicture(*picture, 170 * percent / 100, 265 * percent / 100);
        for (const int shift : {0, 8, 16})
            EXPECT_NEAR(average(shown, shift), average(*picture, shift), 0.5) << percent << "% " << shift;
    }
}

} // namespace
} // namespace korva
