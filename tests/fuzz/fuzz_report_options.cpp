// Options of the report command, the input cut into arguments at each NUL byte. Either the options
// are refused with a reason, or every value lies in its range: time-zone row 0..25, a real date and
// a time of day below 24h for "today", at most twelve events, each kept exactly as given, no empty
// file name.
#include "app/report_command.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

int fuzzReportOptions(const uint8_t* data, size_t size) {
    using namespace std::chrono;
    const std::vector<std::string> arguments = splitAtNul(asText(data, size));
    const ParsedReportOptions parsed = parseReportOptions(arguments);
    FUZZ_EXPECT(parsed.options.has_value() == parsed.error.empty(), parsed.error);
    if (!parsed.options) {
        return 0;
    }
    const ReportOptions& options = *parsed.options;
    const int zone = options.person.timeZoneRow;
    FUZZ_EXPECT(arguments.size() % 2 == 0 && zone >= 0 && zone <= 25, "odd arguments or zone row");
    if (const auto now = options.now) {
        FUZZ_EXPECT(year_month_day{now->day}.ok() && now->timeOfDay >= 0min && now->timeOfDay < 24h,
                    formatDayMonthYearTime(*now));
    }

    // The events, in order, then empty rows: "date=name" cut at the first "=", or the date alone.
    std::vector<std::string> given;
    for (size_t i = 0; i + 1 < arguments.size(); i += 2) {
        FUZZ_EXPECT((arguments[i] != "--pdf" && arguments[i] != "--fichier") || !arguments[i + 1].empty(),
                    "empty file name accepted");
        if (arguments[i] == "--evenement") {
            given.push_back(arguments[i + 1] + (arguments[i + 1].find('=') == std::string::npos ? "=" : ""));
        }
    }
    FUZZ_EXPECT(given.size() <= options.person.events.size(), "more than twelve events accepted");
    given.resize(options.person.events.size(), "=");
    for (size_t row = 0; row < given.size(); ++row) {
        const EventRow& event = options.person.events[row];
        FUZZ_EXPECT(event.date.find('=') == std::string::npos && event.date + "=" + event.name == given[row],
                    given[row]);
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("report_options", selenarc::fuzz::fuzzReportOptions)
