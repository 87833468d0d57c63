// Drives a running KORVA through its windows and captures each one as a BMP file, for the README's
// screenshots: korva_shots.exe OUTPUT-FOLDER [SUFFIX]. Writes main, about, config and select, each
// followed by the suffix and ".bmp" (main-150.bmp for the suffix "-150").
// Before Scan is pressed it makes the installation a designer has: the game's and the level editor's
// registry entries and the compile tools in two folders below the editor's, so that Scan marks what it
// found and offers both tools folders in the chooser.
#include <windows.h>

#include <cstdio>
#include <cstring>
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

void MakeFile(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
}

// The entries the installers write, in the registry view of 32-bit programs, as they are.
void SetInstallEntry(const char* product, const char* directory) {
    HKEY key = nullptr;
    const std::string path = std::string("Software\\Sierra OnLine\\Setup\\") + product;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_WRITE | KEY_WOW64_32KEY, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, "Directory", 0, REG_SZ, reinterpret_cast<const BYTE*>(directory),
                     static_cast<DWORD>(std::strlen(directory) + 1));
    ::RegCloseKey(key);
}

void MakeInstallation() {
    for (const char* folder : {"D:\\Games", "D:\\Games\\HL", "D:\\Editor", "D:\\Editor\\maps", "D:\\Editor\\Tools",
                               "D:\\Editor\\Tools\\Beta"})
        ::CreateDirectoryA(folder, nullptr);
    MakeFile("D:\\Editor\\Tools\\QCSG.EXE");
    MakeFile("D:\\Editor\\Tools\\Beta\\QCSG.EXE");
    SetInstallEntry("HALFLIFE", "D:\\Games\\HL");
    SetInstallEntry("WC", "D:\\Editor");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: korva_shots OUTPUT-FOLDER\n");
        return 2;
    }
    std::string out = argv[1];
    if (out.back() != '\\')
        out += '\\';
    const std::string suffix = argc > 2 ? argv[2] : "";

    HWND main = WaitForWindow("TfrmMain", "Velmora v1.55");
    if (!main) {
        std::fprintf(stderr, "KORVA's main window did not appear\n");
        return 1;
    }
    Capture(main, out + "main" + suffix + ".bmp");

    Press(Child(main, "&About..."));
    if (HWND about = WaitForWindow("TfrmAbout", "About KORVA", 5000)) {
        Capture(about, out + "about" + suffix + ".bmp");
        Press(Child(about, "&Close"));
    }

    MakeInstallation();
    Press(Child(main, "C&onfiguration"));
    if (HWND config = WaitForWindow("TfrmConfig", nullptr, 5000)) {
        Press(Child(config, "&Scan"));
        if (HWND chooser = WaitForWindow("TfrmSelect", "Select folder...", 10000)) {
            // The list has the focus: the arrow key selects the first folder, and a double-click in the
            // list takes the selected one.
            HWND list = ::FindWindowExA(chooser, nullptr, "SysListView32", nullptr);
            ::PostMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
            ::PostMessageA(list, WM_KEYUP, VK_DOWN, 0);
            Capture(chooser, out + "select" + suffix + ".bmp");
            ::PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 30));
            ::PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(20, 30));
        }
        Capture(config, out + "config" + suffix + ".bmp");
        Press(Child(config, "&Cancel"));
    }

    ::Sleep(300);
    ::PostMessageA(main, WM_CLOSE, 0, 0);
    return 0;
}
