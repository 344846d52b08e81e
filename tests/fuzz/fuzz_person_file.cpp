// Person files (".atl") of any content, and any names typed before saving. A file read onto a record
// leaves a row 0..25 and one-line UTF-8 values, or is refused without a change; writing that record
// and reading it back gives the same values, without a problem; the code-page conversion keeps every byte the
// code page defines; and a file name made from any two names splits back into those cleaned names.
#include <algorithm>

#include "app/person_file.h"
#include "calendar/text.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

void checkRecord(const PersonRecord& person, const std::string& detail) {
    std::string values = person.birthDate + person.birthTime;
    for (const EventRow& row : person.events) {
        values += row.date + row.name;
    }
    const bool oneLine = values.find_first_of("\r\n") == std::string::npos;
    FUZZ_EXPECT(person.timeZoneRow >= 0 && person.timeZoneRow <= 25 && oneLine, detail + " [" + values + "]");
}

int fuzzPersonFile(const uint8_t* data, size_t size) {
    const std::string_view bytes = asText(data, size);
    PersonRecord loaded, reloaded;
    const PersonFileReading reading = applyPersonFileContent(bytes, loaded);
    checkRecord(loaded, "loaded");
    // A refused file names one reason and changes nothing.
    FUZZ_EXPECT(reading.readable ||
                    (reading.problems.size() == 1 && encodePersonFile(loaded) == encodePersonFile({})),
                "refused");
    const std::string written = encodePersonFile(loaded);
    // What the program writes reads back exactly, without a problem.
    const PersonFileReading again = applyPersonFileContent(written, reloaded);
    FUZZ_EXPECT(again.readable && again.problems.empty(), written);
    FUZZ_EXPECT(encodePersonFile(reloaded) == written, written);
    FUZZ_EXPECT(reloaded.birthDate == trimmed(loaded.birthDate) &&
                    reloaded.events[11].name == trimmed(loaded.events[11].name),
                written);

    // Windows-1252 -> UTF-8 -> Windows-1252 gives the bytes back, the five undefined ones as "?".
    std::string expected(bytes);
    for (const char undefined : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'}) {
        std::ranges::replace(expected, undefined, '?');
    }
    FUZZ_EXPECT(utf8ToWindows1252(windows1252ToUtf8(bytes)) == expected, "code page");

    // A file name made of the first two pieces splits back into their cleaned forms.
    const std::vector<std::string> pieces = splitAtNul(bytes);
    loaded.firstName = pieces[0];
    loaded.lastName = pieces.size() > 1 ? pieces[1] : std::string();
    const std::string name = personFileName(loaded);
    const auto parts = splitPersonFileName(name);
    FUZZ_EXPECT(parts && parts->first == cleanPersonName(trimmed(loaded.firstName)) &&
                    parts->last == cleanPersonName(trimmed(loaded.lastName)),
                name);
    FUZZ_EXPECT((parts->first + parts->last).find_first_of("#./\\ ;:\r\n") == std::string::npos, name);
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("person_file", selenarc::fuzz::fuzzPersonFile)
