// Lunation tables (sl.txt) of any content: refused with a message naming the line, or read into
// consecutive numbers (no gap, no repeat), within what four columns can hold, and one-character sign
// codes.
#include <algorithm>

#include "fuzz_support.h"
#include "sky/ephemeris_reader.h"
#include "sky/sign_names.h"

namespace selenarc::fuzz {
namespace {

bool isSignColumn(SignIndex sign) {
    return sign >= 0 && sign <= 12;
}

int fuzzLunationTable(const uint8_t* data, size_t size) {
    std::string error;
    const auto table = parseLunationText(asText(data, size), "sl.txt", error);
    if (!table) {
        FUZZ_EXPECT(error.starts_with("Table sl.txt, ligne "), error);
        return 0;
    }
    FUZZ_EXPECT(error.empty() && table->fileName == "sl.txt", error);
    for (size_t i = 0; i < table->lines.size(); ++i) {
        const LunationLine& line = table->lines[i];
        const bool ascending = i == 0 || table->lines[i - 1].number + 1 == line.number;
        FUZZ_EXPECT(line.number >= -999 && line.number <= 9999 && ascending &&
                        std::ranges::all_of(line.signs, isSignColumn),
                    "line " + std::to_string(line.lineNumber));
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("lunation_table", selenarc::fuzz::fuzzLunationTable)
