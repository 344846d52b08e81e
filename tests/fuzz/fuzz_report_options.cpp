// Options of the report command, the input cut into arguments at each NUL byte: refused with a
// reason, or values in range (zone row 0..25, a real "today", at most twelve events).
#include "app/report_command.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

int fuzzReportOptions(const uint8_t* data, size_t size) {
    using namespace std::chrono;
    const ParsedReportOptions parsed = parseReportOptions(splitAtNul(asText(data, size)));
    FUZZ_EXPECT(parsed.options.has_value() == parsed.error.empty(), parsed.error);
    if (!parsed.options) {
        return 0;
    }
    const int zone = parsed.options->person.timeZoneRow;
    FUZZ_EXPECT(zone >= 0 && zone <= 25, "zone row");
    if (const auto now = parsed.options->now) {
        FUZZ_EXPECT(year_month_day{now->day}.ok() && now->timeOfDay >= 0min && now->timeOfDay < 24h,
                    formatDayMonthYearTime(*now));
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("report_options", selenarc::fuzz::fuzzReportOptions)
