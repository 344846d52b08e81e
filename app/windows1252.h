#pragma once

#include <string>
#include <string_view>
#include <vector>

// The code page of the person files written by earlier versions, to and from UTF-8.
namespace selenarc {

// A character Windows-1252 cannot hold, or a malformed UTF-8 sequence, is written as "?".
std::string utf8ToWindows1252(std::string_view utf8);
// True when every character of the (valid) UTF-8 text has a Windows-1252 byte.
bool fitsWindows1252(std::string_view utf8);
// The five byte values Windows-1252 leaves undefined (81 8D 8F 90 9D) become U+FFFD.
std::string windows1252ToUtf8(std::string_view bytes);

// The characters of a name that a file name cannot keep because Windows-1252 cannot hold them
// (Greek, Chinese, emoji, ...), each once, in order of appearance. Empty for every other name.
std::vector<std::string> charactersOutsideCodePage(std::string_view utf8);

}  // namespace selenarc
