// Options of the report command, the input cut into arguments at each NUL byte. Either the options
// are refused with a reason, or every value lies in its range: time-zone row 0..25, a real date and
// a time of day below 24h for "today", at most twelve events, each kept exactly as given.
#include "app/report_command.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

int fuzzReportOptions(const uint8_t* data, size_t size) {
    const std::vector<std::string> arguments = splitAtNul(asText(data, size));
    const ParsedReportOptions parsed = parseReportOptions(arguments);
    if (!parsed.options) {
        FUZZ_EXPECT(!parsed.error.empty(), "refused without a reason");
        return 0;
    }
    FUZZ_EXPECT(parsed.error.empty(), parsed.error);
    FUZZ_EXPECT(arguments.size() % 2 == 0, "an option without its value was accepted");

    const ReportOptions& options = *parsed.options;
    FUZZ_EXPECT(options.person.timeZoneRow >= 0 && options.person.timeZoneRow <= 25,
                std::to_string(options.person.timeZoneRow));
    if (options.now) {
        FUZZ_EXPECT(std::chrono::year_month_day{options.now->day}.ok(), "today is no real date");
        FUZZ_EXPECT(options.now->timeOfDay >= std::chrono::minutes{0} &&
                        options.now->timeOfDay < std::chrono::hours{24},
                    formatDayMonthYearTime(*options.now));
    }

    // The events come back, in order, exactly as given: "date=name" cut at the first "=", or the date alone.
    size_t row = 0;
    for (size_t i = 0; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] != "--evenement") {
            continue;
        }
        FUZZ_EXPECT(row < options.person.events.size(), "more than twelve events accepted");
        const EventRow& event = options.person.events[row++];
        const std::string& given = arguments[i + 1];
        const bool split = given.find('=') != std::string::npos;
        FUZZ_EXPECT(split
                        ? event.date + "=" + event.name == given && event.date.find('=') == std::string::npos
                        : event.date == given && event.name.empty(),
                    given);
    }
    for (; row < options.person.events.size(); ++row) {
        FUZZ_EXPECT(options.person.events[row].date.empty() && options.person.events[row].name.empty(),
                    "an event row filled from nowhere");
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("report_options", selenarc::fuzz::fuzzReportOptions)
