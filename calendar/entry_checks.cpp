#include "calendar/entry_checks.h"

#include <array>

#include "calendar/text.h"

namespace selenarc {

namespace {

struct CharRange {
    char low;
    char high;
};

// Each character must lie in the range of its position; a non-ASCII character (a byte of 0x80
// or more) lies in none, so a text of the right length in characters but with accents fails here.
template <std::size_t N>
bool matchesPositions(std::string_view text, const std::array<CharRange, N>& allowed) {
    if (text.size() != N) {
        return false;
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (text[i] < allowed[i].low || text[i] > allowed[i].high) {
            return false;
        }
    }
    return true;
}

// The fields have been checked to be digits.
int digitsValue(std::string_view digits) {
    return parseWholeNumber<int>(digits).value_or(0);
}

bool isGregorianLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isGregorianLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::string CheckDateText(std::string_view text) {
    if (charCount(text) != 10) {
        return "format incorrect (10 caractères requis)";
    }
    constexpr std::array<CharRange, 10> kPositions{{{'0', '3'},
                                                    {'0', '9'},
                                                    {'/', '/'},
                                                    {'0', '1'},
                                                    {'0', '9'},
                                                    {'/', '/'},
                                                    {'0', '2'},
                                                    {'0', '9'},
                                                    {'0', '9'},
                                                    {'0', '9'}}};
    const std::string kBadShape = "format incorrect : __/__/____";
    if (!matchesPositions(text, kPositions)) {
        return kBadShape;
    }
    const int day = digitsValue(text.substr(0, 2));
    const int month = digitsValue(text.substr(3, 2));
    const int year = digitsValue(text.substr(6, 4));
    // Years below 100 are refused: no ephemeris table reaches them, and such a year is far more
    // likely a slip ("0195") than a birth in antiquity.
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) {
        return kBadShape;
    }
    return "";
}

std::string CheckTimeText(std::string_view text) {
    if (charCount(text) != 5) {
        return "format incorrect (5 caractères requis)";
    }
    constexpr std::array<CharRange, 5> kPositions{
        {{'0', '2'}, {'0', '9'}, {'h', 'h'}, {'0', '5'}, {'0', '9'}}};
    if (!matchesPositions(text, kPositions)) {
        return "format incorrect : __h__";
    }
    return "";
}

bool hasForbiddenNameCharacter(std::string_view name) {
    // ASCII only: the bytes of an accented letter in UTF-8 are all 0x80 or more.
    return name.find_first_of("*?/\\&@%!:#,;.") != std::string_view::npos;
}

}  // namespace selenarc
