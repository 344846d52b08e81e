#include "ingress_finder.h"

#include <cmath>

#include "apparent_position.h"

namespace selenarc::ephemeris {

namespace {

// Bisection down to about 0.01 s, far below the minute the tables keep.
constexpr double kToleranceDays = 1e-7;

// Instant inside [a, b] where the speed changes sign (a station), by bisection.
double findStation(int body, double a, double b, double speedAtA) {
    while (b - a > kToleranceDays) {
        const double m = 0.5 * (a + b);
        if ((apparentPosition(body, m).speed > 0.0) == (speedAtA > 0.0)) {
            a = m;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

// Instant in [a, b] where the longitude, unwrapped from `base` (its value at a), passes `boundary`.
double findCrossing(int body, double a, double b, double base, double boundary, bool forward) {
    while (b - a > kToleranceDays) {
        const double m = 0.5 * (a + b);
        const double unwrapped = base + signedDifference(apparentPosition(body, m).longitude, base);
        if ((unwrapped < boundary) == forward) {
            a = m;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

// Crossings of a stretch [a, b] over which the body moves one way only.
void addMonotoneCrossings(int body, double a, double b, double lonA, double lonB, std::vector<Ingress>& out) {
    const double travel = signedDifference(lonB, lonA);
    const double end = lonA + travel;
    const bool forward = travel > 0.0;
    // Boundaries are the multiples of 30 degrees passed between lonA and end.
    const long first = static_cast<long>(std::floor(lonA / 30.0));
    const long last = static_cast<long>(std::floor(end / 30.0));
    if (forward) {
        for (long m = first + 1; m <= last; ++m) {
            const double t = findCrossing(body, a, b, lonA, 30.0 * m, true);
            out.push_back({t, static_cast<int>(((m % 12) + 12) % 12) + 1, false});
        }
    } else {
        for (long m = first; m > last; --m) {
            const double t = findCrossing(body, a, b, lonA, 30.0 * m, false);
            out.push_back({t, static_cast<int>((((m - 1) % 12) + 12) % 12) + 1, true});
        }
    }
}

}  // namespace

std::vector<Ingress> findIngresses(int body, double jdStart, double jdEnd, double stepDays) {
    std::vector<Ingress> out;
    Position p0 = apparentPosition(body, jdStart);
    for (double t0 = jdStart; t0 < jdEnd; t0 += stepDays) {
        const double t1 = std::min(t0 + stepDays, jdEnd);
        const Position p1 = apparentPosition(body, t1);
        if ((p0.speed > 0.0) != (p1.speed > 0.0)) {
            const double ts = findStation(body, t0, t1, p0.speed);
            const double lonS = apparentPosition(body, ts).longitude;
            addMonotoneCrossings(body, t0, ts, p0.longitude, lonS, out);
            addMonotoneCrossings(body, ts, t1, lonS, p1.longitude, out);
        } else {
            addMonotoneCrossings(body, t0, t1, p0.longitude, p1.longitude, out);
        }
        p0 = p1;
    }
    return out;
}

}  // namespace selenarc::ephemeris
