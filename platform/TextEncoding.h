#pragma once
// Story texts are bytes. For display a text that is valid UTF-8 is shown as it is; any other is
// read as Windows-1252, the code page the stories were usually written in.
#include <string>

namespace platform {

bool IsValidUtf8(const std::string& text);

// Windows-1252 bytes as UTF-8; bytes the code page leaves undefined keep their own value.
std::string Cp1252ToUtf8(const std::string& text);

// The text as UTF-8 for display: unchanged when valid UTF-8, else read as Windows-1252.
std::string ToDisplayUtf8(const std::string& text);

// Appends the UTF-8 encoding of one code point.
void AppendUtf8(std::string& out, unsigned codePoint);

}  // namespace platform
