// Helpers for the configuration tests: installation keys created in the test prefix's registry and
// removed again.
#pragma once

#include <windows.h>

#include <string>

namespace korva::test {

// A key below HKEY_LOCAL_MACHINE in one view of the registry, created (with missing parents) for a test.
// At the end it goes, and so does each parent it leaves empty.
class TestKey {
public:
    explicit TestKey(std::string path, REGSAM view = KEY_WOW64_32KEY) : path_(std::move(path)), view_(view) {
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key_,
                          nullptr);
    }
    ~TestKey() {
        if (key_)
            ::RegCloseKey(key_);
        // Stops at the first key that still holds others ("Software" always does).
        for (std::string path = path_; path.find('\\') != std::string::npos; path.erase(path.rfind('\\')))
            if (::RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), view_, 0) != ERROR_SUCCESS)
                break;
    }
    TestKey(const TestKey&) = delete;
    TestKey& operator=(const TestKey&) = delete;

    bool Valid() const { return key_ != nullptr; }
    // Stores the bytes as given, NULs included.
    void Set(const std::string& name, DWORD type, const std::string& data) {
        ::RegSetValueExA(key_, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                         static_cast<DWORD>(data.size()));
    }
    // A text value with its closing NUL.
    void SetText(const std::string& name, const std::string& text) { Set(name, REG_SZ, text + '\0'); }
    // A text value in UTF-16, for names the code page cannot hold.
    void SetWideText(const std::string& name, const std::wstring& text) {
        const std::wstring wideName(name.begin(), name.end());
        ::RegSetValueExW(key_, wideName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                         static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

private:
    std::string path_;
    REGSAM view_;
    HKEY key_ = nullptr;
};

} // namespace korva::test
