// The rule that names from the system or the user pass before they become paths of the code page: "/"
// as "\", devices refused, and the rest taken exactly, by the short names of the folders that do not
// convert, or not at all; in a Western, a Cyrillic and a Japanese code page.
#include "fakes/FakeNameConversion.h"
#include "platform/SystemNames.h"

#include <gtest/gtest.h>

namespace korva {
namespace {

using fakes::FakeNameConversion;

TEST(SystemNames, ANameIsTakenExactlyOrByItsFoldersShortNamesOrNotAtAll) {
    FakeNameConversion system;
    system.shortNames = {{L"D:\\Editor\\\u03A9maps", L"OMAPS~1"},
                         {L"D:\\Editor\\maps\\\u03A9mega.map", L"OMEGA~1.MAP"},
                         {L"D:\\\u65E5", L"E5~1"},
                         {L"D:\\\u65E5\\keep\\\u03A9", L"O~1"},
                         {L"D:\\Games\\\u03A9mega", L"OMEGA~1"},
                         {L"D:\\Odd\\\u03A9", L"\u03A9"}}; // a short name no better than the long one
    const FakeNameConversion cyrillic(1251), japanese(932);
    const struct {
        const wchar_t* path;
        NameKind kind;
        std::optional<std::string> taken;
        NameRefusal refused = NameRefusal::NotInCodePage; // when nothing is taken
        const NameConversion* codePage = nullptr;          // 1252 unless given
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
        {L"D:\\Tools\\con.exe", NameKind::ContainingFolder, "D:\\Tools\\"},
        // "/", which the command interpreter reads as a switch, is kept as "\".
        {L"D:/Games/HL/", NameKind::Folder, "D:\\Games\\HL\\"},
        {L"D:/Editor/\u03A9maps/castle.map", NameKind::File, "D:\\Editor\\OMAPS~1\\castle.map"},
        {L"D:/Tools/qcsg.exe", NameKind::ContainingFolder, "D:\\Tools\\"},
        // Devices, whatever follows a full stop and in any code page: the last part is read as the
        // device; a folder of such a name cannot exist.
        {L"D:\\maps\\COM\u00B9.map", NameKind::File, std::nullopt, NameRefusal::Device},
        {L"D:\\maps\\lpt\u00B3 .level1.map", NameKind::File, std::nullopt, NameRefusal::Device},
        {L"D:\\maps\\Con.level1.map", NameKind::File, std::nullopt, NameRefusal::Device},
        {L"D:\\maps\\conout$.map", NameKind::File, std::nullopt, NameRefusal::Device},
        {L"D:\\Games\\NUL", NameKind::Folder, std::nullopt, NameRefusal::Device},
        {L"D:\\nul\\x.map", NameKind::File, std::nullopt, NameRefusal::DeviceFolder},
        {L"D:/Games/aux./", NameKind::Folder, std::nullopt, NameRefusal::DeviceFolder},
        {L"D:\\maps\\COM\u00B2.map", NameKind::File, std::nullopt, NameRefusal::Device, &japanese},
        {L"D:\\maps\\com10.map", NameKind::File, "D:\\maps\\com10.map"},
        {L"D:\\maps\\LPT0.map", NameKind::File, "D:\\maps\\LPT0.map"},
        {L"D:\\maps\\console.map", NameKind::File, "D:\\maps\\console.map"},
        // Other code pages have other letters: the same name converts in one and not in another.
        {L"D:\\\u041A\u0430\u0440\u0442\u044B\\x.map", NameKind::File, "D:\\\xCA\xE0\xF0\xF2\xFB\\x.map",
         NameRefusal::None, &cyrillic},
        {L"D:\\Editor\\maps\\caf\u00E9.map", NameKind::File, std::nullopt, NameRefusal::NotInCodePage, &cyrillic},
        {L"D:\\\u8868\\castle.map", NameKind::File, "D:\\\x95\\\\castle.map", NameRefusal::None, &japanese},
        {L"D:\\Tools\uFF06More\\", NameKind::Folder, "D:\\Tools\x81\x95More\\", NameRefusal::None, &japanese},
        {L"D:\\maps\\caf\u00E9.map", NameKind::File, std::nullopt, NameRefusal::NotInCodePage, &japanese},
    };
    for (const auto& c : cases) {
        const CheckedName checked = CheckName(c.path, c.kind, c.codePage ? *c.codePage : system);
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        EXPECT_EQ(checked.path, c.taken);
        EXPECT_EQ(checked.refusal, c.taken ? NameRefusal::None : c.refused);
        // A refusal names the name exactly as it came in, a folder part in words of its own.
        EXPECT_EQ(RefusalMessage(checked, "").rfind(L"KORVA cannot use \"" + std::wstring(c.path) + L"\": ", 0), 0u);
        EXPECT_EQ(RefusalMessage(checked, "").find(L"so no such folder can exist") != std::wstring::npos,
                  checked.refusal == NameRefusal::DeviceFolder);
    }

    // Listing entries: a file by its own name only, a folder by its short name where it must.
    EXPECT_EQ(GateEntry(L"QCSG.EXE", L"", false, system), "QCSG.EXE");
    EXPECT_EQ(GateEntry(L"\uFF31\uFF23\uFF33\uFF27.\uFF25\uFF38\uFF25", L"QCSG~1.EXE", false, system),
              std::nullopt);
    EXPECT_EQ(GateEntry(L"\u03A9mega", L"OMEGA~1", true, system), "OMEGA~1");
    EXPECT_EQ(GateEntry(L"\u03A9mega", L"", true, system), std::nullopt);
}

} // namespace
} // namespace korva
