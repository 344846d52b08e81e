#pragma once

#include <chrono>
#include <string>

#include "app/person_record.h"
#include "calendar/gazetteer.h"

namespace selenarc {

// How many places the completion offers at most.
inline constexpr std::size_t kPlaceSuggestions = 20;

// The gazetteer's place for a chosen birthplace: by its identifier, else by its name (exactly, or
// in the completion's form, accents and case aside).
struct PlaceResolution {
    const Place* place = nullptr;  // none: the time-zone row is used
    std::string error;             // French; the run stops (name unknown or shared by several places)
    std::string note;              // French; the run goes on with the row (a saved place no longer listed)
};
PlaceResolution resolveBirthPlace(const Gazetteer& gazetteer, const PlaceEntry& entry);

// "Lyon : UTC+2, heure d'été": the place's name and the clock its birth time was read on.
std::string clockCaption(const BirthClock& clock);

// The row of the time-zone list nearest to the place's standard time on the date (for the person
// file's "FUS=" line, read by earlier versions); `fallback` when the date cannot be read.
int timeZoneRowForPlace(const Place& place, const std::string& dateText, int fallback);

}  // namespace selenarc
