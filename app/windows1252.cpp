#include "app/windows1252.h"

#include <algorithm>
#include <array>

#include "calendar/utf8_text.h"

namespace selenarc {

namespace {

constexpr char32_t kInvalid = kInvalidCodePoint;

// Windows-1252 bytes 0x80..0x9F; 0 where the code page defines nothing. Other bytes equal Latin-1.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t fromWindows1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char32_t c = kWindows1252High[byte - 0x80];
        return c != 0 ? c : kReplacementCharacter;
    }
    return byte;
}

// The byte for `c`, or "?" when the code page lacks it.
char toWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    const auto found = std::find(kWindows1252High.begin(), kWindows1252High.end(), c);
    if (c != 0 && found != kWindows1252High.end()) {
        return static_cast<char>(0x80 + (found - kWindows1252High.begin()));
    }
    return '?';
}

}  // namespace

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        out += toWindows1252(nextCodePoint(utf8, pos));
    }
    return out;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        appendUtf8(out, fromWindows1252(static_cast<unsigned char>(byte)));
    }
    return out;
}

bool fitsWindows1252(std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, pos);
        if (c == kInvalid || (toWindows1252(c) == '?' && c != U'?')) {
            return false;
        }
    }
    return true;
}

std::vector<std::string> charactersOutsideCodePage(std::string_view utf8) {
    std::vector<std::string> found;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, pos);
        if (c == kInvalid || (toWindows1252(c) == '?' && c != U'?')) {
            std::string one;
            appendUtf8(one, c == kInvalid ? kReplacementCharacter : c);
            if (std::find(found.begin(), found.end(), one) == found.end()) {
                found.push_back(one);
            }
        }
    }
    return found;
}

}  // namespace selenarc
