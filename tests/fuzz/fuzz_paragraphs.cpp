// Interpretation text files of any content: refused with a message naming the file and line, or read
// into keys and texts that are clean (ASCII keys, UTF-8 texts without control characters) and that
// read back identically once written out again.
#include <algorithm>

#include "fuzz_support.h"
#include "interpretation/paragraphs.h"

namespace selenarc::fuzz {
namespace {

bool isCleanKey(std::string_view key) {
    return !key.empty() &&
           key.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_") ==
               std::string_view::npos;
}

bool hasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return uint8_t(c) < 0x20 || c == 0x7F; });
}

int fuzzParagraphs(const uint8_t* data, size_t size) {
    std::string error;
    const auto set = parseParagraphText(asText(data, size), "jupiter.txt", error);
    if (!set) {
        FUZZ_EXPECT(error.starts_with("Fichier de textes « jupiter.txt », ligne "), error);
        return 0;
    }
    FUZZ_EXPECT(error.empty(), error);

    std::string written;
    for (const auto& [key, text] : *set) {
        FUZZ_EXPECT(isCleanKey(key), "key [" + key + "]");
        FUZZ_EXPECT(!hasControlCharacter(text), "text of " + key);
        FUZZ_EXPECT(paragraph(*set, key) == text, key);
        written.append(key).append("\t").append(text).append("\r\n");
    }
    std::string againError;
    const auto again = parseParagraphText(written, "jupiter.txt", againError);
    FUZZ_EXPECT(again && *again == *set, againError);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("paragraphs", selenarc::fuzz::fuzzParagraphs)
