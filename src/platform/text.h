#pragma once
// printf-style formatting and UTF-8 / UTF-16 conversion.
#include <cstdarg>
#include <string>
#include <string_view>

namespace quillon {

// Formats like printf into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string VFormat(const char* fmt, va_list args);

// Invalid sequences become U+FFFD; no input throws.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Each byte as the character with that code (U+0000..U+00FF).
std::u16string Latin1ToUtf16(std::string_view bytes);
// True when every character is at most U+00FF.
bool IsLatin1(std::u16string_view text);

}  // namespace quillon
