// Gazetteer files of any content: refused with a message, or read into places on the globe, each
// found again by its display form.
#include <algorithm>

#include "calendar/gazetteer.h"
#include "calendar/search_folding.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

int fuzzGazetteer(const uint8_t* data, size_t size) {
    std::string error;
    const auto gazetteer = Gazetteer::parse(std::string(asText(data, size)), error);
    if (refusedWith(gazetteer, error, "Liste des lieux ")) {
        return 0;
    }
    for (std::size_t i = 0; i < std::min<std::size_t>(gazetteer->size(), 50); ++i) {
        const Place& place = (*gazetteer)[i];
        const auto found = gazetteer->lookup(displayName(place));
        FUZZ_EXPECT(
            std::abs(place.latitude) <= 90 && std::abs(place.longitude) <= 180 &&
                (foldForSearch(place.name).empty() || std::ranges::find(found, &place) != found.end()),
            displayName(place));
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("gazetteer", selenarc::fuzz::fuzzGazetteer)
