// The program's pictures as data: its own compressed picture format, which res/make_art.py writes, and
// the smooth scaling that shows a picture drawn for 200% at the size any display scale asks for.
// Portable: ui/Pictures turns a picture into the bitmap a window shows.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace korva {

// A picture as its pixels: rows from the top, each pixel 0xAARRGGBB (not premultiplied). Not called
// Picture, which is the control that shows one (ui/Controls.h), nor Pixels, a font size (ui/Scale.h).
struct ArgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// A "KPX1" picture: "KPX1", width, height and the number of colours (16-bit little-endian), the palette
// (R, G, B, A each), then the palette indices of the pixels, rows from the top, compressed with LZSS:
// groups of eight tokens behind a flag byte whose bit i (lowest first) marks token i as a literal
// byte; a clear bit is a copy of earlier output, distance - 1 (16-bit little-endian) and length - 3
// (one byte). Nothing when the data is no such picture, is cut short, names a colour the palette lacks
// or copies from before its start; no byte outside the data is read. Memory is reserved only for as
// many pixels as the data can hold, so a damaged header cannot ask for more.
std::optional<ArgbPicture> DecodePicture(std::span<const std::uint8_t> data);

// The picture at width x height (each at least 1): every pixel is the average of the source area it
// covers, weighted by how much of each source pixel it covers and by that pixel's alpha. Scaling down
// keeps the picture sharp (no pixel is dropped or doubled); the same size gives the same pixels.
ArgbPicture ScalePicture(const ArgbPicture& source, int width, int height);

// The picture laid over an opaque background colour (0xRRGGBB): what shows where it is transparent.
ArgbPicture OverBackground(const ArgbPicture& picture, std::uint32_t rgb);

} // namespace korva
