// Date-time text -> Julian day -> text. Whatever the bytes: a finite day, at most one message, and
// then the "Erreur sur ..." text with a 0 result; a day written back as text reads again to itself.
#include <cmath>
#include <cstring>

#include "calendar/julian_day.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

int fuzzJulianDay(const uint8_t* data, size_t size) {
    std::vector<Message> sent;
    if (size >= sizeof(double)) {  // the first bytes as a day: NaN, infinities and any range
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        FUZZ_EXPECT(!JulianDayToDate(raw, collectInto(sent)).empty() && sent.size() <= 1,
                    std::to_string(raw));
        sent.clear();
    }
    const double jd = JourJulien(asText(data, size), collectInto(sent));
    FUZZ_EXPECT(std::isfinite(jd) && sent.size() <= 1, std::to_string(jd));
    if (!sent.empty()) {
        FUZZ_EXPECT(jd == 0.0 && sent[0].text.starts_with("Erreur sur "), sent[0].text);
        return 0;
    }
    const std::string text = JulianDayToDate(jd, collectInto(sent));
    if (sent.empty()) {  // "…à HHhMMmnSSs": read back to the minute, the seconds added
        const double back = JourJulien(text.substr(0, text.size() - 5), collectInto(sent)) +
                            std::atoi(text.c_str() + text.size() - 3) / 86400.0;
        FUZZ_EXPECT(sent.empty() && std::fabs(jd - back) <= 1.5 / 86400, text);
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("julian_day", selenarc::fuzz::fuzzJulianDay)
