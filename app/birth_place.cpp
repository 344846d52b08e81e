#include "app/birth_place.h"

#include "calendar/text.h"

namespace selenarc {

PlaceResolution resolveBirthPlace(const Gazetteer& gazetteer, const PlaceEntry& entry) {
    if (entry.id != 0) {
        for (std::size_t i = 0; i < gazetteer.size(); ++i) {
            if (gazetteer[i].id == entry.id) {
                return {&gazetteer[i], {}, {}};
            }
        }
    }
    const std::vector<const Place*> found = gazetteer.lookup(entry.name);
    if (found.size() == 1) {
        return {found.front(), {}, {}};
    }
    const std::string quoted = "« " + std::string(trimmed(entry.name)) + " »";
    if (found.size() > 1) {
        std::string error = "Plusieurs lieux s'appellent " + quoted + " ; précisez lequel :";
        for (const Place* place : found) {
            error += "\r\n" + displayName(*place);
        }
        return {nullptr, error, {}};
    }
    if (entry.id != 0) {
        // Saved with an earlier list of places: the person stays, with the row saved beside the place.
        return {nullptr,
                {},
                "Le lieu " + quoted +
                    " n'est plus dans la liste des lieux : l'heure de naissance est lue "
                    "avec le fuseau horaire de la liste, sans heure d'été."};
    }
    return {nullptr, "Lieu de naissance inconnu : " + quoted + ".", {}};
}

std::string clockCaption(const BirthClock& clock) {
    std::string caption = clock.placeName.substr(0, clock.placeName.find(" ("));
    return caption + " : " + formatUtcOffset(clock.utcOffset) + ", " +
           std::string(offsetKindName(clock.kind));
}

int timeZoneRowForPlace(const Place& place, const std::string& dateText, int fallback) {
    const std::optional<CivilDate> date = parseDayMonthYear(trimmed(dateText));
    if (!date) {
        return fallback;
    }
    // Noon: the standard offset of the day, away from the night's changes of time.
    const LegalTime legal = legalTimeAt(place.timeZoneId, place.longitude,
                                        {std::chrono::sys_days{*date}, std::chrono::hours{12}});
    return legal.offsets.empty() ? fallback : nearestTimeZoneRow(legal.offsets.front().standardOffset());
}

}  // namespace selenarc
