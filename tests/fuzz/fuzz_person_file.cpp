// Person files of any content: a refused file changes nothing; a read one gives a record that is
// written and read back unchanged; a file name made of any two names splits back into them, cleaned.
#include "app/person_file.h"
#include "calendar/text.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

int fuzzPersonFile(const uint8_t* data, size_t size) {
    const std::string_view bytes = asText(data, size);
    PersonRecord loaded, reloaded;
    const PersonFileReading reading = applyPersonFileContent(bytes, loaded);
    const std::string written = encodePersonFile(loaded);
    FUZZ_EXPECT(reading.readable || written == encodePersonFile({}), "refused file changed the record");
    const PersonFileReading again = applyPersonFileContent(written, reloaded);
    FUZZ_EXPECT(again.readable && again.problems.empty() && encodePersonFile(reloaded) == written, written);

    const std::vector<std::string> pieces = splitAtNul(bytes);
    loaded.firstName = pieces[0];
    loaded.lastName = pieces.size() > 1 ? pieces[1] : std::string();
    const auto parts = splitPersonFileName(personFileName(loaded));
    FUZZ_EXPECT(parts && parts->first == cleanPersonName(trimmed(loaded.firstName)) &&
                    parts->last == cleanPersonName(trimmed(loaded.lastName)),
                personFileName(loaded));
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("person_file", selenarc::fuzz::fuzzPersonFile)
