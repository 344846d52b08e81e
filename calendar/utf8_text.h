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

// Well-formed UTF-8: no stray or missing continuation byte, no overlong form, no surrogate,
// nothing beyond U+10FFFF.
inline constexpr bool isValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            if (!isContinuationByte(text[i + k])) {
                return false;
            }
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        constexpr char32_t kSmallest[5] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace selenarc
