#pragma once

#include <string>

#include "calendar/civil_time.h"
#include "sky/ephemeris_tables.h"

namespace selenarc {

// Birth dates (local calendar dates, both ends included) for which every table covers what the
// computations need. Empty when first > last.
struct BirthSpan {
    CivilDate first;
    CivilDate last;
};

// Read from the tables: the Sun and Moon tables need an ingress before the birth and one after it, the
// Jupiter and Saturn tables one before the birth and one on or after the last quarter point of the
// last cycle, the lunation table the lunation in progress at birth and the five after it. A birth time
// and time zone may move the universal birth day by one day either way: that margin is taken. The span
// is then narrowed to whole calendar years so that it reads plainly ("du 01/01/1820 au 31/12/2280").
BirthSpan supportedBirthSpan(const EphemerisTables& tables);

bool isInBirthSpan(const BirthSpan& span, CivilDate birthDate);

// "Date de naissance : hors des tables (du 01/01/1820 au 31/12/2280)"
std::string birthSpanMessage(const BirthSpan& span);

}  // namespace selenarc
