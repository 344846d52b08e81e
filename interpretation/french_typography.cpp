#include "interpretation/french_typography.h"

#include <array>

#include "calendar/utf8_text.h"

namespace selenarc {
namespace {

constexpr char32_t kNoBreakSpace = U'\u00A0';
constexpr char32_t kNarrowNoBreakSpace = U'\u202F';
constexpr char32_t kApostrophe = U'\u2019';
constexpr char32_t kOpeningQuote = U'\u00AB';
constexpr char32_t kClosingQuote = U'\u00BB';
constexpr char32_t kEllipsis = U'\u2026';
constexpr char32_t kEnDash = U'\u2013';

// A byte that is not part of well-formed UTF-8 is carried as this offset plus the byte, so that it
// goes out exactly as it came in.
constexpr char32_t kRawByte = 0x110000;

std::u32string decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto lead = static_cast<unsigned char>(text[pos]);
        const char32_t c = nextCodePoint(text, pos);
        out += c == kInvalidCodePoint ? kRawByte + lead : c;
    }
    return out;
}

std::string encode(const std::u32string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char32_t c : text) {
        if (c >= kRawByte) {
            out += static_cast<char>(c - kRawByte);
        } else {
            appendUtf8(out, c);
        }
    }
    return out;
}

bool isDigit(char32_t c) {
    return c >= U'0' && c <= U'9';
}

// Letters and digits, accented Latin letters and the letters of other scripts; not the punctuation
// and the spaces of the Latin-1 and general-punctuation blocks.
bool isWordChar(char32_t c) {
    if (c < 0x80) {
        return isDigit(c) || (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
    }
    return c >= 0xC0 && c != 0xD7 && c != 0xF7 && !(c >= 0x2000 && c <= 0x206F) && c < kRawByte;
}

bool isBlank(char32_t c) {
    return c == U' ' || c == kNoBreakSpace || c == kNarrowNoBreakSpace;
}

bool isLineStart(const std::u32string& out) {
    return out.empty() || out.back() == U'\n' || out.back() == U'\r';
}

// Removes the blanks that end the output, unless they open a line (an indent is kept as typed).
void dropTrailingBlanks(std::u32string& out) {
    std::size_t end = out.size();
    while (end > 0 && isBlank(out[end - 1])) {
        --end;
    }
    if (end > 0 && out[end - 1] != U'\n' && out[end - 1] != U'\r') {
        out.resize(end);
    }
}

// The punctuation that takes a space before it, set with the space it takes. Nothing is inserted
// at a line start, after an opening bracket or quote, or, except before », after another such mark
// ("?!", but "? »").
void putHighPunctuation(std::u32string& out, char32_t mark, char32_t space) {
    dropTrailingBlanks(out);
    const std::u32string_view noSpaceAfter = mark == kClosingQuote ? U"([\u00AB" : U";:!?\u2026([\u00AB";
    const bool afterMark = !out.empty() && noSpaceAfter.find(out.back()) != std::u32string_view::npos;
    if (!isLineStart(out) && !isBlank(out.back()) && !afterMark) {
        out += space;
    }
    out += mark;
}

// Units written after a number: the blank between them does not break.
constexpr std::array<std::u32string_view, 22> kUnits = {
    U"an",    U"ans",   U"année",  U"années", U"mois", U"semaine", U"semaines", U"jour",
    U"jours", U"heure", U"heures", U"h",      U"min",  U"siècle",  U"siècles",  U"degrés",
    U"°",     U"%",     U"km",     U"m",      U"kg",   U"€",
};

// Whether `text` from `pos` holds a unit followed by the end of the word.
bool unitAt(const std::u32string& text, std::size_t pos) {
    for (const std::u32string_view unit : kUnits) {
        if (text.compare(pos, unit.size(), unit) == 0 &&
            (pos + unit.size() == text.size() || !isWordChar(text[pos + unit.size()]))) {
            return true;
        }
    }
    return false;
}

// Whether the output ends with a number standing alone (not the digits of a word like "A320").
bool endsWithNumber(const std::u32string& out) {
    std::size_t start = out.size();
    while (start > 0 && isDigit(out[start - 1])) {
        --start;
    }
    return start < out.size() && (start == 0 || !isWordChar(out[start - 1]));
}

}  // namespace

std::string frenchTypography(std::string_view text) {
    const std::u32string in = decode(text);
    std::u32string out;
    out.reserve(in.size() + in.size() / 16);
    bool quoteOpen = false;  // one level only: a quote mark met inside a quotation closes it
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char32_t c = in[i];
        const char32_t next = i + 1 < in.size() ? in[i + 1] : 0;
        const bool afterWord = !out.empty() && isWordChar(out.back());
        const bool opensWord = out.empty() || isBlank(out.back()) || isLineStart(out) || out.back() == U'(' ||
                               out.back() == U'[';
        const auto openQuote = [&] {
            quoteOpen = true;
            out += kOpeningQuote;
            out += kNarrowNoBreakSpace;
            while (i + 1 < in.size() && isBlank(in[i + 1])) {
                ++i;
            }
        };
        const auto closeQuote = [&] {
            quoteOpen = false;
            putHighPunctuation(out, kClosingQuote, kNarrowNoBreakSpace);
        };
        switch (c) {
            case U'\'':
                if (afterWord && isWordChar(next)) {
                    out += kApostrophe;
                } else if (!quoteOpen && opensWord && isWordChar(next)) {
                    openQuote();
                } else if (quoteOpen && !opensWord) {
                    closeQuote();
                } else {
                    out += afterWord ? kApostrophe : c;
                }
                break;
            case U'"':
                if (!quoteOpen && opensWord) {
                    openQuote();
                } else if (quoteOpen) {
                    closeQuote();
                } else {
                    out += c;
                }
                break;
            case kOpeningQuote:
                openQuote();
                break;
            case kClosingQuote:
                closeQuote();
                break;
            case U';':
            case U'!':
            case U'?':
                putHighPunctuation(out, c, kNarrowNoBreakSpace);
                break;
            case U':':
                if (!out.empty() && isDigit(out.back()) && isDigit(next)) {
                    out += c;
                } else {
                    putHighPunctuation(out, c, kNoBreakSpace);
                }
                break;
            case U'.':
                if (next == U'.' && i + 2 < in.size() && in[i + 2] == U'.') {
                    out += kEllipsis;
                    i += 2;
                } else {
                    out += c;
                }
                break;
            case U'-':
                if (isLineStart(out) && next == U' ') {
                    out += kEnDash;
                    out += kNoBreakSpace;
                    ++i;
                } else {
                    out += c;
                }
                break;
            case U'\r':
            case U'\n':
                dropTrailingBlanks(out);
                out += c;
                break;
            case U' ':
            case kNoBreakSpace:
                out += endsWithNumber(out) && unitAt(in, i + 1) ? kNoBreakSpace : c;
                break;
            default:
                out += c;
                break;
        }
    }
    dropTrailingBlanks(out);
    return encode(out);
}

}  // namespace selenarc
