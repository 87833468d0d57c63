// Finding the pieces of a Windows path held in 8-bit text of the system code page. In a double-byte
// code page (Japanese, Chinese, Korean) the second byte of a character can be a backslash (95 5C is one
// character in the Japanese code page 932), so a path is walked from its start one character at a time.
// Each function takes the code page's lead-byte test, or null where every byte is one character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace korva {

// Whether a byte starts a double-byte character in the system code page.
using LeadByteTest = bool (*)(unsigned char);

// The position of the last character of text that is one of chars, or npos. A double-byte character
// counts as one character and never matches; a lead byte at the very end is a character of its own.
std::size_t LastCharacterOf(std::string_view text, std::string_view chars, LeadByteTest isLeadByte);

// Whether the last character of text is one of chars; false for an empty text.
bool EndsWithCharacterOf(std::string_view text, std::string_view chars, LeadByteTest isLeadByte);

// The text after the last backslash or colon; the whole text when it holds neither.
std::string FileNamePart(std::string_view path, LeadByteTest isLeadByte);

// The text up to and including the last backslash or colon; empty when it holds neither.
std::string FolderPart(std::string_view path, LeadByteTest isLeadByte);

// The position of the first character that no Windows path can hold: " < > | * ? or a control
// character (below 32); npos when there is none. A double-byte character never counts.
std::size_t FirstForbiddenPathCharacter(std::string_view path, LeadByteTest isLeadByte);

// The text from the last full stop to the end, when no backslash or colon stands after that full stop;
// otherwise empty. "C:\maps.old\room" has no extension.
std::string ExtensionOf(std::string_view path, LeadByteTest isLeadByte);

// The path with every "/" turned into "\". Windows' file functions take both, but the command
// interpreter reads "/" as the start of a switch. A "/" is never part of a double-byte character.
std::string WithBackslashes(std::string path);

} // namespace korva
