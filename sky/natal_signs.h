#pragma once

#include <cstdint>

#include "calendar/civil_time.h"
#include "cycles/run_state.h"
#include "sky/ephemeris_tables.h"

namespace selenarc {

// SignIndex of the body at birth from its ingress table: the sign of the accepted line before the
// first one that is later than the birth. A line with a time " HH:MM" is later when its instant is
// after birthUT (the birth converted to universal time); a line without a time is later when its date
// is after birthDate (the local birth date), so an ingress on the birth day counts as made.
// 0 when no line is later than the birth or none comes before that one.
// The accepted lines must be in ascending date order, as the reader makes them.
int16_t natalSign(const IngressTable& table, CivilDate birthDate, const CivilDateTime& birthUT);

// NatalSunSign from so.txt, NatalMoonSign from su.txt (0 when the table does not cover the birth).
void calcul_soleil(CivilDate birthDate, const CivilDateTime& birthUT, const IngressTable& so,
                   RunState& state);
void calcul_lune(CivilDate birthDate, const CivilDateTime& birthUT, const IngressTable& su, RunState& state);

}  // namespace selenarc
