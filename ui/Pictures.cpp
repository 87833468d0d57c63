// Loading pictures as bitmaps.
#include "ui/Pictures.h"

namespace korva::ui {

win32::BitmapHandle LoadPicture(int resource, int width, int height, COLORREF background) {
    const HMODULE module = ::GetModuleHandleA(nullptr);
    const HRSRC found =
        ::FindResourceA(module, MAKEINTRESOURCEA(resource), MAKEINTRESOURCEA(10)); // RT_RCDATA
    const HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || width <= 0 || height <= 0)
        return {};
    const auto picture =
        DecodePicture({static_cast<const std::uint8_t*>(bytes), ::SizeofResource(module, found)});
    if (!picture)
        return {};
    const std::uint32_t ground =
        GetRValue(background) << 16 | GetGValue(background) << 8 | GetBValue(background);
    const ArgbPicture shown = OverBackground(ScalePicture(*picture, width, height), ground);

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32::BitmapHandle bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return {};
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    auto* rows = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pixel = shown.argb[static_cast<size_t>(y) * width + x];
            std::uint8_t* out = rows + y * stride + static_cast<size_t>(x) * 3;
            out[0] = pixel & 0xFF; // blue, green, red
            out[1] = (pixel >> 8) & 0xFF;
            out[2] = (pixel >> 16) & 0xFF;
        }
    return bitmap;
}

} // namespace korva::ui
