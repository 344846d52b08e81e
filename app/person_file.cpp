#include "app/person_file.h"

#include <algorithm>
#include <utility>

#include "calendar/text.h"

namespace selenarc {

namespace {

constexpr char32_t kInvalid = kInvalidCodePoint;
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
// The lines of a file written by the program: date, time, zone and twelve pairs.
constexpr std::size_t kPersonFileLines = 3 + 2 * PersonRecord::kEventRows;

// Latin letters of the file names: ASCII letters, the hyphen and ten French accented letters.
bool keptInName(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'-') {
        return true;
    }
    constexpr std::u32string_view kAccented = U"éèçàùêâûôî";
    return kAccented.find(c) != std::u32string_view::npos;
}

// Control bytes other than the tab never occur in a text file.
bool isBinaryByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && byte != '\t') || byte == 0x7F;
}

// A value stays on its own line, readable as text: line breaks and other control characters inside
// it become blanks.
std::string oneLine(const std::string& value) {
    std::string line(trimmed(value));
    std::replace_if(line.begin(), line.end(), isBinaryByte, ' ');
    return line;
}

// "FUS=" value: a whole number 0..25 (surrounding blanks allowed), else nothing.
std::optional<int> timeZoneRowValue(const std::string& value) {
    const std::optional<int> row = parseWholeNumber<int>(trimmed(value));
    return row && *row <= 25 ? row : std::nullopt;
}

// "LIE=" value: the gazetteer's identifier, ";", the name shown. Nothing without both.
std::optional<PlaceEntry> placeValue(const std::string& value) {
    const std::size_t separator = value.find(';');
    if (separator == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<std::uint32_t> id =
        parseWholeNumber<std::uint32_t>(trimmed(std::string_view(value).substr(0, separator)));
    const std::string_view name = trimmed(std::string_view(value).substr(separator + 1));
    if (!id || name.empty()) {
        return std::nullopt;
    }
    return PlaceEntry{*id, std::string(name)};
}

// "HEU=" value: "ete" or "hiver".
std::optional<HourChoice> hourChoiceValue(const std::string& value) {
    if (value == "ete" || value == "hiver") {
        return value == "ete" ? HourChoice::Summer : HourChoice::Winter;
    }
    return std::nullopt;
}

// True when the bytes are valid UTF-8 holding at least one non-ASCII character: such a text is
// practically never Windows-1252 ("MariÃ©e" read as Windows-1252 is "Mariée" written in UTF-8).
bool isUtf8Text(std::string_view bytes) {
    bool beyondAscii = false;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const char32_t c = nextCodePoint(bytes, pos);
        if (c == kInvalid) {
            return false;
        }
        beyondAscii = beyondAscii || c >= 0x80;
    }
    return beyondAscii;
}

// UTF-8 text with each malformed sequence replaced by U+FFFD.
std::string validUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const char32_t c = nextCodePoint(bytes, pos);
        appendUtf8(out, c == kInvalid ? kReplacementCharacter : c);
    }
    return out;
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

}  // namespace

std::string quotedPath(const std::filesystem::path& path) {
    return "« " + pathToUtf8(path) + " »";
}

std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string pathToUtf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string cleanPersonName(std::string_view utf8) {
    std::string cleaned;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = nextCodePoint(utf8, pos);
        if (c == U' ') {
            cleaned += '_';
        } else if (keptInName(c)) {
            appendUtf8(cleaned, c);
        }
    }
    return cleaned;
}

std::string personFileName(const PersonRecord& person) {
    return cleanPersonName(trimmed(person.firstName)) + "#" + cleanPersonName(trimmed(person.lastName)) +
           std::string(kPersonFileExtension);
}

std::optional<PersonFileNameParts> splitPersonFileName(std::string_view fileName) {
    const auto extension = kPersonFileExtension.size();
    if (fileName.size() < extension ||
        lowerAscii(fileName.substr(fileName.size() - extension)) != kPersonFileExtension) {
        return std::nullopt;
    }
    const std::string_view stem = fileName.substr(0, fileName.size() - extension);
    const auto hash = stem.find('#');
    if (hash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view rest = stem.substr(hash + 1);
    return PersonFileNameParts{std::string(stem.substr(0, hash)),
                               std::string(rest.substr(0, rest.find('.')))};
}

std::string displayNamePart(std::string_view part) {
    std::string shown(part);
    std::replace(shown.begin(), shown.end(), '_', ' ');
    return shown;
}

std::string encodePersonFile(const PersonRecord& person) {
    std::string text;
    const auto line = [&text](std::string_view key, const std::string& value) {
        text += key;
        text += value;
        text += "\r\n";
    };
    line("DNA=", oneLine(person.birthDate));
    line("HNA=", oneLine(person.birthTime));
    line("FUS=", std::to_string(person.timeZoneRow));
    for (const EventRow& row : person.events) {
        line("E-D=", oneLine(row.date));
        line("E-N=", oneLine(row.name));
    }
    // After the 27 lines, which earlier versions read alone: the place and the reading of a repeated hour.
    if (!person.birthPlace.empty()) {
        line("LIE=", std::to_string(person.birthPlace.id) + ";" + oneLine(person.birthPlace.name));
    }
    if (person.repeatedHour != HourChoice::None) {
        line("HEU=", person.repeatedHour == HourChoice::Summer ? "ete" : "hiver");
    }
    // Windows-1252 when it holds every character and cannot be taken for UTF-8 when read back.
    if (fitsWindows1252(text)) {
        std::string bytes = utf8ToWindows1252(text);
        if (!isUtf8Text(bytes)) {
            return bytes;
        }
    }
    return std::string(kUtf8ByteOrderMark) + validUtf8(text);
}

// Each line: its first four characters are the key (any case), the rest the value. "E-D=" moves to
// the next person row (the first is row 0); "E-N=" names the current row. Lines shorter than a key,
// unknown keys and an "E-N=" before any "E-D=" are ignored, as the format allows. A "FUS=" that is no
// row number 0..25, an unreadable "LIE=" or "HEU=", rows beyond the twelfth and a file that stops
// early are reported and otherwise ignored (the row shown stays).
PersonFileReading applyPersonFileContent(std::string_view bytes, PersonRecord& person) {
    PersonFileReading reading;
    const auto refuse = [&reading](std::string why) {
        reading.readable = false;
        reading.problems = {std::move(why)};
        return reading;
    };
    const bool marked = bytes.starts_with(kUtf8ByteOrderMark);
    if (marked) {
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    if (bytes.empty()) {
        return refuse("le fichier est vide");
    }
    const std::vector<std::string_view> lines = splitLines(bytes);
    // A file that stops in the middle of a line has been cut.
    const bool endsWithBreak = endsWithLineBreak(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (std::any_of(lines[i].begin(), lines[i].end(), isBinaryByte)) {
            return refuse("ligne " + std::to_string(i + 1) +
                          " : octets binaires, ce n'est pas une fiche de personne");
        }
    }
    const bool utf8 = marked || isUtf8Text(bytes);
    const auto decoded = [utf8](std::string_view raw) {
        return utf8 ? validUtf8(raw) : windows1252ToUtf8(raw);
    };
    const auto note = [&reading](std::size_t index, const std::string& what) {
        reading.problems.push_back("ligne " + std::to_string(index + 1) + " : " + what);
    };

    // A value read into its field, or its line noted as damaged and the field left as it was.
    const auto store = [&note](std::size_t index, const auto& read, auto& field, const std::string& why) {
        if (read) {
            field = *read;
        } else {
            note(index, why);
        }
    };

    std::size_t usable = lines.size();
    if (!endsWithBreak) {
        --usable;
        note(usable, "le fichier s'arrête au milieu de cette ligne (fichier coupé) ; elle est ignorée");
    }
    const auto known = [](std::string_view key) {
        return key == "dna=" || key == "hna=" || key == "fus=" || key == "e-d=" || key == "e-n=" ||
               key == "lie=" || key == "heu=";
    };
    const auto keyOf = [](std::string_view line) {
        return line.size() < 4 ? std::string() : lowerAscii(line.substr(0, 4));
    };
    if (std::none_of(lines.begin(), lines.end(), [&](std::string_view l) { return known(keyOf(l)); })) {
        return refuse("aucune ligne DNA=, HNA=, FUS=, E-D= ou E-N= : ce n'est pas une fiche de personne");
    }
    int row = -1;
    const auto rowValid = [&row] { return row >= 0 && row < PersonRecord::kEventRows; };
    for (std::size_t i = 0; i < usable; ++i) {
        const std::string_view line = lines[i];
        const std::string key = keyOf(line);
        const std::string value = key.empty() ? std::string() : decoded(line.substr(4));
        if (key == "dna=") {
            person.birthDate = value;
        } else if (key == "hna=") {
            person.birthTime = value;
        } else if (key == "fus=") {
            store(i, timeZoneRowValue(value), person.timeZoneRow,
                  "fuseau horaire « " + value + " » hors de 0 à 25, ignoré");
        } else if (key == "e-d=") {
            if (row < PersonRecord::kEventRows) {
                ++row;
                if (!rowValid()) {
                    note(i, "plus de 12 lignes E-D= ; celle-ci et les suivantes sont ignorées");
                }
            }
            if (rowValid()) {
                person.events[row].date = value;
            }
        } else if (key == "e-n=" && rowValid()) {
            person.events[row].name = value;
        } else if (key == "lie=") {
            store(i, placeValue(value), person.birthPlace, "lieu « " + value + " » illisible, ignoré");
        } else if (key == "heu=") {
            store(i, hourChoiceValue(value), person.repeatedHour,
                  "heure répétée « " + value + " » ni « ete » ni « hiver », ignorée");
        }
    }
    if (endsWithBreak && usable < kPersonFileLines) {
        note(usable - 1, "le fichier s'arrête après cette ligne, une fiche en compte " +
                             std::to_string(kPersonFileLines) + " (fichier coupé ?)");
    }
    return reading;
}

std::string personFileProblemText(const std::filesystem::path& file, const PersonFileReading& reading) {
    if (reading.problems.empty()) {
        return {};
    }
    std::string text = reading.readable ? "Le fichier " + quotedPath(file) + " est abîmé :"
                                        : "Le fichier " + quotedPath(file) + " ne peut pas être ouvert :";
    for (const std::string& problem : reading.problems) {
        text += "\r\n" + problem + ".";
    }
    return text;
}

}  // namespace selenarc
