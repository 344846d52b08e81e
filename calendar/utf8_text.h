#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace selenarc {

// UTF-8 decoding, encoding and character counting, for every reader of text.

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

// What a malformed sequence is shown as when decoded text is written back.
inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// What nextCodePoint returns for a malformed sequence.
inline constexpr char32_t kInvalidCodePoint = 0xFFFFFFFF;

// One code point from `text` at `pos` (advanced past it); kInvalidCodePoint for a malformed sequence, of
// which one byte is consumed. Rejects overlong forms, surrogates and values above U+10FFFF.
inline constexpr char32_t nextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kInvalidCodePoint;
    }
    if (pos + length > text.size()) {
        ++pos;
        return kInvalidCodePoint;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kInvalidCodePoint;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return kInvalidCodePoint;
    }
    pos += length;
    return value;
}

inline void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Well-formed UTF-8: no stray or missing continuation byte, no overlong form, no surrogate,
// nothing beyond U+10FFFF.
inline constexpr bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        if (nextCodePoint(text, pos) == kInvalidCodePoint) {
            return false;
        }
    }
    return true;
}

}  // namespace selenarc
