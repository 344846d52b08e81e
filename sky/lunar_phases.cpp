#include "sky/lunar_phases.h"
#include "sky/circle.h"

#include <array>
#include <cmath>
#include <span>

namespace selenarc {

namespace {

constexpr double kSynodicMonth = 29.530587962963;  // mean synodic month, days

// One periodic term: (coefficient + perCentury T) sin(m M + mp M' + f F).
struct PeriodicTerm {
    double coefficient;
    double perCentury;
    int m, mp, f;
};

// Meeus, Astronomical Formulae for Calculators, phases of the Moon; days, valid for centuries
// around 1900.
constexpr std::array<PeriodicTerm, 13> kNewAndFullTerms{{
    {0.1734, -0.000393, 1, 0, 0},
    {0.0021, 0, 2, 0, 0},
    {-0.4068, 0, 0, 1, 0},
    {0.0161, 0, 0, 2, 0},
    {-0.0004, 0, 0, 3, 0},
    {0.0104, 0, 0, 0, 2},
    {-0.0051, 0, 1, 1, 0},
    {-0.0074, 0, 1, -1, 0},
    {0.0004, 0, 1, 0, 2},
    {-0.0004, 0, -1, 0, 2},
    {-0.0006, 0, 0, 1, 2},
    {0.0010, 0, 0, -1, 2},
    {0.0005, 0, 1, 2, 0},
}};

constexpr std::array<PeriodicTerm, 15> kQuarterTerms{{
    {0.1721, -0.0004, 1, 0, 0},
    {0.0021, 0, 2, 0, 0},
    {-0.6280, 0, 0, 1, 0},
    {0.0089, 0, 0, 2, 0},
    {-0.0004, 0, 0, 3, 0},
    {0.0079, 0, 0, 0, 2},
    {-0.0119, 0, 1, 1, 0},
    {-0.0047, 0, 1, -1, 0},
    {0.0003, 0, 1, 0, 2},
    {-0.0004, 0, -1, 0, 2},
    {-0.0006, 0, 0, 1, 2},
    {0.0021, 0, 0, -1, 2},
    {0.0003, 0, 1, 2, 0},
    {0.0004, 0, 1, -2, 0},
    {-0.0003, 0, 2, 1, 0},
}};

// What tells one phase from another: its fraction of the lunation, its term table and the sign
// with which the quarter correction enters (0 for new and full moon).
struct PhaseKind {
    double fraction;
    std::span<const PeriodicTerm> terms;
    int quarterSign;
};

double phaseInstant(int32_t k, const PhaseKind& kind) {
    const double kp = static_cast<double>(k) + kind.fraction;
    // Julian centuries since 1900.0, from the mean synodic month.
    const double t = kp * kSynodicMonth / 36525.0;
    const double t2 = t * t;
    const double t3 = t2 * t;

    // Mean phase, Julian day.
    double jd = 2415020.75933 + 29.53058868 * kp + 0.0001178 * t2 - 0.000000155 * t3 +
                0.00033 * std::sin(ReduceToRadians(166.56 + 132.87 * t - 0.009173 * t2));

    // Sun's mean anomaly, Moon's mean anomaly, Moon's argument of latitude; degrees -> radians.
    const double m = ReduceToRadians(359.2242 + 29.10535608 * kp - 0.0000333 * t2 - 0.00000347 * t3);
    const double mp = ReduceToRadians(306.0253 + 385.81691806 * kp + 0.0107306 * t2 + 0.00001236 * t3);
    const double f = ReduceToRadians(21.2964 + 390.67050646 * kp - 0.0016528 * t2 - 0.00000239 * t3);

    for (const PeriodicTerm& term : kind.terms) {
        jd += (term.coefficient + term.perCentury * t) * std::sin(term.m * m + term.mp * mp + term.f * f);
    }
    if (kind.quarterSign != 0) {
        jd += kind.quarterSign * (0.0028 - 0.0004 * std::cos(m) + 0.0003 * std::cos(mp));
    }
    return jd;
}

// Lunations kept within ±1e9 (about 80 million years) so that k ± 1 never leaves int32_t.
constexpr double kLunationLimit = 1e9;

}  // namespace

double ReduceToRadians(double degrees) {
    const double turnsRemoved = degrees - std::trunc(degrees / 360.0) * 360.0;
    return degreesToRadians(turnsRemoved);
}

double CivilDayStart(double jd) {
    const double whole = std::trunc(jd);
    return jd - whole < 0.5 ? whole - 0.5 : whole + 0.5;
}

double NewMoonJD(int32_t k) {
    return phaseInstant(k, {0.0, kNewAndFullTerms, 0});
}
double FirstQuarterJD(int32_t k) {
    return phaseInstant(k, {0.25, kQuarterTerms, +1});
}
double FullMoonJD(int32_t k) {
    return phaseInstant(k, {0.5, kNewAndFullTerms, 0});
}
double LastQuarterJD(int32_t k) {
    return phaseInstant(k, {0.75, kQuarterTerms, -1});
}

int32_t LunationAt(double jd) {
    if (std::isnan(jd)) {
        return 0;
    }
    const double d = CivilDayStart(jd);
    double q = (d - 2415021.07694694) / kSynodicMonth;
    if (!(std::fabs(q) < kLunationLimit)) {
        q = std::copysign(kLunationLimit, q);
    }
    // First guess, one or two lunations low near 1900 (the test is against 1, not 0).
    int32_t k = static_cast<int32_t>(std::trunc(q));
    if (k < 1) {
        k -= 1;
    }
    int32_t result = k;
    if (d + 1 - CivilDayStart(NewMoonJD(k)) >= 30) {
        // d is at least the 30th civil day from that new moon: unless the next new moon falls
        // on the following day, d already belongs to the next lunation.
        result = CivilDayStart(NewMoonJD(k + 1)) == d + 1 ? k : k + 1;
    }
    // The guess can still be one lunation low (31/01/1900 is the day of the new moon of
    // lunation 1): a next new moon on or before d opens the lunation in progress.
    if (CivilDayStart(NewMoonJD(result + 1)) <= d) {
        result += 1;
    }
    return result;
}

}  // namespace selenarc
