#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace selenarc {

// One birthplace of the gazetteer. The texts point into the gazetteer that holds the place.
struct Place {
    std::uint32_t id = 0;         // GeoNames identifier
    std::string_view name;        // French name where there is one: "Londres"
    std::string_view otherName;   // the local name when it differs ("London"), else empty
    std::string_view region;      // "Loire", "Québec"; may be empty
    std::string_view country;     // "France"
    double latitude = 0;          // degrees, north positive
    double longitude = 0;         // degrees, east positive
    std::string_view timeZoneId;  // IANA zone: "Europe/Paris"
    std::uint32_t population = 0;
};

// "Saint-Étienne (Loire, France)", or "Monaco (Monaco)" when the place has no region: the form
// shown in the completion list, unique in the gazetteer.
std::string displayName(const Place& place);

// The places of data/lieux.txt, searched by name with accents, case and punctuation ignored.
class Gazetteer {
  public:
    // Reads a gazetteer file; nothing and a French message in `error` when it cannot be read.
    static std::optional<Gazetteer> load(const std::filesystem::path& file, std::string& error);
    // The same from the text of such a file.
    static std::optional<Gazetteer> parse(std::string text, std::string& error);

    std::size_t size() const { return places_.size(); }
    const Place& operator[](std::size_t index) const { return places_[index]; }

    // Completion while typing: names (French or local) equal to the text first, then names that
    // start with it, then names with a later word that starts with it ("etienne"); within each
    // group the most populous first. At most `limit` places.
    std::vector<const Place*> complete(std::string_view typed, std::size_t limit) const;

    // Every place whose name, other name or display form is `text`, accents and case aside:
    // none, one, or several when the name is shared ("Brest": France and Belarus).
    std::vector<const Place*> lookup(std::string_view text) const;

  private:
    // Folded name and other name of a place, as offsets into folded_.
    struct Keys {
        std::uint32_t name, nameLength, other, otherLength;
    };
    std::string_view nameKey(std::size_t index) const;
    std::string_view otherKey(std::size_t index) const;

    std::unique_ptr<std::string> text_;  // the file's text, which the places point into
    std::string folded_;                 // every folded key, one after the other
    std::vector<Place> places_;
    std::vector<Keys> keys_;
};

}  // namespace selenarc
