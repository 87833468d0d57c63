// File masks such as "QCSG.EXE", "*.EXE" or "[a-c]?x": compiling a mask text into steps, matching an
// entry's name against the steps, and comma-separated mask lists.
//
// Syntax: "*" any run of characters (several in a row act as one), "?" one character, "[...]" one
// character of a set ("[!...]" one not in it; "a-z" ranges; no member may be missing), anything else
// that exact character. Case is ignored for the ASCII letters only. There is no escape character.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

enum TMaskKind : std::uint8_t { mkChar = 0, mkAny = 1, mkSet = 2 };

// A set of 8-bit character codes.
struct TCharSet {
    std::uint64_t Bits[4] = {};

    bool Has(unsigned char c) const { return (Bits[c >> 6] >> (c & 63)) & 1u; }
    void Add(unsigned char c) { Bits[c >> 6] |= std::uint64_t{1} << (c & 63); }
    bool Empty() const { return (Bits[0] | Bits[1] | Bits[2] | Bits[3]) == 0; }
};

// One compiled step: a test of exactly one name character, or, for the last step of every mask, of
// the end of the name (an mkChar step with Ch 0).
struct TMaskStep {
    bool Floating = false; // may begin after any number of skipped characters ("*" stood before it)
    TMaskKind Kind = mkChar;
    unsigned char Ch = 0; // mkChar: the character, upper-cased
    bool Invert = false;  // mkSet: matches a character that is not a member
    TCharSet Chars;       // mkSet: the members, upper-cased
};

// A compiled mask. Complete and unchangeable once constructed.
class TMask {
public:
    // A mask holds at most this many floating steps; the matcher's retry stack has as many entries.
    static constexpr int kMaxFloating = 30;

    // Compiles the mask text. Throws korva::Error "'<mask>' is an invalid mask at (<n>)", n counted
    // from 1 (the mask's length + 1 when the fault is at its end), for "-" as the first member of a
    // set, a set left open, a set without members, or a 31st floating step.
    explicit TMask(std::string_view mask);

    // True when the whole name matches the whole mask. Never fails; the empty name is a name too.
    bool MatchName(std::string_view name) const;

    const TMaskStep* Steps() const { return FSteps.get(); }
    std::int32_t StepCount() const { return FStepCount; }

private:
    std::unique_ptr<TMaskStep[]> FSteps;
    std::int32_t FStepCount = 0;
};

// One entry of a mask list; it owns its mask.
class TMultiMask {
public:
    explicit TMultiMask(std::string_view mask) : FMask(mask) {}
    TMask FMask;
};

// A mask list owns its entries, in the order of the text they came from.
using TMaskList = std::vector<TMultiMask>;

// Appends one entry per non-empty entry of a comma-separated text; it does not empty the list first.
// Blanks (code 32) around an entry are dropped, those inside it kept. On an invalid entry it throws
// the invalid-mask error for that entry's trimmed text; the entries before it stay in the list.
void ParseMaskList(TMaskList& list, std::string_view text);

// True when some entry of the list matches the name; entries are tried in order. An empty list
// matches nothing.
bool MatchesAnyMask(const TMaskList& list, std::string_view name);

} // namespace korva
