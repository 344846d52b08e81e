#pragma once

#include <charconv>
#include <concepts>
#include <cstdint>
#include <filesystem>
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
    Whole value{};
    if (digits.empty() || digits.front() < '0' || digits.front() > '9') {
        return std::nullopt;  // from_chars would take a minus sign
    }
    const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (status != std::errc{} || end != digits.data() + digits.size()) {
        return std::nullopt;
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
