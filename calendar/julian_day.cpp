#include "calendar/julian_day.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>

#include "calendar/text.h"

namespace selenarc {

namespace {

constexpr std::string_view kAt = " à ";  // 3 characters, 4 bytes
constexpr std::string_view kMidnight = " à 0h00";
constexpr const char* kLowBoundText = "01/01/-4000 à 0h00";
constexpr const char* kHighBoundText = "01/01/2501 à 0h00";

// Nearest integer, halves to the even neighbour (the default floating-point rounding mode).
double roundHalfEven(double x) {
    return std::nearbyint(x);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// A numeric field: optional blanks, an optional sign "+" or "-", digits with at most one decimal
// point (at least one digit), optional blanks. No exponent, no decimal comma, no thousands
// separator. Values beyond the 32-bit integer range are refused, so the formulas stay finite.
std::optional<double> readNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int digits = 0, points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.') {
            ++points;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || points > 1) {
        return std::nullopt;
    }
    double value = 0.0;
    if (points == 0 && digits <= 9) {  // the usual field: a few digits, summed exactly
        const int32_t whole = parseWholeNumber<int32_t>(text).value_or(0);
        return negative ? -whole : whole;
    }
    if (text.front() == '.') {  // from_chars wants a digit first
        if (text.size() > 1) {
            const auto [end, error] =
                std::from_chars(text.data() + 1, text.data() + text.size(), value, std::chars_format::fixed);
            if (error != std::errc{} || end != text.data() + text.size()) {
                return std::nullopt;
            }
            value /= std::pow(10.0, static_cast<double>(text.size() - 1));
        }
    } else {
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
        if (error != std::errc{} || end != text.data() + text.size()) {
            return std::nullopt;
        }
    }
    value = negative ? -value : value;
    constexpr double kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    if (!(roundHalfEven(value) >= kMin && roundHalfEven(value) <= kMax)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int32_t> readWhole(std::string_view text) {
    const auto value = readNumber(text);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int32_t>(roundHalfEven(*value));
}

// The text with "H" made "h" and " à 0h00" added when it has no time. Short texts stay on the
// stack so that the usual conversion allocates nothing.
class NormalisedText {
  public:
    explicit NormalisedText(std::string_view text) {
        const bool hasTime = text.find(kAt) != std::string_view::npos;
        const std::size_t size = text.size() + (hasTime ? 0 : kMidnight.size());
        char* out = size <= sizeof small_ ? small_ : (large_.resize(size), large_.data());
        if (!text.empty()) {  // an empty view may hold a null pointer, which memcpy must not get
            std::memcpy(out, text.data(), text.size());
        }
        if (!hasTime) {
            std::memcpy(out + text.size(), kMidnight.data(), kMidnight.size());
        }
        for (std::size_t i = 0; i < size; ++i) {
            out[i] = out[i] == 'H' ? 'h' : out[i];
        }
        view_ = {out, size};
    }
    NormalisedText(const NormalisedText&) = delete;
    NormalisedText& operator=(const NormalisedText&) = delete;
    std::string_view view() const { return view_; }

  private:
    char small_[64];
    std::string large_;
    std::string_view view_;
};

double fail(const MessageSink& sink, std::string_view what, std::string_view text) {
    if (sink) {  // the text is only built for a listener: this path runs on every bad date
        std::string message;
        message.reserve(what.size() + text.size() + 20);
        message.append(what).append(text).append("\r\nJourJulien vaut 0");
        sink(Message{std::move(message), kProgramTitle, MessageIcon::None});
    }
    return 0.0;
}

// Year and month moved so that the year starts in March: Y is the astronomical year (0 = 1 BC).
struct ShiftedYearMonth {
    double Y;
    double M;
};
ShiftedYearMonth shiftYearMonth(double year, int32_t month) {
    ShiftedYearMonth s{year < 1 ? year + 1 : year, static_cast<double>(month)};
    if (s.M < 3) {
        s.Y -= 1;
        s.M += 12;
    }
    return s;
}

// Days added to a Julian-calendar day count for a Gregorian date (-10 in 1582, -13 since 1900).
double gregorianCorrection(double Y) {
    const double A = std::trunc(Y / 100);
    return 2 - A + std::trunc(A / 4);
}

}  // namespace

bool IsGregorianDate(double year, int32_t month, int32_t day) {
    return year > 1582 || (year == 1582 && month > 10) || (year == 1582 && month == 10 && day >= 15);
}

// Meeus, Astronomical Algorithms ch. 7, with trunc (the -0.75 does floor's work for Y <= 0); days, any year.
double julianDayFromFields(double year, int32_t month, int32_t day, int32_t hour, int32_t minute) {
    const double D = day + roundHalfEven((hour / 24.0 + minute / 1440.0) * 1e5) / 1e5;
    const auto [Y, M] = shiftYearMonth(year, month);
    double J =
        (Y > 0 ? std::trunc(365.25 * Y) : std::trunc(365.25 * Y - 0.75)) + std::trunc(30.6001 * (M + 1));
    J = J + D + 1720994.5;
    if (IsGregorianDate(year, month, day)) {
        J = J + gregorianCorrection(Y);
    }
    return J;
}

double JourJulien(std::string_view text, const MessageSink& sink) {
    const NormalisedText normalised(text);
    const std::string_view t = normalised.view();

    const auto day = readWhole(firstChars(t, 2));
    if (!day) {
        return fail(sink, "Erreur sur le jour pour ", t);
    }
    std::string_view rest = dropChars(t, 3);
    const auto month = readWhole(firstChars(rest, 2));
    if (!month) {
        return fail(sink, "Erreur sur le mois pour ", t);
    }
    rest = dropChars(rest, 3);

    std::string_view yearText = rest, timeText = "12h00";
    const std::size_t at = rest.find(kAt);
    if (at != std::string_view::npos && at > 0) {
        yearText = rest.substr(0, at);
        timeText = rest.substr(at + kAt.size());
    }
    const auto year = readNumber(yearText);
    if (!year) {
        return fail(sink, "Erreur sur l'année pour ", t);
    }

    const std::size_t h = timeText.find('h');
    if (h == std::string_view::npos || h == 0 || charCount(timeText.substr(h + 1)) == 1) {
        return fail(sink, "Erreur sur l'horaire pour ", t);
    }
    const auto hour = readWhole(timeText.substr(0, h));
    if (!hour) {
        return fail(sink, "Erreur sur l'heure pour ", t);
    }
    const std::string_view minuteText = h + 1 == timeText.size() ? "00" : timeText.substr(h + 1);
    const auto minute = readWhole(minuteText);
    if (!minute) {
        return fail(sink, "Erreur sur les minutes pour ", t);
    }
    return julianDayFromFields(*year, *month, *day, *hour, *minute);
}

namespace {

std::string outOfRange(const MessageSink& sink, const char* bound) {
    tell(sink, Message{std::string("la date correspondante est hors limite, la date renvoyée est ") + bound,
                       kProgramTitle, MessageIcon::None});
    return bound;
}

double firstOfMonth(double year, int32_t month) {
    return julianDayFromFields(year, month, 1, 0, 0);
}

// Largest value v of lo..hi whose start (firstOf(v)) is not after jd, by halving the interval.
template <typename StartOf>
int32_t bisect(int32_t lo, int32_t hi, double jd, StartOf firstOf) {
    while (hi - lo >= 2) {
        const auto mid = static_cast<int32_t>(roundHalfEven((lo + hi) / 2.0));
        (firstOf(mid) <= jd ? lo : hi) = mid;
    }
    return firstOf(hi) <= jd ? hi : lo;
}

}  // namespace

namespace {

// What JulianDayToDate writes, as numbers; `bound` is the short text of a range bound, else null.
struct DayFields {
    int32_t year = 0;
    int32_t month = 1;
    int day = 1;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
    const char* bound = nullptr;
};

DayFields boundFields(const MessageSink& sink, int32_t year, const char* text) {
    outOfRange(sink, text);
    return {year, 1, 1, 0, 0, 0, text};
}

DayFields dayFields(double jd, const MessageSink& sink) {
    static const double kLow = firstOfMonth(-4000, 1);
    static const double kHigh = firstOfMonth(2501, 1);
    static const double kGregorianStart = julianDayFromFields(1582, 10, 15, 0, 0);
    static const double kYearOne = firstOfMonth(1, 1);
    if (!(jd >= kLow)) {  // NaN too
        return boundFields(sink, -4000, kLowBoundText);
    }
    if (jd > kHigh) {
        return boundFields(sink, 2501, kHighBoundText);
    }

    const bool gregorian = jd >= kGregorianStart;
    const bool beforeOne = !gregorian && jd < kYearOne;
    int32_t lo = -4000, hi = 2501;
    if (gregorian) {
        lo = 1582;
    } else if (beforeOne) {
        hi = -1;
    } else {
        lo = 1;
    }
    const int32_t year = bisect(lo, hi, jd, [](int32_t y) { return firstOfMonth(y, 1); });
    const int32_t month = bisect(1, 12, jd, [year](int32_t m) { return firstOfMonth(year, m); });

    // Inverse of the day formula of julianDayFromFields.
    const auto [Y, M] = shiftYearMonth(year, month);
    double D;
    if (gregorian) {
        D = jd - std::trunc(365.25 * Y) - std::trunc(30.6001 * (M + 1)) - 1720994.5 - gregorianCorrection(Y);
    } else if (beforeOne) {
        D = jd - std::trunc(365.25 * Y - 0.75) - std::trunc(30.6001 * (M + 1)) - 1720994.5;
    } else {
        D = jd - std::trunc(365.25 * Y) - std::trunc(30.6001 * (M + 1)) - 1720994.5;
    }

    const double day = std::trunc(D);
    double x = (D - day) * 24;
    int hours = static_cast<int>(std::trunc(x));
    x = (x - hours) * 60;
    int minutes = static_cast<int>(std::trunc(x));
    int seconds = static_cast<int>(roundHalfEven((x - minutes) * 60));
    if (seconds == 60) {
        seconds = 0;
        ++minutes;
    }
    if (minutes == 60) {
        minutes = 0;
        ++hours;
    }
    if (hours == 24) {  // a hair before midnight: the next day at 00h00mn00s
        return dayFields(std::trunc(jd) + 0.5, sink);
    }
    return {year, month, static_cast<int>(day), hours, minutes, seconds, nullptr};
}

}  // namespace

std::string JulianDayToDate(double jd, const MessageSink& sink) {
    const DayFields f = dayFields(jd, sink);
    if (f.bound) {
        return f.bound;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%d à %02dh%02dmn%02ds", f.day, f.month, f.year, f.hours,
                  f.minutes, f.seconds);
    return text;
}

std::optional<CivilDateTime> julianDayToMinute(double jd, const MessageSink& sink) {
    using namespace std::chrono;
    const DayFields f = dayFields(jd, sink);
    if (f.day < 1 || f.day > 31) {
        return std::nullopt;
    }
    const sys_days first{year{f.year} / month{static_cast<unsigned>(f.month)} / 1};
    return CivilDateTime{first + days{f.day - 1}, hours{f.hours} + minutes{f.minutes}};
}

}  // namespace selenarc
