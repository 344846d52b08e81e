#pragma once

// The cycles computed as "Calculer" computes them, on the shipped tables, for the tests of what is
// drawn and written from them.

#include <string>

#include "calendar/birth_moment.h"
#include "cycles/planet_cycles.h"
#include "cycles/soli_lunar.h"
#include "sky/ephemeris_reader.h"

namespace selenarc::testing {

inline const MessageSink kSilent = [](const Message&) {};

inline const EphemerisTables& shippedTables() {
    static const EphemerisTables tables = [] {
        std::string error;
        return loadEphemerisTables(SELENARC_SOURCE_DIR "/data", error).value();
    }();
    return tables;
}

// A birth as typed: "JJ/MM/AAAA", "HHhMM", time-zone row.
inline SoliLunarResult soliLunarRun(const std::string& date, const std::string& time, int zone,
                                    const CivilDateTime& now = {}) {
    return calcul_soli_lunaire(*readBirthMoment(date, time, zone), now, shippedTables().lunations, kSilent);
}

// Born 01/01/1950 at 12h00 GMT+1 (11h00 UT), in lunation 618 whose phases Meeus gives as check
// values: new moon 19/12/1949 18h57 (Sun and Moon in Sagittarius), first quarter 27/12/1949 06h32
// (Moon in Aries), full moon 04/01/1950 07h49 (Cancer), last quarter 11/01/1950 10h32 (Libra).
// Jupiter is then in Aquarius, Saturn in Virgo.
inline SoliLunarCycle cycle1950() {
    return soliLunarRun("01/01/1950", "12h00", 13).cycle;
}
inline constexpr CivilDate kBirth1950{std::chrono::year{1950}, std::chrono::January, std::chrono::day{1}};
inline PlanetCycleTable jupiter1950(CivilDate today) {
    return calcul_jupiter(kBirth1950, today, shippedTables().jupiter).table;
}
inline PlanetCycleTable saturn1950(CivilDate today) {
    return calcul_saturne(kBirth1950, today, shippedTables().saturn).table;
}

}  // namespace selenarc::testing
