// Person files (".atl") of any content, and any names typed before saving. A file read onto a record
// leaves a row 0..25 and one-line UTF-8 values; writing that record and reading it back changes
// nothing more; the code-page conversion keeps every byte the code page defines; and a file name
// made from any two names splits back into those cleaned names.
#include "app/entry_validation.h"
#include "app/person_file.h"
#include "fuzz_support.h"

namespace selenarc::fuzz {
namespace {

void checkRecord(const PersonRecord& person, const std::string& detail) {
    FUZZ_EXPECT(person.timeZoneRow >= 0 && person.timeZoneRow <= 25, detail);
    for (const std::string* value : {&person.Text1, &person.Text2}) {
        FUZZ_EXPECT(value->find_first_of("\r\n") == std::string::npos, detail + " [" + *value + "]");
    }
    for (const EventRow& row : person.events) {
        FUZZ_EXPECT((row.date + row.name).find_first_of("\r\n") == std::string::npos, detail);
    }
}

size_t lineCount(std::string_view bytes) {
    size_t count = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string_view::npos; at = bytes.find("\r\n", at + 2)) {
        ++count;
    }
    return count;
}

void checkContent(std::string_view bytes) {
    PersonRecord loaded;
    applyPersonFileContent(bytes, loaded);
    checkRecord(loaded, "loaded");

    const std::string written = encodePersonFile(loaded);
    FUZZ_EXPECT(lineCount(written) == 27 && written.ends_with("\r\n"), written);
    PersonRecord reloaded;
    applyPersonFileContent(written, reloaded);
    checkRecord(reloaded, "reloaded");
    FUZZ_EXPECT(encodePersonFile(reloaded) == written, written);
}

// Windows-1252 -> UTF-8 -> Windows-1252 gives the bytes back, the five undefined ones as "?".
void checkCodePage(std::string_view bytes) {
    std::string expected(bytes);
    for (char& c : expected) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D) {
            c = '?';
        }
    }
    FUZZ_EXPECT(utf8ToWindows1252(windows1252ToUtf8(bytes)) == expected, "code page");
}

void checkFileName(const std::string& first, const std::string& last) {
    PersonRecord person;
    person.t_prenom = first;
    person.t_nom = last;
    const std::string name = personFileName(person);
    const auto parts = splitPersonFileName(name);
    FUZZ_EXPECT(parts.has_value(), name);
    FUZZ_EXPECT(
        parts->first == cleanPersonName(trimmed(first)) && parts->last == cleanPersonName(trimmed(last)),
        name);
    for (const std::string* part : {&parts->first, &parts->last}) {
        FUZZ_EXPECT(part->find_first_of("#./\\ ;:\r\n") == std::string::npos, name);
    }
}

int fuzzPersonFile(const uint8_t* data, size_t size) {
    const std::string_view bytes = asText(data, size);
    checkContent(bytes);
    checkCodePage(bytes);
    const std::vector<std::string> pieces = splitAtNul(bytes);
    checkFileName(pieces[0], pieces.size() > 1 ? pieces[1] : std::string());
    return 0;
}

}  // namespace
}  // namespace selenarc::fuzz

SELENARC_FUZZ_TARGET("person_file", selenarc::fuzz::fuzzPersonFile)
