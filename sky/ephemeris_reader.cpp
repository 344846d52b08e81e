#include "sky/ephemeris_reader.h"

#include <fstream>
#include <iterator>

#include "sky/sign_names.h"

namespace selenarc {

namespace {

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Columns first..first+width-1 (1-based) of the line, or nothing when the line is shorter.
std::optional<std::string_view> columns(std::string_view line, size_t first, size_t width) {
    if (line.size() < first - 1 + width) {
        return std::nullopt;
    }
    return line.substr(first - 1, width);
}

// Whole-number conversion of a field: leading blanks, an optional sign, then digits only.
std::optional<int> wholeNumber(std::optional<std::string_view> field) {
    if (!field) {
        return std::nullopt;
    }
    std::string_view text = *field;
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : text) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');  // at most four digits: no overflow
    }
    return negative ? -value : value;
}

std::optional<CivilDate> lineDate(std::string_view line) {
    const auto day = wholeNumber(columns(line, 1, 2));
    const auto month = wholeNumber(columns(line, 4, 2));
    const auto year = wholeNumber(columns(line, 7, 4));
    if (!day || !month || !year || *day < 1 || *month < 1) {
        return std::nullopt;
    }
    const CivilDate date{std::chrono::year{*year}, std::chrono::month{static_cast<unsigned>(*month)},
                         std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return date;
}

// " HH:MM" in columns 13-18. Anything else there is a comment and is left alone; a time-shaped text
// with an hour or minute out of range is an error (nullopt inside the outer optional).
std::optional<std::optional<std::chrono::minutes>> lineTime(std::string_view line) {
    const auto field = columns(line, 13, 6);
    if (!field) {
        return std::optional<std::chrono::minutes>{};
    }
    const std::string_view t = *field;
    if (t[0] != ' ' || t[3] != ':' || !isDigit(t[1]) || !isDigit(t[2]) || !isDigit(t[4]) || !isDigit(t[5])) {
        return std::optional<std::chrono::minutes>{};
    }
    const int hour = (t[1] - '0') * 10 + (t[2] - '0');
    const int minute = (t[4] - '0') * 10 + (t[5] - '0');
    if (hour > 23 || minute > 59) {
        return std::nullopt;
    }
    return std::optional<std::chrono::minutes>{std::chrono::hours{hour} + std::chrono::minutes{minute}};
}

std::string lineError(const std::string& fileName, int lineNumber, const char* what) {
    return "Table " + fileName + ", ligne " + std::to_string(lineNumber) + " : " + what;
}

// Calls visit(line, lineNumber) for each non-blank line, CR LF or LF ended; stops at the first false.
template <typename Visit>
bool forEachLine(std::string_view content, Visit visit) {
    int lineNumber = 0;
    while (!content.empty()) {
        const size_t end = content.find('\n');
        std::string_view line = content.substr(0, end);
        content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (isBlank(line)) {
            continue;
        }
        if (!visit(line, lineNumber)) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<IngressTable> parseIngressText(std::string_view content, const std::string& fileName,
                                             std::string& error) {
    IngressTable table;
    table.fileName = fileName;
    const bool ok = forEachLine(content, [&](std::string_view line, int lineNumber) {
        const std::optional<CivilDate> date = lineDate(line);
        if (!date) {
            error = lineError(fileName, lineNumber, "date illisible");
            return false;
        }
        if (line.size() < 11 || (line[10] != 'R' && line[10] != 'D')) {
            return true;  // another motion code: the line says nothing
        }
        if (line.size() < 12 || signIndexOfDigit(line[11]) == 0) {
            error = lineError(fileName, lineNumber, "signe illisible");
            return false;
        }
        const auto time = lineTime(line);
        if (!time) {
            error = lineError(fileName, lineNumber, "heure illisible");
            return false;
        }
        if (!table.accepted.empty() && *date < table.accepted.back().date) {
            error = lineError(fileName, lineNumber, "date antérieure à celle de la ligne précédente");
            return false;
        }
        table.accepted.push_back({*date, decodeSignDigit(line[11]), *time, lineNumber});
        return true;
    });
    if (!ok) {
        return std::nullopt;
    }
    return table;
}

std::optional<LunationTable> parseLunationText(std::string_view content, const std::string& fileName,
                                               std::string& error) {
    LunationTable table;
    table.fileName = fileName;
    const bool ok = forEachLine(content, [&](std::string_view line, int lineNumber) {
        const std::optional<int> number = wholeNumber(columns(line, 1, 4));
        if (!number) {
            error = lineError(fileName, lineNumber, "numéro de lunaison illisible");
            return false;
        }
        if (!table.lines.empty() && *number < table.lines.back().number) {
            error = lineError(fileName, lineNumber, "lunaison antérieure à celle de la ligne précédente");
            return false;
        }
        LunationLine entry{*number, {" ", " ", " ", " "}, lineNumber};
        for (size_t phase = 0; phase < 4; ++phase) {
            const size_t index = 5 + phase;  // columns 6..9
            if (index >= line.size() || line[index] == ' ') {
                continue;  // a blank or missing column: no sign for that phase
            }
            if (signIndexOfDigit(line[index]) == 0) {
                error = lineError(fileName, lineNumber, "signe illisible");
                return false;
            }
            entry.signs[phase] = std::string(1, line[index]);
        }
        table.lines.push_back(std::move(entry));
        return true;
    });
    if (!ok) {
        return std::nullopt;
    }
    return table;
}

namespace {

std::optional<std::string> readFile(const std::filesystem::path& folder, const std::string& fileName,
                                    std::string& error) {
    const std::filesystem::path path = folder / fileName;
    std::error_code code;
    if (!std::filesystem::is_regular_file(path, code)) {
        error = "Table " + fileName + " introuvable";
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string content;
    if (in) {
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!in.is_open() || in.bad()) {
        error = "Table " + fileName + " illisible";
        return std::nullopt;
    }
    return content;
}

bool loadIngress(const std::filesystem::path& folder, const std::string& fileName, IngressTable& table,
                 std::string& error) {
    const auto content = readFile(folder, fileName, error);
    if (!content) {
        return false;
    }
    auto parsed = parseIngressText(*content, fileName, error);
    if (!parsed) {
        return false;
    }
    if (parsed->accepted.empty()) {
        error = "Table " + fileName + " : aucune entrée de signe";
        return false;
    }
    table = std::move(*parsed);
    return true;
}

}  // namespace

std::optional<EphemerisTables> loadEphemerisTables(const std::filesystem::path& folder, std::string& error) {
    EphemerisTables tables;
    if (!loadIngress(folder, "so.txt", tables.sun, error) ||
        !loadIngress(folder, "su.txt", tables.moon, error) ||
        !loadIngress(folder, "sj.txt", tables.jupiter, error) ||
        !loadIngress(folder, "ss.txt", tables.saturn, error)) {
        return std::nullopt;
    }
    const auto content = readFile(folder, "sl.txt", error);
    if (!content) {
        return std::nullopt;
    }
    auto lunations = parseLunationText(*content, "sl.txt", error);
    if (!lunations) {
        return std::nullopt;
    }
    if (lunations->lines.empty()) {
        error = "Table sl.txt : aucune lunaison";
        return std::nullopt;
    }
    tables.lunations = std::move(*lunations);
    return tables;
}

}  // namespace selenarc
