#pragma once

#include <cstdint>

#include "calendar/birth_moment.h"
#include "calendar/civil_time.h"
#include "sky/ephemeris_tables.h"

namespace selenarc {

// SignIndex of the body at birth from its ingress table: the sign of the accepted line before the
// first one that is later than the birth. A line with a time " HH:MM" is later when its instant is
// after birthUT (the birth converted to universal time); a line without a time is later when its date
// is after birthDate (the local birth date), so an ingress on the birth day counts as made.
// 0 when no line is later than the birth or none comes before that one.
// The accepted lines must be in ascending date order, as the reader makes them.
int16_t natalSign(const IngressTable& table, CivilDate birthDate, const CivilDateTime& birthUT);

// The natal Sun sign from so.txt, the natal Moon sign from su.txt (0 when the table does not cover
// the birth).
int16_t calcul_soleil(const BirthMoment& birth, const IngressTable& so);
int16_t calcul_lune(const BirthMoment& birth, const IngressTable& su);

}  // namespace selenarc
