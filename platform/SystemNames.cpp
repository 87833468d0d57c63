// The rule for names that come in from the system.
#include "platform/SystemNames.h"

namespace korva {
namespace {

constexpr const char* kNotInCodePage =
    "characters that the system's code page does not have (shown here as ?)";

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

std::optional<std::string> Exact(std::wstring_view name, const NameConversion& system) {
    bool exact = true;
    std::string text = system.ToCodePage(name, exact);
    if (!exact)
        return std::nullopt;
    return text;
}

// A short name as the file system gives it: nothing when there is none, or when it converts no better.
std::optional<std::string> ExactShortName(std::wstring_view shortName, const NameConversion& system) {
    if (shortName.empty())
        return std::nullopt;
    return Exact(shortName, system);
}

} // namespace

std::optional<std::string> GatePath(std::wstring_view path, NameKind kind, const NameConversion& system) {
    if (kind == NameKind::ContainingFolder) {
        const std::size_t end = path.find_last_of(L"\\/:");
        const std::size_t folderLength = end == std::wstring_view::npos ? 0 : end + 1;
        return GatePath(path.substr(0, folderLength), NameKind::Folder, system);
    }
    if (auto whole = Exact(path, system))
        return whole; // the common case, in one conversion
    std::string result;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = start;
        while (end < path.size() && !IsSeparator(path[end]))
            ++end;
        const bool last = end == path.size();
        const std::wstring_view part = path.substr(start, end - start);
        std::optional<std::string> text = Exact(part, system);
        if (!text && (!last || kind == NameKind::Folder))
            text = ExactShortName(system.ShortName(std::wstring(path.substr(0, end))), system);
        if (!text)
            return std::nullopt;
        result += *text;
        if (last)
            return result;
        result += static_cast<char>(path[end]);
        start = end + 1;
    }
}

std::optional<std::string> GateEntry(std::wstring_view name, std::wstring_view shortName, bool folder,
                                     const NameConversion& system) {
    if (auto text = Exact(name, system))
        return text;
    if (!folder)
        return std::nullopt;
    return ExactShortName(shortName, system);
}

std::string ShownName(std::wstring_view name, const NameConversion& system) {
    bool exact = true;
    return system.ToCodePage(name, exact);
}

std::string UnusableNameMessage(const std::string& shown) {
    return "KORVA cannot use \"" + shown + "\": the name holds " + kNotInCodePage +
           ". KORVA would have to change them, and would then work on another file or folder. Give the "
           "file or the folder a name without them.";
}

std::string UnusableFolderTextMessage(const std::string& field, const std::string& shown) {
    return "KORVA cannot use \"" + shown + "\" as the " + field + ": the text holds " + kNotInCodePage +
           ", and no folder of that name has a short name without them. KORVA would have to change them, and "
           "would then work in another folder. Type the folder without them, or give the folder a name "
           "without them.";
}

} // namespace korva
