#include "calendar/birth_moment.h"

#include <algorithm>
#include <cmath>

#include "calendar/text.h"
#include "calendar/time_zone.h"

namespace selenarc {

using namespace std::chrono;

namespace {

// Value of a two-digit field of a checked time, 0 when absent.
int timeField(std::string_view text, std::size_t from) {
    return from < text.size() ? parseWholeNumber<int>(text.substr(from, 2)).value_or(0) : 0;
}

// The fixed zone of the database that a row stands for: its sign is the reverse of the offset's.
std::string rowZoneId(int row) {
    const int hours = row - 12;
    return hours == 0 ? "Etc/GMT"
                      : "Etc/GMT" + std::string(hours > 0 ? "-" : "+") + std::to_string(std::abs(hours));
}

std::string repeatedMessage(const LegalTime& legal) {
    const LegalOffset& first = legal.offsets[0];
    const LegalOffset& second = legal.offsets[1];
    return "Cette heure a existé deux fois ce jour-là, les horloges ayant été retardées : précisez s'il "
           "s'agit de l'" +
           first.label + " (" + formatUtcOffset(first.utcOffset) + ") ou de l'" + second.label + " (" +
           formatUtcOffset(second.utcOffset) + ").";
}

}  // namespace

std::optional<BirthMoment> readBirthMoment(std::string_view dateText, std::string_view timeText,
                                           int timeZoneRow) {
    const std::optional<CivilDate> localDate = parseDayMonthYear(trimmed(dateText));
    if (!localDate) {
        return std::nullopt;
    }
    const UniversalBirthTime ut = toUniversalTime(*localDate, timeText, timeZoneRow);
    BirthMoment birth{*localDate, {sys_days{ut.date}, hours{ut.hour} + minutes{ut.minute}}, seconds{0}, {}};
    birth.clock.timeZoneId = rowZoneId(timeZoneRow);
    birth.clock.utcOffset = hours{timeZoneRow - 12};
    return birth;
}

BirthMomentReading readBirthMomentAt(std::string_view dateText, std::string_view timeText, const Place& place,
                                     HourChoice choice) {
    const std::optional<CivilDate> localDate = parseDayMonthYear(trimmed(dateText));
    if (!localDate) {
        return {std::nullopt, "Date de naissance illisible."};
    }
    // Hours 24..29 of a checked time run into the next day.
    const sys_seconds local =
        sys_days{*localDate} + hours{timeField(timeText, 0)} + minutes{timeField(timeText, 3)};
    const sys_days localDay = floor<days>(local);
    const LegalTime legal =
        legalTimeAt(place.timeZoneId, place.longitude, {localDay, duration_cast<minutes>(local - localDay)});
    if (legal.status == LocalTimeStatus::Repeated && choice == HourChoice::None) {
        return {std::nullopt, repeatedMessage(legal)};
    }
    if (legal.offsets.empty()) {
        return {std::nullopt, legal.message};
    }
    const LegalOffset& used = legal.offsets[choice == HourChoice::Winter ? legal.offsets.size() - 1 : 0];
    const sys_seconds universal = local - used.utcOffset;
    const sys_time<minutes> minute = floor<minutes>(universal);
    BirthMoment birth{*localDate, CivilDateTime::fromInstant(minute), universal - minute, {}};
    birth.clock = {place.id, displayName(place), std::string(place.timeZoneId), used.utcOffset, used.kind};
    return {birth, {}};
}

int nearestTimeZoneRow(seconds offset) {
    const double rowHours = static_cast<double>(offset.count()) / 3600.0 + 12.0;
    return std::clamp(static_cast<int>(std::floor(rowHours + 0.5)), 0, 25);
}

}  // namespace selenarc
