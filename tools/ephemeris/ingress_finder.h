#pragma once

#include <vector>

namespace selenarc::ephemeris {

// One entry of a body into a tropical sign.
struct Ingress {
    double jdUT = 0.0;        // instant of the crossing, Julian day in universal time
    int sign = 0;             // sign entered, 1 = Aries .. 12 = Pisces
    bool retrograde = false;  // moving backwards at the crossing
};

// Every sign entry of `body` between jdStart and jdEnd, in time order, retrograde re-entries included.
// stepDays must be short enough that the body moves less than 30 degrees in one step; stations
// inside a step are located so that a crossing and its return within one step are both found.
std::vector<Ingress> findIngresses(int body, double jdStart, double jdEnd, double stepDays);

}  // namespace selenarc::ephemeris
