// Lunation tables (sl.txt) of any content: refused with a message naming the line, or read into
// numbers that never decrease, within what four columns can hold, and one-character sign codes.
#include <algorithm>

#include "fuzz_support.h"
#include "sky/ephemeris_reader.h"
#include "sky/sign_names.h"

namespace selenarc::fuzz {
namespace {

int fuzzLunationTable(const uint8_t* data, size_t size) {
    const std::string_view text = asText(data, size);
    std::string error;
    const auto table = parseLunationText(text, "sl.txt", error);
    if (!table) {
        FUZZ_EXPECT(error.starts_with("Table sl.txt, ligne "), error);
        return 0;
    }
    FUZZ_EXPECT(error.empty(), error);
    FUZZ_EXPECT(table->fileName == "sl.txt", table->fileName);

    const int lineCount = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
    for (size_t i = 0; i < table->lines.size(); ++i) {
        const LunationLine& line = table->lines[i];
        const std::string detail = "line " + std::to_string(line.lineNumber);
        FUZZ_EXPECT(line.number >= -999 && line.number <= 9999, detail);
        FUZZ_EXPECT(i == 0 || table->lines[i - 1].number <= line.number, detail);
        FUZZ_EXPECT(i == 0 || table->lines[i - 1].lineNumber < line.lineNumber, detail);
        FUZZ_EXPECT(line.lineNumber >= 1 && line.lineNumber <= lineCount, detail);
        for (const std::string& sign : line.signs) {
            FUZZ_EXPECT(sign.size() == 1 && (sign == " " || signIndexOfDigit(sign[0]) != 0),
                        detail + " [" + sign + "]");
        }
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("lunation_table", selenarc::fuzz::fuzzLunationTable)
