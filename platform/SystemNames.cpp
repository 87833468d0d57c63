// The rule for names that come in from the system or the user.
#include "platform/SystemNames.h"

#include <algorithm>

namespace korva {
namespace {

constexpr std::wstring_view kDeviceReading =
    L"which Windows reads as a device (the console, a printer, a port or the null device)";
constexpr std::wstring_view kNotInCodePage = L"characters that the system's code page does not have";

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

// A path with "\" between its parts in the code page: exactly, or with a folder part (or a Folder's
// last part) that does not convert replaced by its short name.
std::optional<std::string> PathInCodePage(std::wstring_view path, NameKind kind, const NameConversion& system) {
    if (auto whole = Exact(path, system))
        return whole; // the common case, in one conversion
    std::string result;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(path.find(L'\\', start), path.size());
        const bool last = end == path.size();
        std::optional<std::string> text = Exact(path.substr(start, end - start), system);
        if (!text && (!last || kind == NameKind::Folder))
            text = ExactShortName(system.ShortName(std::wstring(path.substr(0, end))), system);
        if (!text)
            return std::nullopt;
        result += *text;
        if (last)
            return result;
        result += '\\';
        start = end + 1;
    }
}

std::wstring Widened(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

} // namespace

bool IsDeviceName(std::wstring_view part) {
    std::wstring_view base = part.substr(0, part.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.remove_suffix(1);
    std::wstring upper(base);
    for (wchar_t& c : upper)
        if (c >= L'a' && c <= L'z')
            c = static_cast<wchar_t>(c - L'a' + L'A');
    for (std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (upper == device)
            return true;
    if (upper.size() != 4 || !(upper.starts_with(L"COM") || upper.starts_with(L"LPT")))
        return false;
    const wchar_t number = upper[3];
    return (number >= L'1' && number <= L'9') || number == L'\u00B9' || number == L'\u00B2' ||
           number == L'\u00B3';
}

CheckedName DeviceRefusal(std::wstring_view path) {
    CheckedName refused{.name = std::wstring(path)};
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find_first_of(L"\\/:", start);
        const bool last = end == std::wstring_view::npos;
        const std::wstring_view part = path.substr(start, last ? end : end - start);
        if (IsDeviceName(part)) {
            refused.refusal = last ? NameRefusal::Device : NameRefusal::DeviceFolder;
            refused.device = part;
            return refused;
        }
        if (last)
            return refused;
        start = end + 1;
    }
}

CheckedName CheckName(std::wstring_view name, NameKind kind, const NameConversion& system) {
    CheckedName gated{.name = std::wstring(name)};
    std::wstring path(name);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (kind == NameKind::ContainingFolder) {
        const std::size_t end = path.find_last_of(L"\\:");
        path.resize(end == std::wstring::npos ? 0 : end + 1);
        kind = NameKind::Folder;
    }
    if (CheckedName device = DeviceRefusal(path); device.refusal != NameRefusal::None) {
        device.name = gated.name;
        return device;
    }
    gated.path = PathInCodePage(path, kind, system);
    if (!gated.path)
        gated.refusal = NameRefusal::NotInCodePage;
    return gated;
}

std::optional<std::string> GateEntry(std::wstring_view name, std::wstring_view shortName, bool folder,
                                     const NameConversion& system) {
    if (auto text = Exact(name, system))
        return text;
    if (!folder)
        return std::nullopt;
    return ExactShortName(shortName, system);
}

std::wstring DeviceText(const CheckedName& refused) {
    switch (refused.refusal) {
    case NameRefusal::Device:
        return L"the name " + refused.device + L", " + std::wstring(kDeviceReading) + L", not as a file or folder";
    case NameRefusal::DeviceFolder:
        return L"the folder name " + refused.device + L", " + std::wstring(kDeviceReading) +
               L", so no such folder can exist";
    case NameRefusal::None:
    case NameRefusal::NotInCodePage:
        break;
    }
    return {};
}

std::wstring RefusalMessage(const CheckedName& refused, std::string_view field) {
    std::wstring text = L"KORVA cannot use \"" + refused.name + L"\"";
    if (!field.empty())
        text += L" as the " + Widened(field);
    text += L": ";
    switch (refused.refusal) {
    case NameRefusal::Device:
        return text + L"it holds " + DeviceText(refused) + L". Give the file or the folder another name.";
    case NameRefusal::DeviceFolder:
        return text + L"it holds " + DeviceText(refused) + L". Choose another folder.";
    case NameRefusal::None:
    case NameRefusal::NotInCodePage:
        break;
    }
    if (field.empty())
        return text + L"the name holds " + std::wstring(kNotInCodePage) +
               L". KORVA would have to change them, and would then work on another file or folder. Give the "
               L"file or the folder a name without them.";
    return text + L"the text holds " + std::wstring(kNotInCodePage) +
           L", and no folder of that name has a short name without them. KORVA would have to change them, and "
           L"would then work in another folder. Type the folder without them, or give the folder a name "
           L"without them.";
}

} // namespace korva
