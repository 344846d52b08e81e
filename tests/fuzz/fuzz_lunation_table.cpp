// Lunation tables of any content: refused with a message naming the line, or read into consecutive
// numbers with sign columns 0..12.
#include <algorithm>

#include "fuzz_support.h"
#include "sky/ephemeris_reader.h"

namespace selenarc::fuzz {
namespace {

int fuzzLunationTable(const uint8_t* data, size_t size) {
    std::string error;
    const auto table = parseLunationText(asText(data, size), "sl.txt", error);
    if (refusedWith(table, error, "Table sl.txt, ligne ")) {
        return 0;
    }
    for (size_t i = 0; i < table->lines.size(); ++i) {
        const LunationLine& line = table->lines[i];
        const bool next = i == 0 || table->lines[i - 1].number + 1 == line.number;
        FUZZ_EXPECT(next && std::ranges::all_of(line.signs, [](SignIndex s) { return s >= 0 && s <= 12; }),
                    "line " + std::to_string(line.lineNumber));
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("lunation_table", selenarc::fuzz::fuzzLunationTable)
