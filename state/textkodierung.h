// UTF-8 for files, requests and the terminal; the program's texts are UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A lone surrogate cannot travel as UTF-8 and becomes U+FFFD.
std::string utf8(std::u16string_view s);
// Malformed sequences become U+FFFD, one per byte that cannot start a character.
std::u16string utf16(std::string_view s);
// The offset of the first byte that breaks UTF-8, or npos when there is none.
std::size_t utf8bruch(std::string_view s);
