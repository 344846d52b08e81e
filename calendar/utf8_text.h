#pragma once

#include <cstddef>
#include <string_view>

namespace selenarc {

// Character counting on UTF-8 text: a character is a lead byte and the continuation bytes
// (10xxxxxx) that follow it. Malformed text never stalls: a stray byte counts as one character.

inline constexpr bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offset just after the first `count` characters of `text` (its size when shorter).
inline constexpr std::size_t byteOffsetOfChar(std::string_view text, std::size_t count) {
    std::size_t offset = 0;
    for (; count > 0 && offset < text.size(); --count) {
        ++offset;
        while (offset < text.size() && isContinuationByte(text[offset])) {
            ++offset;
        }
    }
    return offset;
}

inline constexpr std::size_t charCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        count += (i == 0 || !isContinuationByte(text[i])) ? 1 : 0;
    }
    return count;
}

// First `count` characters, and the text after them.
inline constexpr std::string_view firstChars(std::string_view text, std::size_t count) {
    return text.substr(0, byteOffsetOfChar(text, count));
}
inline constexpr std::string_view dropChars(std::string_view text, std::size_t count) {
    return text.substr(byteOffsetOfChar(text, count));
}

}  // namespace selenarc
