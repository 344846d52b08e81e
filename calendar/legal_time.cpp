#include "calendar/legal_time.h"

#include <cmath>
#include <cstdio>
#include <exception>

#include <date/tz.h>

namespace selenarc {

using namespace std::chrono;

namespace {

struct Candidate {
    sys_seconds universal;
    LegalOffset offset;
};

// Read from the system's compiled zone files, the database marks summer time without its amount:
// the shift is the offset minus that of the latest earlier period without summer time (one hour
// when none is found).
seconds summerShift(const date::time_zone& zone, const date::sys_info& info) {
    if (info.save == minutes{0}) {
        return seconds{0};
    }
    date::sys_info earlier = info;
    for (int step = 0; step < 16 && earlier.save != minutes{0}; ++step) {
        earlier = zone.get_info(earlier.begin - seconds{1});
    }
    return earlier.save == minutes{0} && earlier.offset < info.offset ? info.offset - earlier.offset
                                                                      : hours{1};
}

LegalOffset offsetOf(const date::time_zone& zone, const date::sys_info& info, double longitude) {
    if (info.abbrev == "LMT") {
        return {localMeanTimeOffset(longitude), seconds{0}, OffsetKind::LocalMean, {}};
    }
    const seconds shift = summerShift(zone, info);
    return {info.offset, shift, shift != seconds{0} ? OffsetKind::Summer : OffsetKind::Standard, {}};
}

// "01h00", with the seconds when there are some ("23h32mn42s").
std::string clockText(seconds sinceMidnight) {
    const int total = static_cast<int>(sinceMidnight.count() % 86400);
    char text[32];
    if (total % 60 == 0) {
        std::snprintf(text, sizeof text, "%02dh%02d", total / 3600, total / 60 % 60);
    } else {
        std::snprintf(text, sizeof text, "%02dh%02dmn%02ds", total / 3600, total / 60 % 60, total % 60);
    }
    return text;
}

std::string skippedMessage(const date::time_zone& zone, const std::vector<date::sys_info>& infos,
                           sys_seconds asIfUniversal, double longitude) {
    // The change whose gap, from the old offset's reading to the new one's, holds the time.
    for (std::size_t i = 1; i < infos.size(); ++i) {
        const sys_seconds change = infos[i].begin;
        const sys_seconds before = change + offsetOf(zone, infos[i - 1], longitude).utcOffset;
        const sys_seconds after = change + offsetOf(zone, infos[i], longitude).utcOffset;
        if (before <= asIfUniversal && asIfUniversal < after) {
            return "Cette heure n'a pas existé : ce jour-là, les horloges sont passées de " +
                   clockText(before - floor<days>(before)) + " à " + clockText(after - floor<days>(after)) +
                   ".";
        }
    }
    return "Cette heure n'a pas existé.";
}

// Names the two readings of a repeated hour.
void labelRepeated(LegalOffset& earlier, LegalOffset& later) {
    if (earlier.summerShift > later.summerShift) {
        earlier.label = "heure d'été";
        later.label = "heure d'hiver";
    } else {
        earlier.label = "avant le changement d'heure";
        later.label = "après le changement d'heure";
    }
}

}  // namespace

std::string_view offsetKindName(OffsetKind kind) {
    switch (kind) {
        case OffsetKind::Summer:
            return "heure d'été";
        case OffsetKind::LocalMean:
            return "temps moyen local";
        case OffsetKind::Row:
            return "fuseau";
        case OffsetKind::Standard:
            break;
    }
    return "heure légale";
}

seconds localMeanTimeOffset(double longitude) {
    return seconds{std::lround(longitude * 240.0)};
}

std::string formatUtcOffset(seconds offset) {
    std::string text = offset < seconds{0} ? "UTC\u2212" : "UTC+";
    const long total = std::abs(offset.count());
    text += std::to_string(total / 3600);
    if (total % 3600 != 0) {
        const int minutes = static_cast<int>(total / 60 % 60);
        const int secondsLeft = static_cast<int>(total % 60);
        char rest[32];
        if (secondsLeft == 0) {
            std::snprintf(rest, sizeof rest, "h%02d", minutes);
        } else {
            std::snprintf(rest, sizeof rest, "h%02dm%02ds", minutes, secondsLeft);
        }
        text += rest;
    }
    return text;
}

LegalTime legalTimeAt(std::string_view zoneId, double longitude, const CivilDateTime& local) {
    LegalTime result;
    const date::time_zone* zone = nullptr;
    try {
        zone = date::locate_zone(zoneId);
    } catch (const std::exception&) {
        result.message = "Fuseau horaire inconnu de la base des fuseaux : " + std::string(zoneId) + ".";
        return result;
    }
    // The local time read as if it were universal: the offsets found lie within a day of it.
    const sys_seconds asIfUniversal{local.day.time_since_epoch() + local.timeOfDay};
    std::vector<date::sys_info> infos;
    for (date::sys_info info = zone->get_info(asIfUniversal - days{1});; info = zone->get_info(info.end)) {
        infos.push_back(info);
        if (info.end > asIfUniversal + days{1}) {
            break;
        }
    }
    // Each period whose offset turns the local time into an instant of that same period.
    std::vector<Candidate> found;
    for (const date::sys_info& info : infos) {
        LegalOffset offset = offsetOf(*zone, info, longitude);
        const sys_seconds universal = asIfUniversal - offset.utcOffset;
        if (info.begin <= universal && universal < info.end) {
            offset.label = offsetKindName(offset.kind);
            found.push_back({universal, offset});
        }
    }
    if (found.empty()) {
        result.status = LocalTimeStatus::Skipped;
        result.message = skippedMessage(*zone, infos, asIfUniversal, longitude);
        return result;
    }
    result.status = found.size() == 1 ? LocalTimeStatus::Unique : LocalTimeStatus::Repeated;
    result.offsets.push_back(found.front().offset);
    if (found.size() > 1) {
        result.offsets.push_back(found.back().offset);
        labelRepeated(result.offsets[0], result.offsets[1]);
    }
    return result;
}

}  // namespace selenarc
