// Date-time text -> Julian day -> text. Whatever the bytes: at most one message, and then the
// French "Erreur sur ..." text with a 0 result; a finite day; and a text written back that reads
// again to the same instant (to the second it was rounded to).
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "calendar/julian_day.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

// Bounds of JulianDayToDate: 01/01/-4000 à 0h00 and 01/01/2501 à 0h00.
constexpr double kFirstDay = 260423.5;
constexpr double kLastDay = 2634531.5;
constexpr double kSecond = 1.0 / 86400;

void checkTextOfJulianDay(double jd) {
    std::vector<Message> sent;
    const std::string text = JulianDayToDate(jd, collectInto(sent));
    const std::string detail = "jd " + std::to_string(jd) + " -> " + text;
    if (!(jd >= kFirstDay && jd <= kLastDay)) {  // NaN too
        const std::string bound = jd > kLastDay ? "01/01/2501 à 0h00" : "01/01/-4000 à 0h00";
        FUZZ_EXPECT(text == bound && sent.size() == 1, detail);
        return;
    }
    // Ends with "mnSSs" (the fields themselves are pinned by the unit tests).
    FUZZ_EXPECT(sent.empty() && text.size() > 15 && text.ends_with("s"), detail);
    const int seconds = std::atoi(text.c_str() + text.size() - 3);
    // Read back to the minute ("mnSSs" cut off): within the rounding of the seconds and the day fraction.
    const double back = JourJulien(text.substr(0, text.size() - 5), collectInto(sent)) + seconds * kSecond;
    FUZZ_EXPECT(sent.empty() && std::fabs(jd - back) <= 1.5 * kSecond,
                detail + ", read back " + std::to_string(back));
}

int fuzzJulianDay(const uint8_t* data, size_t size) {
    // The first bytes taken as a Julian day: NaN, infinities and every range must be handled.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkTextOfJulianDay(raw);
    }
    const std::string_view text = asText(data, size);
    std::vector<Message> sent;
    const double jd = JourJulien(text, collectInto(sent));
    const std::string detail = "text [" + std::string(text) + "] -> " + std::to_string(jd);
    FUZZ_EXPECT(std::isfinite(jd) && sent.size() <= 1, detail);
    if (sent.empty()) {
        checkTextOfJulianDay(jd);
        return 0;
    }
    const Message& message = sent.front();
    FUZZ_EXPECT(jd == 0.0 && message.title == kProgramTitle && message.icon == MessageIcon::None, detail);
    FUZZ_EXPECT(message.text.starts_with("Erreur sur ") && message.text.ends_with("\r\nJourJulien vaut 0"),
                detail + ": " + message.text);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("julian_day", selenarc::fuzz::fuzzJulianDay)
