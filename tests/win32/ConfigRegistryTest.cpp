// The registry reader against keys created in the test prefix: value types, embedded and missing NULs,
// missing keys and values, and the 32-bit view that the installers write.
#include "ConfigTestSupport.h"
#include "WinTestSupport.h"
#include "platform/Error.h"
#include "platform/win32/Win32Registry.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using test::TestKey;

constexpr const char* kKeyPath = "Software\\Sierra OnLine\\Setup\\KORVA-TEST";
const std::string kKey = std::string("\\") + kKeyPath;

struct Outcome {
    std::string text;  // when read
    std::string error; // when it failed
};

Outcome Read(win32::Win32Registry& registry, const std::string& key, const std::string& value) {
    auto reader = registry.OpenKey(key);
    if (!reader)
        return {"", "no key"};
    try {
        return {reader->ReadString(value).value_or("(unusable)"), ""};
    } catch (const Error& e) {
        return {"", e.what()};
    }
}

TEST(ConfigRegistryTest, ReadsStringsAsStoredAndRefusesOtherTypes) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        DWORD type;
        std::string data; // as stored, NULs included
        Outcome expected;
    } cases[] = {
        {"string", REG_SZ, "C:\\Games\\Half-Life\0"s, {"C:\\Games\\Half-Life", ""}},
        {"expandable, not expanded", REG_EXPAND_SZ, "%SystemRoot%\\HL\0"s, {"%SystemRoot%\\HL", ""}},
        {"embedded NUL", REG_SZ, "C:\\HL\0junk\0"s, {"C:\\HL", ""}},
        {"no closing NUL", REG_SZ, "C:\\NoEnd"s, {"C:\\NoEnd", ""}},
        {"empty", REG_SZ, "\0"s, {"", ""}},
        {"no data at all", REG_SZ, ""s, {"", ""}},
        {"trailing backslash", REG_SZ, "C:\\WC\\\0"s, {"C:\\WC\\", ""}},
        {"number", REG_DWORD, "\x01\x00\x00\x00"s, {"", "Invalid data type for 'Directory'"}},
        {"binary", REG_BINARY, "C:\\"s, {"", "Invalid data type for 'Directory'"}},
        {"list of strings", REG_MULTI_SZ, "C:\\\0D:\\\0\0"s, {"", "Invalid data type for 'Directory'"}},
    };
    TestKey key(kKeyPath);
    win32::Win32Registry registry;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        key.Set("Directory", c.type, c.data);
        const Outcome got = Read(registry, kKey, "Directory");
        EXPECT_EQ(got.text, c.expected.text);
        EXPECT_EQ(got.error, c.expected.error);
    }
    // A missing value reads as empty text.
    EXPECT_EQ(Read(registry, kKey, "Elsewhere").text, "");
    EXPECT_EQ(Read(registry, kKey, "Elsewhere").error, "");

    // A folder named outside the code page: by its short name where it has one, else not at all.
    if (::GetACP() != 1252)
        GTEST_SKIP() << "the names below are chosen for code page 1252";
    test::TempDir dir;
    const std::wstring omega = test::Wide(dir / "") + L"\u03A9mega";
    ::CreateDirectoryW(omega.c_str(), nullptr);
    key.SetWideText("Directory", omega);
    EXPECT_EQ(Read(registry, kKey, "Directory").text, dir / test::ShortName(omega));
    key.SetWideText("Directory", L"D:\\Games\\\u03A9mega-none");
    EXPECT_EQ(Read(registry, kKey, "Directory").text, "(unusable)");
}

TEST(ConfigRegistryTest, AMissingKeyDoesNotOpenAndIsNotCreated) {
    win32::Win32Registry registry;
    EXPECT_EQ(registry.OpenKey("\\Software\\Sierra OnLine\\Setup\\KORVA-NONE"), nullptr);
    HKEY probe = nullptr;
    EXPECT_NE(::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Sierra OnLine\\Setup\\KORVA-NONE", 0,
                              KEY_READ | KEY_WOW64_32KEY, &probe),
              ERROR_SUCCESS);
}

// The installers are 32-bit programs: their keys live in the 32-bit view, which the 64-bit build must
// read as the 32-bit one does.
TEST(ConfigRegistryTest, ReadsThe32BitViewOnly) {
    win32::Win32Registry registry;
    {
        TestKey only64(kKeyPath, KEY_WOW64_64KEY);
        only64.Set("Directory", REG_SZ, std::string("C:\\64\0", 6));
#ifdef _WIN64
        EXPECT_EQ(Read(registry, kKey, "Directory").error, "no key");
#endif
    }
    TestKey only32(kKeyPath, KEY_WOW64_32KEY);
    only32.Set("Directory", REG_SZ, std::string("C:\\32\0", 6));
    EXPECT_EQ(Read(registry, kKey, "Directory").text, "C:\\32");
}

} // namespace
} // namespace korva
