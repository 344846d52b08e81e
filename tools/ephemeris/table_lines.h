#pragma once

#include <string>

#include "ingress_finder.h"
#include "phase_signs.h"

namespace selenarc::ephemeris {

// "1".."9", "A", "B", "C" for the signs 1..12.
char signDigit(int sign);

// "JJ/MM/AAAA" + motion ("D"/"R") + sign digit + " HH:MM": the universal date and time of the
// ingress rounded to the nearest minute (the date is the one of the rounded instant).
std::string ingressLine(const Ingress& ingress);

// Lunation number right-aligned in four characters, a blank, then the four sign digits.
std::string lunationLine(const LunationSigns& lunation);

// Julian day of 0h UT of a Gregorian date.
double julianDayOf(int year, int month, int day);

}  // namespace selenarc::ephemeris
