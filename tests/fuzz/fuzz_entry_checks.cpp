// What the user types into the date and time fields. The checks answer with one of their fixed
// messages, and whatever they let through is read by the calendar routines without a message: an
// accepted date comes back unchanged from a Julian day, an accepted time gives its own instant.
#include "calendar/civil_time.h"
#include "calendar/entry_checks.h"
#include "calendar/julian_day.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

using namespace std::chrono;

int fuzzEntryChecks(const uint8_t* data, size_t size) {
    const std::string_view text = asText(data, size);
    const std::string date = CheckDateText(text), time = CheckTimeText(text);
    // Appended rather than "[" + ...: GCC 12 -O3 reports a false overlap for the latter.
    const std::string detail = std::string("[").append(text).append("] -> ").append(date + " / " + time);
    const bool dateLength = date == "format incorrect (10 caractères requis)";
    const bool timeLength = time == "format incorrect (5 caractères requis)";
    FUZZ_EXPECT(date.empty() || dateLength || date == "format incorrect : __/__/____", detail);
    FUZZ_EXPECT(time.empty() || timeLength || time == "format incorrect : __h__", detail);
    std::vector<Message> sent;
    if (date.empty()) {
        const auto parsed = parseDayMonthYear(text);
        FUZZ_EXPECT(parsed && formatDayMonthYear(*parsed) == text, detail);
        const double jd = JourJulien(text, collectInto(sent));
        // Days 5..14 October 1582 are read as Julian dates and come back as Gregorian ones; years after
        // 2500 lie beyond the conversion back.
        const bool julianGap = *parsed >= 1582y / October / 5 && *parsed <= 1582y / October / 14;
        if (!julianGap && parsed->year() <= 2500y) {
            const std::string year = std::to_string(int(parsed->year()));
            FUZZ_EXPECT(JulianDayToDate(jd, collectInto(sent)) ==
                            std::string(text.substr(0, 6)) + year + " à 00h00mn00s",
                        detail);
        }
    }
    if (time.empty()) {
        const std::string typed(text);
        const double jd = JourJulien("15/06/2000 à " + typed, collectInto(sent));
        FUZZ_EXPECT(
            jd == julianDayFromFields(2000, 6, 15, std::stoi(typed.substr(0, 2)), std::stoi(typed.substr(3))),
            detail);
    }
    FUZZ_EXPECT(sent.empty(), detail);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("entry_checks", selenarc::fuzz::fuzzEntryChecks)
