#pragma once

namespace selenarc::ephemeris {

// Geocentric apparent ecliptic longitude (equinox of date) and its rate, from the Swiss Ephemeris files.
struct Position {
    double longitude = 0.0;  // degrees, 0 <= longitude < 360
    double speed = 0.0;      // degrees per day, negative when retrograde
};

// body: a Swiss Ephemeris body number (SE_SUN, SE_MOON, ...); jdUT: Julian day in universal time.
// Throws std::runtime_error when the Swiss Ephemeris files do not cover the instant.
Position apparentPosition(int body, double jdUT);

// Longitude difference a - b brought into [-180, 180).
double signedDifference(double a, double b);

}  // namespace selenarc::ephemeris
