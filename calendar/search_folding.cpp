#include "calendar/search_folding.h"

namespace selenarc {

namespace {

// Base letters of U+00C0 .. U+017F in lower case, 16 to a line; '*' marks the letters written
// with two (see twoLetters) and ' ' the signs × and ÷, which separate words.
constexpr std::string_view kLatinBase =
    "aaaaaa*ceeeeiiii"   // U+00C0 À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
    "dnooooo ouuuuy**"   // U+00D0 Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
    "aaaaaa*ceeeeiiii"   // U+00E0 à .. ï
    "dnooooo ouuuuy*y"   // U+00F0 ð .. ÿ
    "aaaaaaccccccccdd"   // U+0100 Ā ā Ă ă Ą ą Ć ć Ĉ ĉ Ċ ċ Č č Ď ď
    "ddeeeeeeeeeegggg"   // U+0110 Đ đ Ē ē Ĕ ĕ Ė ė Ę ę Ě ě Ĝ ĝ Ğ ğ
    "gggghhhhiiiiiiii"   // U+0120 Ġ ġ Ģ ģ Ĥ ĥ Ħ ħ Ĩ ĩ Ī ī Ĭ ĭ Į į
    "ii**jjkkklllllll"   // U+0130 İ ı Ĳ ĳ Ĵ ĵ Ķ ķ ĸ Ĺ ĺ Ļ ļ Ľ ľ Ŀ
    "lllnnnnnnnnnoooo"   // U+0140 ŀ Ł ł Ń ń Ņ ņ Ň ň ŉ Ŋ ŋ Ō ō Ŏ ŏ
    "oo**rrrrrrssssss"   // U+0150 Ő ő Œ œ Ŕ ŕ Ŗ ŗ Ř ř Ś ś Ŝ ŝ Ş ş
    "ssttttttuuuuuuuu"   // U+0160 Š š Ţ ţ Ť ť Ŧ ŧ Ũ ũ Ū ū Ŭ ŭ Ů ů
    "uuuuwwyyyzzzzzzs";  // U+0170 Ű ű Ų ų Ŵ ŵ Ŷ ŷ Ÿ Ź ź Ż ż Ž ž ſ
static_assert(kLatinBase.size() == 0x180 - 0xC0);

std::string_view twoLetters(char32_t c) {
    switch (c) {
        case 0xC6:
        case 0xE6:
            return "ae";
        case 0xDE:
        case 0xFE:
            return "th";
        case 0x132:
        case 0x133:
            return "ij";
        case 0x152:
        case 0x153:
            return "oe";
        default:
            return "ss";  // ß
    }
}

// One decoded character: its code point and its length in bytes (a stray byte reads as itself).
struct Decoded {
    char32_t code;
    std::size_t length;
};

Decoded decode(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length == 1 || at + length > text.size()) {
        return {lead, 1};
    }
    char32_t code = lead & (0x3F >> (length - 1));
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) {
            return {lead, 1};
        }
        code = (code << 6) | (next & 0x3F);
    }
    return {code, length};
}

bool isCombiningMark(char32_t c) {
    return c >= 0x300 && c <= 0x36F;
}

// Apostrophes, quotes, dashes and other signs that sit between words.
bool isWordSeparator(char32_t c) {
    if (c < 0x80) {
        return !((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'));
    }
    return (c >= 0xA0 && c <= 0xBF) || c == 0xD7 || c == 0xF7 || (c >= 0x2BB && c <= 0x2BC) ||
           (c >= 0x2010 && c <= 0x201F);
}

// Reads the word that ends `out` ("st", "ste") as the full word it stands for.
void expandWord(std::string& out, std::size_t wordStart) {
    const std::string_view word = std::string_view(out).substr(wordStart);
    if (word == "st") {
        out.replace(wordStart, 2, "saint");
    } else if (word == "ste") {
        out.replace(wordStart, 3, "sainte");
    }
}

}  // namespace

std::string foldForSearch(std::string_view text, bool openEnd) {
    std::string out;
    appendFolded(out, text, openEnd);
    return out;
}

void appendFolded(std::string& out, std::string_view text, bool openEnd) {
    const std::size_t keyStart = out.size();
    std::size_t wordStart = std::string::npos;  // where the word being read starts in `out`
    const auto endWord = [&] {
        if (wordStart != std::string::npos) {
            expandWord(out, wordStart);
            wordStart = std::string::npos;
        }
    };
    const auto startWord = [&] {
        if (wordStart == std::string::npos) {
            if (out.size() > keyStart) {
                out += ' ';
            }
            wordStart = out.size();
        }
    };
    for (std::size_t at = 0; at < text.size();) {
        const Decoded d = decode(text, at);
        const std::string_view raw = text.substr(at, d.length);
        at += d.length;
        if (isCombiningMark(d.code)) {
            continue;
        }
        if (isWordSeparator(d.code)) {
            endWord();
            continue;
        }
        startWord();
        if (d.code < 0x80) {
            out += static_cast<char>(d.code >= 'A' && d.code <= 'Z' ? d.code - 'A' + 'a' : d.code);
        } else if (d.code >= 0xC0 && d.code < 0x180) {
            const char base = kLatinBase[d.code - 0xC0];
            if (base == '*') {
                out += twoLetters(d.code);
            } else {
                out += base;
            }
        } else if (d.code >= 0x218 && d.code <= 0x21B) {  // Romanian comma below: Ș ș Ț ț
            out += d.code < 0x21A ? 's' : 't';
        } else {
            out += raw;
        }
    }
    if (!openEnd) {
        endWord();
    }
}

}  // namespace selenarc
