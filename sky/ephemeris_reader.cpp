#include "sky/ephemeris_reader.h"

#include <algorithm>
#include <cstring>

#include "calendar/text.h"
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
    text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));  // leading blanks only
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    const std::optional<int> value = parseWholeNumber<int>(text);
    if (!value) {
        return std::nullopt;
    }
    return negative ? -*value : *value;
}

// Digits of line[first, first + count), which the line holds, or -1 when one of them is not a digit.
inline int plainDigits(std::string_view line, size_t first, size_t count) {
    return parseWholeNumber<int>(std::string_view(line.data() + first, count)).value_or(-1);
}

std::optional<CivilDate> validDate(int day, int month, int year) {
    if (day < 1 || month < 1) {
        return std::nullopt;
    }
    const CivilDate date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                         std::chrono::day{static_cast<unsigned>(day)}};
    return date.ok() ? std::optional(date) : std::nullopt;
}

std::optional<CivilDate> lineDate(std::string_view line) {
    // "DD/MM/YYYY", the shape of every line of the shipped tables, read directly; any other shape
    // (a blank or a sign in a field) goes through the field reader.
    if (line.size() >= 10 && line[2] == '/' && line[5] == '/') {
        const int day = plainDigits(line, 0, 2), month = plainDigits(line, 3, 2),
                  year = plainDigits(line, 6, 4);
        if (day >= 0 && month >= 0 && year >= 0) {
            return validDate(day, month, year);
        }
    }
    const std::optional<int> day = wholeNumber(columns(line, 1, 2));
    const std::optional<int> month = wholeNumber(columns(line, 4, 2));
    const std::optional<int> year = wholeNumber(columns(line, 7, 4));
    if (!day || !month || !year) {
        return std::nullopt;
    }
    return validDate(*day, *month, *year);
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

std::string lineError(const std::string& fileName, int lineNumber, std::string_view what) {
    return "Table " + fileName + ", ligne " + std::to_string(lineNumber) + " : " + std::string(what);
}

// Calls visit(line, lineNumber) for each non-blank line; CR LF, a lone LF and a lone CR all end a
// line. Stops at the first false. The next CR and the next LF are each looked for with memchr only
// once the scan has passed them: one pass over the text whatever the line ends.
template <typename Visit>
bool forEachLine(std::string_view content, Visit visit) {
    if (content.empty()) {
        return true;
    }
    const char* const begin = content.data();
    const char* const end = begin + content.size();
    const auto next = [end](const char* from, char c) {
        const void* found = std::memchr(from, c, static_cast<size_t>(end - from));
        return found ? static_cast<const char*>(found) : end;
    };
    const char* nextCR = next(begin, '\r');
    const char* nextLF = next(begin, '\n');
    int lineNumber = 0;
    for (const char* start = begin; start < end;) {
        if (nextCR < start) {
            nextCR = next(start, '\r');
        }
        if (nextLF < start) {
            nextLF = next(start, '\n');
        }
        const char* stop = std::min(nextCR, nextLF);
        const std::string_view line(start, static_cast<size_t>(stop - start));
        start = stop == end ? end : stop + (stop == nextCR && stop + 1 == nextLF ? 2 : 1);
        ++lineNumber;
        if (isBlank(line)) {
            continue;
        }
        if (!visit(line, lineNumber)) {
            return false;
        }
    }
    return true;
}

// Room for every line of a table without counting them: a line holds at least a date and a sign,
// and capacity beyond what is filled costs address space, not memory.
size_t lineCapacity(std::string_view content) {
    constexpr size_t kShortestLine = 12;
    return content.size() / kShortestLine + 1;
}

}  // namespace

std::optional<IngressTable> parseIngressText(std::string_view content, const std::string& fileName,
                                             std::string& error) {
    IngressTable table;
    table.fileName = fileName;
    table.accepted.reserve(lineCapacity(content));
    const bool ok = forEachLine(content, [&](std::string_view line, int lineNumber) {
        const std::optional<CivilDate> date = lineDate(line);
        if (!date) {
            error = lineError(fileName, lineNumber, "date illisible");
            return false;
        }
        if (line.size() < 11 || (line[10] != 'R' && line[10] != 'D')) {
            return true;  // another motion code: the line says nothing
        }
        const SignIndex sign = line.size() < 12 ? SignIndex{0} : signIndexOfDigit(line[11]);
        if (sign == 0) {
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
        IngressLine& accepted = table.accepted.emplace_back();  // filled in place: a large table
        accepted.date = *date;
        accepted.sign = sign;
        accepted.timeUT = *time;
        accepted.lineNumber = lineNumber;
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
    table.lines.reserve(lineCapacity(content));
    const bool ok = forEachLine(content, [&](std::string_view line, int lineNumber) {
        const std::optional<int> number = wholeNumber(columns(line, 1, 4));
        if (!number) {
            error = lineError(fileName, lineNumber, "numéro de lunaison illisible");
            return false;
        }
        if (!table.lines.empty() && *number != table.lines.back().number + 1) {
            const int expected = table.lines.back().number + 1;
            error = lineError(
                fileName, lineNumber,
                "lunaison " + std::to_string(*number) + " au lieu de " + std::to_string(expected) +
                    (*number > expected ? " (il manque des lunaisons)" : " (numéro répété ou en recul)"));
            return false;
        }
        LunationLine entry{*number, {}, lineNumber};
        for (size_t phase = 0; phase < 4; ++phase) {
            const size_t index = 5 + phase;  // columns 6..9
            if (index >= line.size() || line[index] == ' ') {
                continue;  // a blank or missing column: no sign for that phase
            }
            entry.signs[phase] = signIndexOfDigit(line[index]);
            if (entry.signs[phase] == 0) {
                error = lineError(fileName, lineNumber, "signe illisible");
                return false;
            }
        }
        table.lines.push_back(std::move(entry));
        return true;
    });
    if (!ok) {
        return std::nullopt;
    }
    return table;
}

std::string checkSignSequence(const IngressTable& table, SignMotion motion) {
    const auto& lines = table.accepted;
    for (size_t i = 1; i < lines.size(); ++i) {
        const IngressLine& before = lines[i - 1];
        const IngressLine& line = lines[i];
        if (before.date == line.date && before.timeUT && line.timeUT && *line.timeUT <= *before.timeUT) {
            return lineError(table.fileName, line.lineNumber,
                             "heure antérieure à celle de la ligne précédente");
        }
        const int previous = before.sign;
        const int sign = line.sign;
        const bool forward = sign == previous % 12 + 1;
        const bool back = sign == (previous + 10) % 12 + 1;
        if (!forward && !(back && motion == SignMotion::ForwardOrBack)) {
            const std::string expected = motion == SignMotion::ForwardOnly
                                             ? SignName(static_cast<SignIndex>(previous % 12 + 1))
                                             : SignName(static_cast<SignIndex>(previous % 12 + 1)) + " ou " +
                                                   SignName(static_cast<SignIndex>((previous + 10) % 12 + 1));
            return lineError(table.fileName, line.lineNumber,
                             "entrée en " + SignName(static_cast<SignIndex>(sign)) + " après " +
                                 SignName(static_cast<SignIndex>(previous)) + " (attendu : " + expected +
                                 ") ; une ligne manque ou est fausse");
        }
    }
    return {};
}

namespace {

// The largest table read: far above the 1.5 MB of the Moon's, far below what would exhaust memory.
constexpr std::uintmax_t kLargestTable = 64u << 20;

std::optional<std::string> readFile(const std::filesystem::path& folder, const std::string& fileName,
                                    std::string& error) {
    WholeFile file = readWholeFile(folder / fileName, kLargestTable);
    switch (file.problem) {
        case FileProblem::None:
            return std::move(file.bytes);
        case FileProblem::Missing:
        case FileProblem::Folder:
        case FileProblem::NotRegular:
            error = "Table " + fileName + " introuvable";
            return std::nullopt;
        case FileProblem::Unreadable:
        case FileProblem::TooLarge:
            break;
    }
    error = "Table " + fileName + " illisible";
    return std::nullopt;
}

bool loadIngress(const std::filesystem::path& folder, const std::string& fileName, SignMotion motion,
                 IngressTable& table, std::string& error) {
    const auto content = readFile(folder, fileName, error);
    if (!content) {
        return false;
    }
    auto parsed = parseIngressText(*content, fileName, error);
    if (!parsed) {
        return false;
    }
    if (error = checkSignSequence(*parsed, motion); !error.empty()) {
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
    if (!loadIngress(folder, "so.txt", SignMotion::ForwardOnly, tables.sun, error) ||
        !loadIngress(folder, "su.txt", SignMotion::ForwardOnly, tables.moon, error) ||
        !loadIngress(folder, "sj.txt", SignMotion::ForwardOrBack, tables.jupiter, error) ||
        !loadIngress(folder, "ss.txt", SignMotion::ForwardOrBack, tables.saturn, error)) {
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
