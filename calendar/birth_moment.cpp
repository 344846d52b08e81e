#include "calendar/birth_moment.h"

#include "calendar/text.h"
#include "calendar/time_zone.h"

namespace selenarc {

std::optional<BirthMoment> readBirthMoment(std::string_view dateText, std::string_view timeText,
                                           int timeZoneRow) {
    const std::optional<CivilDate> localDate = parseDayMonthYear(trimmed(dateText));
    if (!localDate) {
        return std::nullopt;
    }
    const UniversalBirthTime ut = toUniversalTime(*localDate, timeText, timeZoneRow);
    return BirthMoment{
        *localDate,
        {std::chrono::sys_days{ut.date}, std::chrono::hours{ut.hour} + std::chrono::minutes{ut.minute}}};
}

}  // namespace selenarc
