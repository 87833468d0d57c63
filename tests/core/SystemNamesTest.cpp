// The rule that names from the system pass before they become paths of the code page: taken exactly,
// by the short names of the folders that do not convert, or not at all.
#include "platform/SystemNames.h"

#include <gtest/gtest.h>

#include <map>

namespace korva {
namespace {

// A code page that holds the first 256 characters, and the short names a volume keeps.
class FakeNameConversion : public NameConversion {
public:
    std::string ToCodePage(std::wstring_view name, bool& exact) const override {
        std::string text;
        exact = true;
        for (wchar_t c : name) {
            exact = exact && c < 256;
            text += c < 256 ? static_cast<char>(c) : '?';
        }
        return text;
    }
    std::wstring ShortName(const std::wstring& path) const override {
        const auto found = shortNames.find(path);
        return found == shortNames.end() ? std::wstring() : found->second;
    }
    std::map<std::wstring, std::wstring> shortNames;
};

TEST(SystemNames, ANameIsTakenExactlyOrByItsFoldersShortNamesOrNotAtAll) {
    FakeNameConversion system;
    system.shortNames = {{L"D:\\Editor\\\u03A9maps", L"OMAPS~1"},
                         {L"D:\\Editor\\maps\\\u03A9mega.map", L"OMEGA~1.MAP"},
                         {L"D:\\\u65E5", L"E5~1"},
                         {L"D:\\\u65E5\\keep\\\u03A9", L"O~1"},
                         {L"D:\\Games\\\u03A9mega", L"OMEGA~1"},
                         {L"D:\\Odd\\\u03A9", L"\u03A9"}}; // a short name no better than the long one
    const struct {
        const wchar_t* path;
        NameKind kind;
        std::optional<std::string> taken;
    } cases[] = {
        {L"D:\\Editor\\maps\\castle.map", NameKind::File, "D:\\Editor\\maps\\castle.map"},
        {L"D:\\Editor\\maps\\caf\u00E9.map", NameKind::File, "D:\\Editor\\maps\\caf\xE9.map"},
        {L"D:\\Editor\\\u03A9maps\\castle.map", NameKind::File, "D:\\Editor\\OMAPS~1\\castle.map"},
        // Only the parts that do not convert are shortened, each by its own short name.
        {L"D:\\\u65E5\\keep\\\u03A9\\x.map", NameKind::File, "D:\\E5~1\\keep\\O~1\\x.map"},
        // A file's own name is never shortened; a folder's last part is.
        {L"D:\\Editor\\maps\\\u03A9mega.map", NameKind::File, std::nullopt},
        {L"D:\\Editor\\maps\\\u03A9mega.map", NameKind::Folder, "D:\\Editor\\maps\\OMEGA~1.MAP"},
        {L"D:\\Games\\\u03A9mega\\", NameKind::Folder, "D:\\Games\\OMEGA~1\\"},
        {L"D:\\Games\\\u03A9mega", NameKind::Folder, "D:\\Games\\OMEGA~1"},
        // No short name (switched off, or no such folder), or one that does not convert either.
        {L"D:\\Other\\\u03A9mega\\castle.map", NameKind::File, std::nullopt},
        {L"D:\\Odd\\\u03A9\\castle.map", NameKind::File, std::nullopt},
        // Full-width quotes and ampersands, which a best fit would turn into a command.
        {L"D:\\maps\\a\uFF02 \uFF06 mkdir pwned \uFF06 \uFF02b.map", NameKind::File, std::nullopt},
        {L"D:\\maps\\\u65E5\u672C.map", NameKind::File, std::nullopt},
        // A file that only points at its folder: the folder passes the rule, the file's name is left out.
        {L"D:\\Tools\\\u65E5\u672C.exe", NameKind::ContainingFolder, "D:\\Tools\\"},
        {L"D:\\Editor\\\u03A9maps\\qcsg.exe", NameKind::ContainingFolder, "D:\\Editor\\OMAPS~1\\"},
        {L"D:\\Other\\\u03A9mega\\hl.exe", NameKind::ContainingFolder, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GatePath(c.path, c.kind, system), c.taken) << ShownName(c.path, system);

    // Listing entries: a file by its own name only, a folder by its short name where it must.
    EXPECT_EQ(GateEntry(L"QCSG.EXE", L"", false, system), "QCSG.EXE");
    EXPECT_EQ(GateEntry(L"\uFF31\uFF23\uFF33\uFF27.\uFF25\uFF38\uFF25", L"QCSG~1.EXE", false, system),
              std::nullopt);
    EXPECT_EQ(GateEntry(L"\u03A9mega", L"OMEGA~1", true, system), "OMEGA~1");
    EXPECT_EQ(GateEntry(L"\u03A9mega", L"", true, system), std::nullopt);
    EXPECT_EQ(ShownName(L"D:\\\u65E5\u672C.map", system), "D:\\??.map");
}

} // namespace
} // namespace korva
