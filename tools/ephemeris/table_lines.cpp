#include "table_lines.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace selenarc::ephemeris {

using namespace std::chrono;

// Julian day of the Unix epoch, 1970-01-01 0h UT.
constexpr double kUnixEpochJD = 2440587.5;

char signDigit(int sign) {
    return "0123456789ABC"[sign];
}

std::string ingressLine(const Ingress& ingress) {
    const sys_time<minutes> instant{minutes{std::llround((ingress.jdUT - kUnixEpochJD) * 1440.0)}};
    const sys_days day = floor<days>(instant);
    const year_month_day date{day};
    const long minuteOfDay = (instant - day).count();
    char text[40];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d%c%c %02ld:%02ld", unsigned(date.day()),
                  unsigned(date.month()), int(date.year()), ingress.retrograde ? 'R' : 'D',
                  signDigit(ingress.sign), minuteOfDay / 60, minuteOfDay % 60);
    return text;
}

std::string lunationLine(const LunationSigns& lunation) {
    char text[24];
    std::snprintf(text, sizeof text, "%4d %c%c%c%c", lunation.number, signDigit(lunation.signs[0]),
                  signDigit(lunation.signs[1]), signDigit(lunation.signs[2]), signDigit(lunation.signs[3]));
    return text;
}

double julianDayOf(int year, int month, int day) {
    const sys_days d{std::chrono::year{year} / month / day};
    return kUnixEpochJD + d.time_since_epoch().count();
}

}  // namespace selenarc::ephemeris
