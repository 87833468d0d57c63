// Drives a running KORVA through its windows and captures each one as a BMP file, for the README's
// screenshots: korva_shots.exe OUTPUT-FOLDER. Writes main.bmp, about.bmp and, when the configuration
// dialog opens, config.bmp.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

HWND WaitForWindow(const char* className, const char* caption, int milliseconds = 20000) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        HWND w = ::FindWindowA(className, caption);
        if (w && ::IsWindowVisible(w))
            return w;
        ::Sleep(50);
    }
    return nullptr;
}

HWND Child(HWND parent, const char* caption) { return ::FindWindowExA(parent, nullptr, nullptr, caption); }

bool SaveBitmap(HBITMAP bitmap, int width, int height, const std::string& path) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<char> pixels(static_cast<size_t>(stride) * height);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(pixels.data(), 1, pixels.size(), out);
    return std::fclose(out) == 0;
}

// Copies the window's area of the screen.
bool Capture(HWND window, const std::string& path) {
    ::Sleep(700); // let it paint
    RECT r{};
    ::GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::SelectObject(memory, old);
    const bool saved = SaveBitmap(bitmap, width, height, path);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
    return saved;
}

void Press(HWND button) { ::PostMessageA(button, BM_CLICK, 0, 0); }

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: korva_shots OUTPUT-FOLDER\n");
        return 2;
    }
    std::string out = argv[1];
    if (out.back() != '\\')
        out += '\\';

    HWND main = WaitForWindow("TfrmMain", "Velmora v1.55");
    if (!main) {
        std::fprintf(stderr, "KORVA's main window did not appear\n");
        return 1;
    }
    Capture(main, out + "main.bmp");

    Press(Child(main, "&About..."));
    if (HWND about = WaitForWindow("TfrmAbout", "About KORVA", 5000)) {
        Capture(about, out + "about.bmp");
        Press(Child(about, "&Close"));
    }

    Press(Child(main, "C&onfiguration"));
    if (HWND config = WaitForWindow("TfrmConfig", nullptr, 5000)) {
        Capture(config, out + "config.bmp");
        Press(Child(config, "&Cancel"));
    }

    ::Sleep(300);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    return 0;
}
