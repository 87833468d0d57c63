// Decoding and scaling pictures.
#include "platform/ArgbPicture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace korva {
namespace {

// The most pixels one byte of compressed data can give: a copy is three bytes for up to 258 pixels.
constexpr std::uint64_t kMostPixelsPerByte = 86;

// One source pixel under a target pixel: which, and its share of the target pixel.
struct Tap {
    int index;
    double weight;
};

// For each of the target pixels along one axis, the source pixels it covers with their shares.
std::vector<std::vector<Tap>> Taps(int from, int to) {
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int t = 0; t < to; ++t) {
        const double begin = t * step, end = (t + 1) * step;
        const int first = static_cast<int>(std::floor(begin));
        const int last = std::min(from - 1, static_cast<int>(std::ceil(end)) - 1);
        for (int s = first; s <= last; ++s) {
            const double covered = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
            if (covered > 0)
                taps[static_cast<size_t>(t)].push_back({s, covered / step});
        }
    }
    return taps;
}

// A pixel with its colour multiplied by its alpha, so that averages weigh each pixel by its alpha.
struct Premultiplied {
    double a = 0, r = 0, g = 0, b = 0;

    void Add(const Premultiplied& p, double weight) {
        a += p.a * weight;
        r += p.r * weight;
        g += p.g * weight;
        b += p.b * weight;
    }
};

Premultiplied FromArgb(std::uint32_t argb) {
    const double a = (argb >> 24) / 255.0;
    return {a, a * ((argb >> 16) & 0xFF), a * ((argb >> 8) & 0xFF), a * (argb & 0xFF)};
}

std::uint32_t Channel(double value) {
    return static_cast<std::uint32_t>(std::clamp(std::lround(value), 0L, 255L));
}

std::uint32_t ToArgb(const Premultiplied& p) {
    if (p.a <= 0)
        return 0;
    return Channel(p.a * 255) << 24 | Channel(p.r / p.a) << 16 | Channel(p.g / p.a) << 8 | Channel(p.b / p.a);
}

} // namespace

std::optional<ArgbPicture> DecodePicture(std::span<const std::uint8_t> data) {
    auto word = [&](size_t at) { return static_cast<int>(data[at] | data[at + 1] << 8); };
    if (data.size() < 10 || std::memcmp(data.data(), "KPX1", 4) != 0)
        return std::nullopt;
    const int width = word(4), height = word(6), colours = word(8);
    if (width == 0 || height == 0 || colours == 0 || colours > 256)
        return std::nullopt;
    size_t at = 10;
    if (data.size() - at < static_cast<size_t>(colours) * 4)
        return std::nullopt;
    std::vector<std::uint32_t> palette;
    for (int i = 0; i < colours; ++i, at += 4)
        palette.push_back(std::uint32_t{data[at + 3]} << 24 | std::uint32_t{data[at]} << 16 |
                          std::uint32_t{data[at + 1]} << 8 | data[at + 2]);

    // A header that promises more pixels than the rest of the data can hold is damaged.
    const std::uint64_t pixels = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
    if (pixels > (data.size() - at) * kMostPixelsPerByte)
        return std::nullopt;
    const size_t count = static_cast<size_t>(pixels);
    std::vector<std::uint8_t> indices;
    indices.reserve(count);
    while (indices.size() < count) {
        if (at >= data.size())
            return std::nullopt;
        const std::uint8_t flags = data[at++];
        for (int bit = 0; bit < 8 && indices.size() < count; ++bit) {
            if (flags >> bit & 1) {
                if (at >= data.size())
                    return std::nullopt;
                indices.push_back(data[at++]);
                continue;
            }
            if (data.size() - at < 3)
                return std::nullopt;
            const size_t distance = static_cast<size_t>(word(at)) + 1;
            const size_t length = static_cast<size_t>(data[at + 2]) + 3;
            at += 3;
            if (distance > indices.size())
                return std::nullopt;
            for (size_t k = 0; k < length && indices.size() < count; ++k) {
                const std::uint8_t earlier = indices[indices.size() - distance];
                indices.push_back(earlier);
            }
        }
    }

    ArgbPicture picture{width, height, {}};
    picture.argb.reserve(count);
    for (const std::uint8_t index : indices) {
        if (index >= colours)
            return std::nullopt;
        picture.argb.push_back(palette[index]);
    }
    return picture;
}

ArgbPicture ScalePicture(const ArgbPicture& source, int width, int height) {
    const auto across = Taps(source.width, width);
    const auto down = Taps(source.height, height);
    // Each row across first, then each column down.
    std::vector<Premultiplied> rows(static_cast<size_t>(width) * static_cast<size_t>(source.height));
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < width; ++x)
            for (const Tap& tap : across[static_cast<size_t>(x)])
                rows[static_cast<size_t>(y) * width + x].Add(
                    FromArgb(source.argb[static_cast<size_t>(y) * source.width + tap.index]), tap.weight);
    ArgbPicture scaled{width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Premultiplied sum;
            for (const Tap& tap : down[static_cast<size_t>(y)])
                sum.Add(rows[static_cast<size_t>(tap.index) * width + x], tap.weight);
            scaled.argb[static_cast<size_t>(y) * width + x] = ToArgb(sum);
        }
    return scaled;
}

ArgbPicture OverBackground(const ArgbPicture& picture, std::uint32_t rgb) {
    ArgbPicture opaque = picture;
    for (std::uint32_t& pixel : opaque.argb) {
        const double a = (pixel >> 24) / 255.0;
        auto mixed = [&](int shift) {
            return Channel(a * ((pixel >> shift) & 0xFF) + (1 - a) * ((rgb >> shift) & 0xFF)) << shift;
        };
        pixel = 0xFF000000u | mixed(16) | mixed(8) | mixed(0);
    }
    return opaque;
}

} // namespace korva
