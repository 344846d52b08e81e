// Date-time text -> Julian day -> text. Whatever the bytes: at most one message, and then the
// French "Erreur sur ..." text with a 0 result; a finite day; and a text written back that has the
// fixed shape and reads again to the same instant (to the second it was rounded to).
#include <cmath>
#include <cstdio>
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
    SentMessages sent;
    const std::string text = JulianDayToDate(jd, sent.sink());
    const std::string detail = "jd " + std::to_string(jd) + " -> " + text;
    if (!(jd >= kFirstDay)) {  // NaN too
        FUZZ_EXPECT(text == "01/01/-4000 à 0h00" && sent.messages.size() == 1, detail);
        return;
    }
    if (jd > kLastDay) {
        FUZZ_EXPECT(text == "01/01/2501 à 0h00" && sent.messages.size() == 1, detail);
        return;
    }
    FUZZ_EXPECT(sent.messages.empty(), detail);

    // sscanf reads its format as multibyte text in the program's locale: match an ASCII stand-in for "à".
    std::string plain = text;
    if (const size_t at = plain.find(" à "); at != std::string::npos) {
        plain.replace(at, 4, " @ ");
    }
    int day = 0, month = 0, year = 0, hours = 0, minutes = 0, seconds = 0, used = 0;
    const int fields = std::sscanf(plain.c_str(), "%d/%d/%d @ %dh%dmn%ds%n", &day, &month, &year, &hours,
                                   &minutes, &seconds, &used);
    FUZZ_EXPECT(fields == 6 && used == static_cast<int>(plain.size()), detail);
    FUZZ_EXPECT(day >= 1 && day <= 31 && month >= 1 && month <= 12 && year >= -4000 && year <= 2501 &&
                    year != 0 && hours >= 0 && hours <= 23 && minutes >= 0 && minutes <= 59 && seconds >= 0 &&
                    seconds <= 59,
                detail);
    char expected[64];
    std::snprintf(expected, sizeof expected, "%02d/%02d/%d \xC3\xA0 %02dh%02dmn%02ds", day, month, year,
                  hours, minutes, seconds);
    FUZZ_EXPECT(text == expected, detail);

    // Read back to the minute: the text's instant is at most a minute (and the rounding of the
    // seconds and of the day fraction) before jd, never noticeably after it.
    char shortForm[48];
    std::snprintf(shortForm, sizeof shortForm, "%02d/%02d/%d \xC3\xA0 %02dh%02d", day, month, year, hours,
                  minutes);
    SentMessages again;
    const double back = JourJulien(shortForm, again.sink()) + seconds * kSecond;
    FUZZ_EXPECT(again.messages.empty(), detail);
    FUZZ_EXPECT(std::fabs(jd - back) <= 1.5 * kSecond, detail + ", read back " + std::to_string(back));
}

int fuzzJulianDay(const uint8_t* data, size_t size) {
    // The first bytes taken as a Julian day: NaN, infinities and every range must be handled.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkTextOfJulianDay(raw);
    }

    const std::string_view text = asText(data, size);
    SentMessages sent;
    const double jd = JourJulien(text, sent.sink());
    const std::string detail = "text [" + std::string(text) + "] -> " + std::to_string(jd);
    FUZZ_EXPECT(std::isfinite(jd), detail);
    FUZZ_EXPECT(sent.messages.size() <= 1, detail);
    if (!sent.messages.empty()) {
        const Message& message = sent.messages.front();
        FUZZ_EXPECT(jd == 0.0, detail);
        FUZZ_EXPECT(message.title == kProgramTitle && message.icon == MessageIcon::None, detail);
        FUZZ_EXPECT(
            message.text.starts_with("Erreur sur ") && message.text.ends_with("\r\nJourJulien vaut 0"),
            detail + ": " + message.text);
        return 0;
    }
    checkTextOfJulianDay(jd);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("julian_day", selenarc::fuzz::fuzzJulianDay)
