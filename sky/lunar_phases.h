#pragma once

#include <cstdint>

namespace selenarc {

// Lunation k counts new moons from the mean new moon of JD 2415020.75933 (1 January 1900, about
// 6h13 UT); it is negative before. All instants are Julian days in universal time, no ΔT applied.

// Degrees to radians after removing whole turns; the remainder keeps the sign of the argument.
double ReduceToRadians(double degrees);

// Julian day of 0h UT of the calendar day that contains the instant (always ends in .5).
double CivilDayStart(double jd);

// Instants of the four principal phases of lunation k.
double NewMoonJD(int32_t k);
double FirstQuarterJD(int32_t k);
double FullMoonJD(int32_t k);
double LastQuarterJD(int32_t k);

// The lunation in progress on the civil day of jd: the one whose new moon fell on that day or last
// before it. A NaN gives 0; instants beyond about ±80 million years are clamped.
int32_t LunationAt(double jd);

}  // namespace selenarc
