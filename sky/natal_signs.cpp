#include "sky/natal_signs.h"

#include <algorithm>

#include "sky/sign_names.h"

namespace selenarc {

int16_t natalSign(const IngressTable& table, CivilDate birthDate, const CivilDateTime& birthUT) {
    const std::chrono::sys_time<std::chrono::minutes> birthInstant = birthUT.instant();
    auto isLater = [&](const IngressLine& line) {
        if (line.timeUT) {
            return std::chrono::sys_days{line.date} + *line.timeUT > birthInstant;
        }
        return line.date > birthDate;
    };
    // Lines dated before both the local birth date and the universal birth day cannot be later than
    // the birth, whichever rule applies to them: skip them at once, then scan in file order.
    const CivilDate earliest = std::min(birthDate, CivilDate{birthUT.day});
    const auto& lines = table.accepted;
    auto it = std::lower_bound(lines.begin(), lines.end(), earliest,
                               [](const IngressLine& line, CivilDate date) { return line.date < date; });
    it = std::find_if(it, lines.end(), isLater);
    if (it == lines.end() || it == lines.begin()) {
        return 0;
    }
    return std::prev(it)->sign;
}

int16_t calcul_soleil(const BirthMoment& birth, const IngressTable& so) {
    return natalSign(so, birth.localDate, birth.universal);
}

int16_t calcul_lune(const BirthMoment& birth, const IngressTable& su) {
    return natalSign(su, birth.localDate, birth.universal);
}

}  // namespace selenarc
