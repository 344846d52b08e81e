#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/civil_time.h"

namespace selenarc {

// What the clocks of a place showed, from the IANA time-zone database of the system.
enum class OffsetKind {
    Standard,   // "heure légale": the standard time of the law (Paris mean time before 1911 included)
    Summer,     // "heure d'été": any summer, war or double summer time
    LocalMean,  // "temps moyen local": before the zone's first standard time, from the place's longitude
    Row,        // "fuseau": a fixed row of the time-zone list, no place
};
std::string_view offsetKindName(OffsetKind kind);

struct LegalOffset {
    std::chrono::seconds utcOffset{0};    // local time minus universal time
    std::chrono::seconds summerShift{0};  // what summer time adds to the standard offset
    OffsetKind kind = OffsetKind::Standard;
    std::string label;  // "heure d'été", "heure d'hiver" for a repeated hour; else the kind's name

    std::chrono::seconds standardOffset() const { return utcOffset - summerShift; }
};

enum class LocalTimeStatus {
    Unique,       // one offset
    Skipped,      // the clocks jumped over this time: nothing to compute, see message
    Repeated,     // the clocks showed it twice: two offsets, the earlier instant first
    UnknownZone,  // the zone is not in the database (or there is no database): see message
};

struct LegalTime {
    LocalTimeStatus status = LocalTimeStatus::UnknownZone;
    std::vector<LegalOffset> offsets;
    std::string message;  // French, for Skipped and UnknownZone
};

// Legal time at a local date and time in zone `zoneId` for a place at `longitude` (degrees, east
// positive), whose own local mean time (longitude x 240 s) applies before the zone's first
// standard time.
LegalTime legalTimeAt(std::string_view zoneId, double longitude, const CivilDateTime& local);

// Local mean time of a longitude: 4 minutes of time per degree, to the second.
std::chrono::seconds localMeanTimeOffset(double longitude);

// "UTC+2", "UTC−4", "UTC+5h30", "UTC+0h09m21s", "UTC−0h17m57s" (true minus sign).
std::string formatUtcOffset(std::chrono::seconds offset);

}  // namespace selenarc
