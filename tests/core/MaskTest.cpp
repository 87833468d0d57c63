// File masks: what matches, what fails to compile and where, the floating-step limit, mask lists, and
// the matcher checked against a plain table-wise reading of the same steps (MaskReference.h).
#include "platform/Error.h"
#include "search/Masks.h"
#include "tests/core/MaskReference.h"

#include <gtest/gtest.h>

#include <random>

namespace korva {
namespace {

std::string CompileError(std::string_view mask) {
    try {
        TMask compiled(mask);
    } catch (const Error& e) {
        return e.what();
    }
    return "(compiled)";
}

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

TEST(TMask, MatchesWholeNamesIgnoringAsciiCaseOnly) {
    const struct {
        const char* mask;
        const char* name;
        bool matches;
    } cases[] = {
        {"*", "", true},
        {"*", "any name.txt", true},
        {"", "", true},
        {"", "a", false},
        {"QCSG.EXE", "qcsg.exe", true},
        {"QCSG.EXE", "Qcsg.Exe", true},
        {"QCSG.EXE", "QCSG.EXE.BAK", false},
        {"QCSG.EXE", "XQCSG.EXE", false},
        {"QCSG.EXE", "QCSG.EX", false},
        {"*.EXE", ".exe", true},
        {"*.EXE", "a.b.exe", true},
        {"*.EXE", "exe", false},
        {"*.EXE", "a.exe.b", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c", "abbc", false},
        {"a?", "a", false},
        {"a*?", "a", true}, // "?" after "*" is dropped
        {"*?", "", true},
        {"a?*", "a", false},
        {"[a-c]x", "Bx", true},
        {"[a-c]x", "bx", true},
        {"[a-c]x", "dx", false},
        {"[!a-c]x", "dx", true},
        {"[!a-c]x", "bx", false},
        {"[!a-c]x", "x", false}, // a set needs a character
        {"*[!a]", "aaa", false},
        {"*[!a]", "ab", true},
        {"[a-c-e]", "d", true},
        {"[a-c-e]", "f", false},
        {"[_-a]", "_", true},
        {"[_-a]", "b", false},
        {"[a-]x]", "]", true}, // one set: A to "]", then X
        {"[a-]x]", "x", true},
        {"[a-]x]", "Z", true},
        {"[a-]x]", "^", false},
        {"[b-a]", "b", true}, // a falling range adds nothing, its start stays
        {"[b-a]", "a", false},
        {"[*?[!]", "?", true}, // special characters are plain members
        {"[*?[!]", "!", true},
        {"[*?[!]", "a", false},
        {"a]b-!", "A]B-!", true},
        {"my file.txt", "MY FILE.TXT", true},
        {"x;y", "x;y", true},
        {"\xe9", "\xe9", true}, // no case outside ASCII
        {"\xe9", "\xc9", false},
        {"[\xe0-\xef]", "\xe9", true},
        {"[\xe0-\xef]", "\xc9", false},
        {"*ab", "aab", true}, // needs a retry after the first "a"
        {"a*a", "a", false},
        {"a*a", "aa", true},
        {"a*b*c*d", "aXbYcZd", true},
        {"a*b*c*d", "abdc", false},
        {"*a*b", "xaxxbxb", true},
        {"*b*", "aaa", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TMask(c.mask).MatchName(c.name), c.matches) << "mask " << c.mask << ", name " << c.name;
}

TEST(TMask, InvalidMasksNameTheFaultsPosition) {
    const struct {
        const char* mask;
        const char* message;
    } cases[] = {
        {"[]", "'[]' is an invalid mask at (2)"},
        {"[!]", "'[!]' is an invalid mask at (3)"},
        {"abc[", "'abc[' is an invalid mask at (5)"},
        {"[-a]", "'[-a]' is an invalid mask at (2)"},
        {"[!-a]", "'[!-a]' is an invalid mask at (3)"},
        {"[a-", "'[a-' is an invalid mask at (4)"},
        {"[a-]", "'[a-]' is an invalid mask at (5)"}, // "]" is the range's end, so the set stays open
        {"x[ab", "'x[ab' is an invalid mask at (5)"},
        {"*[!", "'*[!' is an invalid mask at (4)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompileError(c.mask), c.message);
}

TEST(TMask, HoldsThirtyFloatingStepsAndRefusesTheThirtyFirst) {
    const std::string thirty = Repeat("*a", 30);
    const TMask mask(thirty);
    EXPECT_TRUE(mask.MatchName(Repeat("a", 30)));
    EXPECT_TRUE(mask.MatchName(Repeat("ba", 30)));
    EXPECT_FALSE(mask.MatchName(Repeat("a", 29)));

    // The error names the character that completes the 31st floating step.
    const struct {
        std::string mask;
        std::size_t position;
    } cases[] = {
        {thirty + "*a", 62},        // a character
        {thirty + "*[xy]", 65},     // a set's "]"
        {thirty + "*", 62},         // the end step, at length + 1
        {thirty + "**?*?b", 66},    // "?" after "*" adds no step
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompileError(c.mask), "'" + c.mask + "' is an invalid mask at (" + std::to_string(c.position) + ")");
    EXPECT_EQ(CompileError(thirty + "b"), "(compiled)"); // a step that does not float is no limit
}

TEST(TMask, ManyFloatingStepsDoNotMakeMatchingExplode) {
    // A plain backtracking search tries every way of placing 29 floating "a" steps in 200 letters
    // before it gives up; this has to come back at once.
    const TMask mask(Repeat("*a", 29) + "*b");
    EXPECT_FALSE(mask.MatchName(Repeat("a", 200)));
    EXPECT_TRUE(mask.MatchName(Repeat("a", 200) + "b"));
}

TEST(TMask, AgreesWithALiteralReadingOfItsStepsOnRandomInput) {
    std::mt19937 random(4711);
    const std::string maskChars = "ab*?*[]!-";
    const std::string nameChars = "abAB-";
    int compiled = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string mask, name;
        for (int n = random() % 10; n > 0; --n)
            mask += maskChars[random() % maskChars.size()];
        for (int n = random() % 9; n > 0; --n)
            name += nameChars[random() % nameChars.size()];
        try {
            const TMask m(mask);
            ++compiled;
            ASSERT_EQ(m.MatchName(name), testing::ReferenceMatch(m, name)) << "mask " << mask << ", name " << name;
        } catch (const Error&) {
        }
    }
    EXPECT_GT(compiled, 10000);
}

TEST(ParseMaskList, SplitsAtCommasAndTrimsBlanks) {
    const struct {
        const char* text;
        std::size_t entries;
        const char* matching;     // a name that some entry matches, or null
        const char* notMatching;  // a name that none matches
    } cases[] = {
        {"*.exe,,*.com", 2, "x.com", "x.bat"},
        {",*.exe", 1, "x.exe", "x.com"},
        {"*.exe,", 1, "x.exe", ""},
        {"  ", 0, nullptr, "a"},
        {"", 0, nullptr, ""},
        {" , ,", 0, nullptr, "a"},
        {" *.exe , *.com ", 2, "X.COM", "x.com "},
        {"a b,c", 2, "A B", "a b,c"},
        {"x;y", 1, "x;y", "x"},
        {"qcsg.exe, vis.exe", 2, "VIS.EXE", " vis.exe"},
    };
    for (const auto& c : cases) {
        TMaskList list;
        ParseMaskList(list, c.text);
        EXPECT_EQ(list.size(), c.entries) << c.text;
        if (c.matching) {
            EXPECT_TRUE(MatchesAnyMask(list, c.matching)) << c.text;
        }
        EXPECT_FALSE(MatchesAnyMask(list, c.notMatching)) << c.text;
    }
}

TEST(ParseMaskList, AppendsAndKeepsTheEntriesBeforeAnInvalidOne) {
    TMaskList list;
    ParseMaskList(list, "*.bat");
    try {
        ParseMaskList(list, "*.exe,  [a,b]");
        FAIL() << "a comma cannot stand inside a set";
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "'[a' is an invalid mask at (3)"); // the trimmed entry's text
    }
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(MatchesAnyMask(list, "a.bat"));
    EXPECT_TRUE(MatchesAnyMask(list, "a.exe"));
}

} // namespace
} // namespace korva
