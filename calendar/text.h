#pragma once

#include <concepts>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "calendar/utf8_text.h"

// The small text jobs every reader of typed or stored text needs, in one place.
namespace selenarc {

// The text without the blanks (by default spaces and tabs) at either end.
std::string_view trimmed(std::string_view text, std::string_view blanks = " \t");

// The value of a text made only of ASCII digits: no sign, no blank, nothing else. Nothing when the
// text is empty, holds anything else or is too large for `Whole`.
template <std::integral Whole>
std::optional<Whole> parseWholeNumber(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    // A plain loop rather than std::from_chars: the tables read hundreds of thousands of short
    // fields at start-up, and this one inlines.
    constexpr Whole kLargest = std::numeric_limits<Whole>::max();
    // Fewer digits than the type always holds need no overflow check.
    const bool mayOverflow = digits.size() > static_cast<size_t>(std::numeric_limits<Whole>::digits10);
    Whole value = 0;
    for (const char c : digits) {
        const auto digit = static_cast<unsigned>(static_cast<unsigned char>(c) - '0');
        if (digit > 9 || (mayOverflow && value > (kLargest - static_cast<Whole>(digit)) / 10)) {
            return std::nullopt;
        }
        value = static_cast<Whole>(value * 10 + static_cast<Whole>(digit));
    }
    return value;
}

// Takes the first line off `rest` and returns it without its end, which may be CR LF, a lone CR or
// a lone LF. `rest` is empty after the last line.
std::string_view takeLine(std::string_view& rest);

// Every line of a text, whatever its line ends; a final line break starts no extra empty line.
std::vector<std::string_view> splitLines(std::string_view text);

// True when a non-empty text stops with a line break (a file cut in the middle of a line does not).
bool endsWithLineBreak(std::string_view text);

// Why a whole file could not be read.
enum class FileProblem { None, Missing, Folder, NotRegular, Unreadable, TooLarge };

struct WholeFile {
    std::optional<std::string> bytes;
    FileProblem problem = FileProblem::None;
    std::error_code reason;  // the system's reason, for Unreadable
};

// The bytes of a regular file of at most `maxBytes`. A pipe or a device is never opened (it would
// block or never end); the reading stops one byte past the limit, whatever size the file claims.
WholeFile readWholeFile(const std::filesystem::path& file, std::uintmax_t maxBytes);

}  // namespace selenarc
