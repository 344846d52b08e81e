#include "calendar/gazetteer.h"

#include <algorithm>
#include <cmath>

#include "calendar/search_folding.h"
#include "calendar/text.h"

namespace selenarc {

namespace {

constexpr std::uintmax_t kLargestList = 64 << 20;

// Fields of a place line, in order, separated by tabs.
enum Field { Id, Name, Other, Region, Country, Latitude, Longitude, Zone, Population, FieldCount };

template <typename Whole>
bool readNumber(std::string_view text, Whole& value) {
    const std::optional<Whole> read = parseWholeNumber<Whole>(text);
    value = read.value_or(value);
    return read.has_value();
}

// Degrees written "-4.4863": a sign, digits, a point and up to six decimals. Read as two whole
// numbers, as the library's reading of decimals is the slowest part of loading.
bool readDegrees(std::string_view text, double& value) {
    const bool negative = text.starts_with('-');
    text.remove_prefix(negative ? 1 : 0);
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view decimals =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() || whole.size() > 3 || decimals.size() > 6 ||
        (point != std::string_view::npos && decimals.empty())) {
        return false;
    }
    const std::optional<long> degrees = parseWholeNumber<long>(whole);
    const std::optional<long> fraction = decimals.empty() ? 0L : parseWholeNumber<long>(decimals);
    if (!degrees || !fraction) {
        return false;
    }
    constexpr long kScales[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const long scale = kScales[decimals.size()];
    const long scaled = *degrees * scale + *fraction;
    value = (negative ? -1.0 : 1.0) * static_cast<double>(scaled) / static_cast<double>(scale);
    return true;
}

// Splits a line into exactly `count` tab-separated fields.
bool splitFields(std::string_view line, std::string_view* fields, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t tab = line.find('\t');
        if ((tab == std::string_view::npos) != (i + 1 == count)) {
            return false;
        }
        fields[i] = line.substr(0, tab);
        line.remove_prefix(tab == std::string_view::npos ? line.size() : tab + 1);
    }
    return true;
}

std::string lineError(std::size_t lineNumber) {
    return "Liste des lieux illisible : ligne " + std::to_string(lineNumber) + ".";
}

// How well a folded key answers a folded query: 0 equal, 1 starts with it, 2 a later word starts
// with it, 3 no match.
int matchRank(std::string_view key, std::string_view query) {
    if (key.empty() || key.size() < query.size()) {
        return 3;
    }
    if (key.starts_with(query)) {
        return key.size() == query.size() ? 0 : 1;
    }
    for (std::size_t at = key.find(' '); at != std::string_view::npos; at = key.find(' ', at + 1)) {
        if (key.substr(at + 1).starts_with(query)) {
            return 2;
        }
    }
    return 3;
}

}  // namespace

std::string displayName(const Place& place) {
    std::string shown(place.name);
    shown += " (";
    if (!place.region.empty()) {
        shown += place.region;
        shown += ", ";
    }
    shown += place.country;
    shown += ')';
    return shown;
}

std::optional<Gazetteer> Gazetteer::load(const std::filesystem::path& file, std::string& error) {
    // A folder, or something far larger than any list of places, is not one.
    WholeFile read = readWholeFile(file, kLargestList - 1);
    if (!read.bytes) {
        error = "Liste des lieux introuvable : " + file.filename().string() + ".";
        return std::nullopt;
    }
    return parse(std::move(*read.bytes), error);
}

std::optional<Gazetteer> Gazetteer::parse(std::string text, std::string& error) {
    Gazetteer gazetteer;
    gazetteer.text_ = std::make_unique<std::string>(std::move(text));
    const std::string_view all = *gazetteer.text_;
    // About one place per 60 bytes, and a folded key per name.
    gazetteer.places_.reserve(all.size() / 50);
    gazetteer.keys_.reserve(all.size() / 50);
    gazetteer.folded_.reserve(all.size() / 5);
    std::vector<std::string_view> zones;
    std::size_t lineNumber = 0;
    for (std::string_view rest = all; !rest.empty();) {
        const std::string_view line = takeLine(rest);
        ++lineNumber;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.starts_with("Z\t")) {
            zones.push_back(line.substr(2));
            continue;
        }
        std::string_view f[FieldCount];
        Place place;
        std::size_t zone = 0;
        if (!splitFields(line, f, FieldCount) || !readNumber(f[Id], place.id) || f[Name].empty() ||
            f[Country].empty() || !readDegrees(f[Latitude], place.latitude) ||
            !readDegrees(f[Longitude], place.longitude) || !readNumber(f[Zone], zone) ||
            zone >= zones.size() || !readNumber(f[Population], place.population) ||
            std::abs(place.latitude) > 90 || std::abs(place.longitude) > 180) {
            error = lineError(lineNumber);
            return std::nullopt;
        }
        place.name = f[Name];
        place.otherName = f[Other];
        place.region = f[Region];
        place.country = f[Country];
        place.timeZoneId = zones[zone];
        gazetteer.places_.push_back(place);
        Keys keys{};
        keys.name = static_cast<std::uint32_t>(gazetteer.folded_.size());
        appendFolded(gazetteer.folded_, place.name);
        keys.nameLength = static_cast<std::uint32_t>(gazetteer.folded_.size()) - keys.name;
        keys.other = static_cast<std::uint32_t>(gazetteer.folded_.size());
        appendFolded(gazetteer.folded_, place.otherName);
        keys.otherLength = static_cast<std::uint32_t>(gazetteer.folded_.size()) - keys.other;
        gazetteer.keys_.push_back(keys);
    }
    if (gazetteer.places_.empty()) {
        error = "Liste des lieux vide.";
        return std::nullopt;
    }
    return gazetteer;
}

std::string_view Gazetteer::nameKey(std::size_t index) const {
    return std::string_view(folded_).substr(keys_[index].name, keys_[index].nameLength);
}

std::string_view Gazetteer::otherKey(std::size_t index) const {
    return std::string_view(folded_).substr(keys_[index].other, keys_[index].otherLength);
}

std::vector<const Place*> Gazetteer::complete(std::string_view typed, std::size_t limit) const {
    const std::string query = foldForSearch(typed, true);
    if (query.empty() || limit == 0) {
        return {};
    }
    struct Candidate {
        int rank;
        const Place* place;
    };
    std::vector<Candidate> found;
    for (std::size_t i = 0; i < places_.size(); ++i) {
        const int rank = std::min(matchRank(nameKey(i), query), matchRank(otherKey(i), query));
        if (rank < 3) {
            found.push_back({rank, &places_[i]});
        }
    }
    const auto better = [](const Candidate& a, const Candidate& b) {
        if (a.rank != b.rank) {
            return a.rank < b.rank;
        }
        if (a.place->population != b.place->population) {
            return a.place->population > b.place->population;
        }
        return a.place->id < b.place->id;
    };
    const std::size_t count = std::min(limit, found.size());
    std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(count), found.end(), better);
    std::vector<const Place*> result;
    result.reserve(count);
    std::transform(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(count),
                   std::back_inserter(result), [](const Candidate& c) { return c.place; });
    return result;
}

std::vector<const Place*> Gazetteer::lookup(std::string_view text) const {
    const std::string query = foldForSearch(text);
    std::vector<const Place*> result;
    if (query.empty()) {
        return result;
    }
    for (std::size_t i = 0; i < places_.size(); ++i) {
        const std::string_view name = nameKey(i);
        const std::string_view other = otherKey(i);
        const bool byName = name == query || (!other.empty() && other == query);
        // The display form starts with the name: fold it only for names that begin the text.
        const bool byForm = !byName && query.size() > name.size() && query.starts_with(name) &&
                            query[name.size()] == ' ' && foldForSearch(displayName(places_[i])) == query;
        if (byName || byForm) {
            result.push_back(&places_[i]);
        }
    }
    return result;
}

}  // namespace selenarc
