// Text between the system code page and UTF-16, for the wide calls the program makes and the Unicode
// windows it reads: plain conversions, without the rule for names (platform/SystemNames.h), which
// Win32Names builds on them.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace korva::win32 {

// 8-bit text of the system code page as UTF-16, for the wide calls that take a name in. Always exact.
std::wstring WideText(std::string_view text);

// UTF-16 text in a code page, without best fit. exact is false when a character has no form of its own
// there: it is then written as the code page's default character. In UTF-8 only text that is no valid
// UTF-16 fails.
std::string InCodePage(std::wstring_view text, UINT codePage, bool& exact);

// UTF-16 text in the system code page, exactly. Throws Error when a character has no form of its own
// there: such a text is read in UTF-16, never as "?".
std::string ExactCodePageText(std::wstring_view text);

} // namespace korva::win32
