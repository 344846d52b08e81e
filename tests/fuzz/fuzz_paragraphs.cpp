// Interpretation text files of any content: refused with a message naming the line, or read into
// texts that read back identically once written out again. The French typography is stable.
#include "fuzz_support.h"
#include "interpretation/french_typography.h"
#include "interpretation/paragraphs.h"

namespace selenarc::fuzz {
namespace {

int fuzzParagraphs(const uint8_t* data, size_t size) {
    const std::string typeset = frenchTypography(asText(data, size));
    FUZZ_EXPECT(frenchTypography(typeset) == typeset, "second pass of the typography");
    std::string error;
    const auto set = parseParagraphText(asText(data, size), "jupiter.txt", error);
    if (refusedWith(set, error, "Fichier de textes « jupiter.txt », ligne ")) {
        return 0;
    }
    std::string written;
    for (const auto& [key, text] : *set) {
        written.append(key).append("\t").append(text).append("\r\n");
    }
    const auto again = parseParagraphText(written, "jupiter.txt", error);
    FUZZ_EXPECT(again && *again == *set, error);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("paragraphs", selenarc::fuzz::fuzzParagraphs)
