// Interpretation text files of any content: refused with a message naming the file and line, or read
// into keys and texts that are clean (ASCII keys, UTF-8 texts without control characters) and that
// read back identically once written out again. The French typography set on any of it is stable (a
// second pass changes nothing) and keeps every text well-formed UTF-8.
#include <algorithm>

#include "calendar/utf8_text.h"
#include "fuzz_support.h"
#include "interpretation/french_typography.h"
#include "interpretation/paragraphs.h"

namespace selenarc::fuzz {
namespace {

constexpr std::string_view kKeyCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

int fuzzParagraphs(const uint8_t* data, size_t size) {
    const std::string typeset = frenchTypography(asText(data, size));
    FUZZ_EXPECT(frenchTypography(typeset) == typeset, "second pass of the typography");
    std::string error;
    const auto set = parseParagraphText(asText(data, size), "jupiter.txt", error);
    if (!set) {
        FUZZ_EXPECT(error.starts_with("Fichier de textes « jupiter.txt », ligne "), error);
        return 0;
    }
    FUZZ_EXPECT(error.empty(), error);

    std::string written;
    for (const auto& [key, text] : *set) {
        const bool control = std::ranges::any_of(text, [](char c) { return uint8_t(c) < 0x20 || c == 0x7F; });
        const bool cleanKey = !key.empty() && key.find_first_not_of(kKeyCharacters) == std::string::npos;
        FUZZ_EXPECT(cleanKey && !control && paragraph(*set, key) == text, "key [" + key + "]");
        FUZZ_EXPECT(isValidUtf8(frenchTypography(text)), "typography of [" + key + "]");
        written.append(key).append("\t").append(text).append("\r\n");
    }
    const auto again = parseParagraphText(written, "jupiter.txt", error);
    FUZZ_EXPECT(again && *again == *set, error);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("paragraphs", selenarc::fuzz::fuzzParagraphs)
