#pragma once

#include <array>

namespace selenarc::ephemeris {

// Mean new moon of lunation 0 (Julian day, about 6h13 UT on 1 January 1900) and the mean synodic month
// in days: Meeus, Astronomical Formulae for Calculators, the mean-phase polynomial without its small terms.
inline constexpr double kLunationZeroJD = 2415020.75933;
inline constexpr double kSynodicMonth = 29.53058868;

// Signs (1..12) of the Moon at the true new moon, first quarter, full moon and last quarter of
// lunation k: each true phase is the one nearest to the mean phase k + 0, 0.25, 0.5, 0.75.
struct LunationSigns {
    int number = 0;
    std::array<int, 4> signs{};
};

LunationSigns lunationSigns(int k);

// Julian day (UT) of the true phase nearest to the mean phase k + quarter / 4 (quarter 0..3).
double truePhaseJD(int k, int quarter);

}  // namespace selenarc::ephemeris
