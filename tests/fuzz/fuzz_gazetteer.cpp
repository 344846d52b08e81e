// Gazetteer files of any content: refused with a message naming the line, or read into places with
// a name, a country and a position on the globe, each found again by its display form and offered by
// the completion of its name. The search folding is stable: folding twice changes nothing.
#include <algorithm>

#include "calendar/gazetteer.h"
#include "calendar/search_folding.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

int fuzzGazetteer(const uint8_t* data, size_t size) {
    const std::string_view text = asText(data, size);
    const std::string folded = foldForSearch(text);
    FUZZ_EXPECT(foldForSearch(folded) == folded, folded);

    std::string error;
    const auto gazetteer = Gazetteer::parse(std::string(text), error);
    if (!gazetteer) {
        FUZZ_EXPECT(error.starts_with("Liste des lieux "), error);
        return 0;
    }
    for (std::size_t i = 0; i < std::min<std::size_t>(gazetteer->size(), 50); ++i) {
        const Place& place = (*gazetteer)[i];
        const std::string shown = displayName(place);
        FUZZ_EXPECT(!place.name.empty() && !place.country.empty() && std::abs(place.latitude) <= 90 &&
                        std::abs(place.longitude) <= 180,
                    shown);
        const auto found = gazetteer->lookup(shown);
        FUZZ_EXPECT(foldForSearch(place.name).empty() || std::ranges::find(found, &place) != found.end(),
                    shown);
        FUZZ_EXPECT(gazetteer->complete(place.name, 5).size() <= 5, shown);
    }
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("gazetteer", selenarc::fuzz::fuzzGazetteer)
