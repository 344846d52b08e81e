#include "phase_signs.h"

#include <swephexp.h>

#include <cmath>

#include "apparent_position.h"

namespace selenarc::ephemeris {

double truePhaseJD(int k, int quarter) {
    const double mean = kLunationZeroJD + kSynodicMonth * (k + 0.25 * quarter);
    const double target = 90.0 * quarter;
    // Elongation of the Moon from the Sun minus the phase angle: grows about 12 degrees a day and the
    // true phase lies within a day of the mean one, so it is negative 3 days before and positive after.
    auto offset = [&](double jd) {
        const double elongation =
            apparentPosition(SE_MOON, jd).longitude - apparentPosition(SE_SUN, jd).longitude;
        return signedDifference(elongation, target);
    };
    double a = mean - 3.0, b = mean + 3.0;
    while (b - a > 1e-7) {
        const double m = 0.5 * (a + b);
        if (offset(m) < 0.0) {
            a = m;
        } else {
            b = m;
        }
    }
    return 0.5 * (a + b);
}

LunationSigns lunationSigns(int k) {
    LunationSigns result{k, {}};
    for (int quarter = 0; quarter < 4; ++quarter) {
        const double lon = apparentPosition(SE_MOON, truePhaseJD(k, quarter)).longitude;
        result.signs[quarter] = static_cast<int>(std::floor(lon / 30.0)) % 12 + 1;
    }
    return result;
}

}  // namespace selenarc::ephemeris
