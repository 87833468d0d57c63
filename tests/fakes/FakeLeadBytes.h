// A double-byte code page for tests: the lead bytes of the Japanese code page 932 (Shift JIS), where
// 95 5C is one character whose second byte is a backslash.
#pragma once

namespace korva::fakes {

inline bool ShiftJisLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9f) || (c >= 0xe0 && c <= 0xfc); }

} // namespace korva::fakes
