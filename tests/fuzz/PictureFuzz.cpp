// libFuzzer target for the picture decoder: arbitrary bytes as a picture resource. A picture it accepts
// must hold its pixels, and scale and lie over a background as the windows show it. Any crash,
// sanitizer report or broken rule ends the run.
#include "platform/ArgbPicture.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstdint>

namespace {

using namespace korva;
using fuzz::Check;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto picture = DecodePicture({data, size});
    if (!picture)
        return 0;
    Check(picture->width > 0 && picture->height > 0, "a decoded picture has pixels");
    Check(picture->argb.size() == static_cast<std::size_t>(picture->width) * picture->height,
          "a decoded picture holds width x height pixels");
    // Down to a thumbnail, as at a small display scale, and up by one pixel each way.
    for (const auto [width, height] : {std::pair{1, 1}, std::pair{(picture->width + 1) / 2, 3},
                                       std::pair{picture->width + 1, picture->height + 1}}) {
        if (static_cast<std::uint64_t>(width) * height > (1u << 22))
            continue; // a picture as large as the data allows, made larger: nothing the windows ask for
        const ArgbPicture shown = OverBackground(ScalePicture(*picture, width, height), 0x808080);
        Check(shown.argb.size() == static_cast<std::size_t>(width) * height, "a scaled picture has its size");
        for (const std::uint32_t pixel : shown.argb)
            Check(pixel >> 24 == 0xFF, "a picture over a background is opaque");
    }
    return 0;
}
