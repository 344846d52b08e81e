// What the user types into the date and time fields: one of the fixed messages, or a text the
// calendar routines then read without a message.
#include "calendar/entry_checks.h"
#include "calendar/julian_day.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

int fuzzEntryChecks(const uint8_t* data, size_t size) {
    const std::string text(asText(data, size));
    const std::string date = CheckDateText(text), time = CheckTimeText(text);
    FUZZ_EXPECT(date.empty() || date.starts_with("format incorrect"), date);
    FUZZ_EXPECT(time.empty() || time.starts_with("format incorrect"), time);
    std::vector<Message> sent;
    if (date.empty()) {
        JourJulien(text, collectInto(sent));
    }
    if (time.empty()) {
        JourJulien("15/06/2000 à " + text, collectInto(sent));
    }
    FUZZ_EXPECT(sent.empty(), text);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("entry_checks", selenarc::fuzz::fuzzEntryChecks)
