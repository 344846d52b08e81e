// What the user types into the date, time and name fields. The checks answer with one of their
// fixed messages, and whatever they let through is read by the calendar routines without a message:
// an accepted date comes back unchanged from a Julian day, an accepted time gives its own instant.
#include "calendar/civil_time.h"
#include "calendar/entry_checks.h"
#include "calendar/julian_day.h"
#include "calendar/utf8_text.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

constexpr std::string_view kDateLength = "format incorrect (10 caractères requis)";
constexpr std::string_view kDateShape = "format incorrect : __/__/____";
constexpr std::string_view kTimeLength = "format incorrect (5 caractères requis)";
constexpr std::string_view kTimeShape = "format incorrect : __h__";

int digits(std::string_view text) {
    int value = 0;
    for (const char c : text) {
        value = value * 10 + (c - '0');
    }
    return value;
}

void checkDate(std::string_view text) {
    const std::string message = CheckDateText(text);
    const std::string detail = "date [" + std::string(text) + "] -> " + message;
    FUZZ_EXPECT((message == kDateLength) == (charCount(text) != 10), detail);
    FUZZ_EXPECT(message.empty() || message == kDateLength || message == kDateShape, detail);
    if (!message.empty()) {
        return;
    }
    const auto parsed = parseDayMonthYear(text);
    FUZZ_EXPECT(parsed && formatDayMonthYear(*parsed) == text, detail);

    SentMessages sent;
    const double jd = JourJulien(text, sent.sink());
    FUZZ_EXPECT(sent.messages.empty(), detail);
    const int day = digits(text.substr(0, 2)), month = digits(text.substr(3, 2)),
              year = digits(text.substr(6));
    // Days 5..14 October 1582 are read as Julian dates and come back as Gregorian ones; years after
    // 2500 lie beyond the conversion back.
    const bool julianGap = year == 1582 && month == 10 && day >= 5 && day <= 14;
    if (julianGap || year > 2500) {
        return;
    }
    const std::string expected = std::string(text.substr(0, 6)) + std::to_string(year) + " à 00h00mn00s";
    FUZZ_EXPECT(JulianDayToDate(jd, sent.sink()) == expected, detail);
}

void checkTime(std::string_view text) {
    const std::string message = CheckTimeText(text);
    const std::string detail = "time [" + std::string(text) + "] -> " + message;
    FUZZ_EXPECT((message == kTimeLength) == (charCount(text) != 5), detail);
    FUZZ_EXPECT(message.empty() || message == kTimeLength || message == kTimeShape, detail);
    if (!message.empty()) {
        return;
    }
    SentMessages sent;
    const double jd = JourJulien("15/06/2000 à " + std::string(text), sent.sink());
    FUZZ_EXPECT(sent.messages.empty(), detail);
    FUZZ_EXPECT(jd == julianDayFromFields(2000, 6, 15, digits(text.substr(0, 2)), digits(text.substr(3))),
                detail);
}

void checkName(std::string_view name) {
    const bool forbidden = name.find_first_of("*?/\\&@%!:#,;.") != std::string_view::npos;
    FUZZ_EXPECT(hasForbiddenNameCharacter(name) == forbidden, "name [" + std::string(name) + "]");
}

int fuzzEntryChecks(const uint8_t* data, size_t size) {
    const std::string_view text = asText(data, size);
    checkDate(text);
    checkTime(text);
    checkName(text);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("entry_checks", selenarc::fuzz::fuzzEntryChecks)
