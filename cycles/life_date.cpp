#include "cycles/life_date.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

#include "calendar/julian_day.h"

namespace selenarc {

using namespace std::chrono;

namespace {

std::optional<long> readNumber(std::string_view text) {
    long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "JJ/MM/<year> à <hours>h<MM>..." cut to the minute. The date is read as a proleptic Gregorian
// date; a day the month lacks runs over into the next month.
std::optional<CivilDateTime> readPhaseText(std::string_view text) {
    constexpr std::string_view kAt = " à ";
    const size_t at = text.find(kAt);
    if (at == std::string_view::npos || at < 7) {
        return std::nullopt;
    }
    const std::string_view date = text.substr(0, at);
    const std::string_view time = text.substr(at + kAt.size());
    const size_t h = time.find('h');
    if (h == std::string_view::npos || h == 0 || time.size() < h + 3) {
        return std::nullopt;
    }
    const auto dayValue = readNumber(date.substr(0, 2));
    const auto monthValue = readNumber(date.substr(3, 2));
    const auto yearValue = readNumber(date.substr(6));
    const auto hourValue = readNumber(time.substr(0, h));
    const auto minuteValue = readNumber(time.substr(h + 1, 2));
    if (!dayValue || !monthValue || !yearValue || !hourValue || !minuteValue || *monthValue < 1 ||
        *monthValue > 12 || *dayValue < 1 || *dayValue > 31 || *yearValue < int(year::min()) ||
        *yearValue > int(year::max()) || *hourValue < 0 || *hourValue > 23 || *minuteValue < 0 ||
        *minuteValue > 59) {
        return std::nullopt;
    }
    const sys_days first{year{int(*yearValue)} / month{unsigned(*monthValue)} / 1};
    return CivilDateTime{first + days{*dayValue - 1}, hours{*hourValue} + minutes{*minuteValue}};
}

long floorDiv(long a, long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// ±20000 years of life: far beyond any table, and keeps the calendar arithmetic within range.
constexpr long kMonthLimit = 12L * 20000;

}  // namespace

ProgressedDate progressedLifeDateAt(const CivilDateTime& instant, const CivilDateTime& birthUT) {
    const long dayCount = (instant.day - birthUT.day).count();
    const long hourCount = (floor<hours>(instant.instant()) - floor<hours>(birthUT.instant())).count();
    const long months = std::clamp(floorDiv(hourCount, 2), -kMonthLimit, kMonthLimit);
    return {dayCount, months, addMonthsClipped(birthUT, static_cast<int>(months))};
}

ProgressedDate progressedLifeDateFromText(std::string_view phaseText, const CivilDateTime& birthUT) {
    return progressedLifeDateAt(readPhaseText(phaseText).value_or(birthUT), birthUT);
}

ProgressedDate progressedLifeDate(double phaseJD, const CivilDateTime& birthUT, const MessageSink& sink) {
    return progressedLifeDateAt(julianDayToMinute(phaseJD, sink).value_or(birthUT), birthUT);
}

}  // namespace selenarc
