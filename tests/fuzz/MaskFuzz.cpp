// libFuzzer target for the file masks and path joining. The first byte picks what is tried; the rest
// is a mask (or mask-list) text, then, after a 0 byte, names separated by 0 bytes.
// Any crash, sanitizer report or exception other than the invalid-mask error ends the run.
#include "platform/Error.h"
#include "search/Masks.h"
#include "search/SFolders.h"
#include "tests/core/MaskReference.h"
#include "tests/fakes/FakeLeadBytes.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace korva;
using fuzz::Check;

// "'<text>' is an invalid mask at (<n>)" with n from 1 to the length + 1.
void CheckInvalidMaskMessage(std::string_view text, const Error& error) {
    const std::string message = error.what();
    const std::string head = "'" + std::string(text) + "' is an invalid mask at (";
    Check(message.compare(0, head.size(), head) == 0 && message.back() == ')', "invalid-mask message form");
    const std::string digits = message.substr(head.size(), message.size() - head.size() - 1);
    Check(!digits.empty() && digits.size() < 12 && digits.find_first_not_of("0123456789") == std::string::npos,
          "invalid-mask position is a number");
    const unsigned long long position = std::stoull(digits);
    Check(position >= 1 && position <= text.size() + 1, "invalid-mask position within the text");
}

std::vector<std::string_view> Split(std::string_view names) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t cut = names.find('\0');
        parts.push_back(names.substr(0, cut));
        if (cut == std::string_view::npos)
            return parts;
        names.remove_prefix(cut + 1);
    }
}

void OneMask(std::string_view text, const std::vector<std::string_view>& names) {
    try {
        const TMask mask(text);
        Check(mask.StepCount() >= 1 && mask.StepCount() <= static_cast<std::int32_t>(text.size()) + 1, "step count");
        for (std::string_view name : names)
            Check(mask.MatchName(name) == testing::ReferenceMatch(mask, name), "matcher agrees with the steps");
    } catch (const Error& e) {
        CheckInvalidMaskMessage(text, e);
    }
}

void MaskList(std::string_view text, const std::vector<std::string_view>& names) {
    TMaskList list;
    try {
        ParseMaskList(list, text);
    } catch (const Error& e) {
        const std::string message = e.what();
        const std::size_t quote = message.rfind("' is an invalid mask at (");
        Check(message.size() > 1 && quote != std::string::npos, "invalid-mask message form");
        const std::string entry = message.substr(1, quote - 1);
        Check(!entry.empty() && entry.front() != ' ' && entry.back() != ' ' && entry.find(',') == std::string::npos &&
                  text.find(entry) != std::string_view::npos,
              "the failing entry is a trimmed part of the text");
        CheckInvalidMaskMessage(entry, e);
    }
    Check(list.size() <= text.size() / 2 + 1, "no more entries than the commas allow");
    for (std::string_view name : names) {
        bool any = false;
        for (const TMultiMask& entry : list)
            any = any || entry.FMask.MatchName(name);
        Check(MatchesAnyMask(list, name) == any, "a list matches when one of its masks does");
    }
}

void Join(std::string_view folder, std::string_view name) {
    for (LeadByteTest test : {LeadByteTest{nullptr}, LeadByteTest{fakes::ShiftJisLeadByte}}) {
        const std::string joined = JoinPath(folder, name, test);
        if (folder.empty()) {
            Check(joined.empty(), "an empty folder joins to nothing");
            continue;
        }
        Check(joined.compare(0, folder.size(), folder) == 0, "the folder stays in front");
        Check(joined.size() == folder.size() + name.size() ||
                  (joined.size() == folder.size() + 1 + name.size() && joined[folder.size()] == '\\'),
              "at most one backslash between");
        Check(joined.compare(joined.size() - name.size(), name.size(), name) == 0, "the name ends it");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t cut = rest.find('\0');
    const std::string_view text = rest.substr(0, cut);
    const std::vector<std::string_view> names =
        Split(cut == std::string_view::npos ? std::string_view{} : rest.substr(cut + 1));
    switch (mode % 3) {
    case 0: OneMask(text, names); break;
    case 1: MaskList(text, names); break;
    case 2: Join(text, names.front()); break;
    }
    return 0;
}
