#include "apparent_position.h"

#include <swephexp.h>

#include <cmath>
#include <stdexcept>
#include <string>

namespace selenarc::ephemeris {

Position apparentPosition(int body, double jdUT) {
    double values[6] = {};
    char error[AS_MAXCH] = {};
    const int32 flags = SEFLG_SWIEPH | SEFLG_SPEED;
    const int32 used = swe_calc_ut(jdUT, body, flags, values, error);
    // Without its files the library silently falls back to a less precise theory: refuse that.
    if (used < 0 || (used & SEFLG_SWIEPH) == 0) {
        throw std::runtime_error("Swiss Ephemeris, body " + std::to_string(body) + " at JD " +
                                 std::to_string(jdUT) + ": " + error);
    }
    return {values[0], values[3]};
}

double signedDifference(double a, double b) {
    double d = std::fmod(a - b, 360.0);
    if (d < -180.0) {
        d += 360.0;
    } else if (d >= 180.0) {
        d -= 360.0;
    }
    return d;
}

}  // namespace selenarc::ephemeris
