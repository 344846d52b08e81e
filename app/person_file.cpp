#include "app/person_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>
#include <tuple>
#include <utility>

#include "app/entry_validation.h"
#include "interpretation/utf8.h"

namespace selenarc {

namespace {

constexpr char32_t kInvalid = kInvalidCodePoint;
constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 bytes 0x80..0x9F; 0 where the code page defines nothing. Other bytes equal Latin-1.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t fromWindows1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        const char32_t c = kWindows1252High[byte - 0x80];
        return c != 0 ? c : kReplacement;
    }
    return byte;
}

// The byte for `c`, or "?" when the code page lacks it.
char toWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    const auto found = std::find(kWindows1252High.begin(), kWindows1252High.end(), c);
    if (c != 0 && found != kWindows1252High.end()) {
        return static_cast<char>(0x80 + (found - kWindows1252High.begin()));
    }
    return '?';
}

// Latin letters of the file names: ASCII letters, the hyphen and ten French accented letters.
bool keptInName(char32_t c) {
    if ((c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || c == U'-') {
        return true;
    }
    constexpr std::u32string_view kAccented = U"éèçàùêâûôî";
    return kAccented.find(c) != std::u32string_view::npos;
}

// Base letters of U+00C0..U+00FF by position modulo 32 (upper and lower case share a row);
// nullptr for × and ÷, which are no letters.
constexpr std::array<const char*, 32> kLatin1Base = {
    "a", "a", "a", "a", "a", "a", "ae", "c",     "e", "e", "e", "e", "i", "i", "i",  "i",
    "d", "n", "o", "o", "o", "o", "o",  nullptr, "o", "u", "u", "u", "u", "y", "th", nullptr};

// Lower-case, accent-free spelling of one code point, appended to `out`.
void appendFolded(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c);
        return;
    }
    if (c == 0xDF) {
        out += "ss";
        return;
    }
    if (c == 0xFF) {
        out += "y";
        return;
    }
    if (c >= 0xC0 && c <= 0xFF && kLatin1Base[(c - 0xC0) % 32] != nullptr) {
        out += kLatin1Base[(c - 0xC0) % 32];
        return;
    }
    switch (c) {
        case 0x152:
        case 0x153:
            out += "oe";
            return;  // Œ œ
        case 0x160:
        case 0x161:
            out += "s";
            return;  // Š š
        case 0x17D:
        case 0x17E:
            out += "z";
            return;  // Ž ž
        case 0x178:
            out += "y";
            return;  // Ÿ
        default:
            appendUtf8(out, c == kInvalid ? kReplacement : c);
    }
}

// A value stays on its own line: line breaks inside it become blanks.
std::string oneLine(const std::string& value) {
    std::string line = trimmed(value);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return line;
}

// "FUS=" value: a whole number 0..25 (surrounding blanks allowed), else nothing.
std::optional<int> timeZoneRowValue(const std::string& value) {
    const std::string digits = trimmed(value);
    if (digits.empty() || digits.size() > 9 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int row = std::stoi(digits);
    return row <= 25 ? std::optional<int>(row) : std::nullopt;
}

// The lines of a text, split at CR LF, a lone CR or a lone LF.
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

// French wording of the usual file-system failures.
std::string frenchReason(std::error_code error) {
    static const std::pair<std::errc, const char*> kReasons[] = {
        {std::errc::no_such_file_or_directory, "dossier ou fichier introuvable"},
        {std::errc::permission_denied, "accès refusé"},
        {std::errc::operation_not_permitted, "accès refusé"},
        {std::errc::no_space_on_device, "disque plein"},
        {std::errc::read_only_file_system, "support en lecture seule"},
        {std::errc::not_a_directory, "un élément du chemin n'est pas un dossier"},
        {std::errc::is_a_directory, "un dossier porte ce nom"},
        {std::errc::filename_too_long, "nom de fichier trop long"},
        {std::errc::io_error, "erreur d'entrée-sortie"},
    };
    for (const auto& [code, reason] : kReasons) {
        if (error == code) {
            return reason;
        }
    }
    return error ? error.message() : "erreur d'écriture";
}

std::error_code lastError() {
    return {errno, std::generic_category()};
}

std::string quoted(const std::filesystem::path& path) {
    return "« " + pathToUtf8(path) + " »";
}

}  // namespace

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t pos = 0; pos < utf8.size();) {
        out += toWindows1252(nextCodePoint(utf8, pos));
    }
    return out;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        appendUtf8(out, fromWindows1252(static_cast<unsigned char>(byte)));
    }
    return out;
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
    return cleanPersonName(trimmed(person.t_prenom)) + "#" + cleanPersonName(trimmed(person.t_nom)) +
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
    line("DNA=", oneLine(person.Text1));
    line("HNA=", oneLine(person.Text2));
    line("FUS=", std::to_string(person.timeZoneRow));
    for (const EventRow& row : person.events) {
        line("E-D=", oneLine(row.date));
        line("E-N=", oneLine(row.name));
    }
    return utf8ToWindows1252(text);
}

// Each line: its first four characters are the key (any case), the rest the value. "E-D=" moves to
// the next person row (the first is row 0); "E-N=" names the current row. Lines shorter than a key,
// unknown keys, an "E-N=" before any "E-D=", rows beyond the twelfth and a "FUS=" that is not a row
// number 0..25 are ignored.
void applyPersonFileContent(std::string_view windows1252Bytes, PersonRecord& person) {
    const std::string text = windows1252ToUtf8(windows1252Bytes);
    int row = -1;
    const auto rowValid = [&row] { return row >= 0 && row < PersonRecord::kEventRows; };
    for (const std::string_view line : splitLines(text)) {
        if (line.size() < 4) {
            continue;
        }
        const std::string key = lowerAscii(line.substr(0, 4));
        const std::string value(line.substr(4));
        if (key == "dna=") {
            person.Text1 = value;
        } else if (key == "hna=") {
            person.Text2 = value;
        } else if (key == "fus=") {
            if (const auto zone = timeZoneRowValue(value)) {
                person.timeZoneRow = *zone;
            }
        } else if (key == "e-d=") {
            if (row < PersonRecord::kEventRows) {
                ++row;
            }
            if (rowValid()) {
                person.events[row].date = value;
            }
        } else if (key == "e-n=" && rowValid()) {
            person.events[row].name = value;
        }
    }
}

bool writeFileAtomically(const std::filesystem::path& target, std::string_view bytes, std::string& error) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    bool created = false;  // never remove what another program put at the temporary's place
    const auto fail = [&](std::error_code reason) {
        if (created) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
        }
        error = frenchReason(reason);
        return false;
    };
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return fail(lastError());
        }
        created = true;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            return fail(lastError());
        }
        out.close();
        if (out.fail()) {
            return fail(lastError());
        }
    }
    std::error_code renamed;
    std::filesystem::rename(temporary, target, renamed);
    if (renamed) {
        return fail(renamed);
    }
    return true;
}

std::optional<std::string> readPersonFileBytes(const std::filesystem::path& file, std::string& error) {
    std::error_code status;
    if (!std::filesystem::exists(file, status)) {
        error = "Le fichier " + quoted(file) + " est introuvable.";
        return std::nullopt;
    }
    if (std::filesystem::is_directory(file, status)) {
        error = quoted(file) + " est un dossier, pas une fiche.";
        return std::nullopt;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        error = "Le fichier " + quoted(file) + " ne peut pas être lu : " + frenchReason(lastError()) + ".";
        return std::nullopt;
    }
    // Read one byte past the limit: the size may change between a size query and the reading.
    std::string bytes(kMaxPersonFileBytes + 1, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        error = "Le fichier " + quoted(file) + " ne peut pas être lu : " + frenchReason(lastError()) + ".";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxPersonFileBytes) {
        error = "Le fichier " + quoted(file) + " est trop volumineux pour être une fiche (plus de 1 Mio).";
        return std::nullopt;
    }
    return bytes;
}

bool savePersonFile(const PersonRecord& person, const DataFolder& folder, const MessageSink& sink) {
    if (!folder.usable) {
        sink({"Enregistrement impossible : le dossier des fiches " + quoted(folder.path) +
                  " n'a pas pu être créé.",
              "Erreur", MessageIcon::Exclamation});
        return false;
    }
    const auto target = folder.path / pathFromUtf8(personFileName(person));
    std::string reason;
    if (!writeFileAtomically(target, encodePersonFile(person), reason)) {
        sink({"Le fichier " + quoted(target) + " n'a pas pu être enregistré : " + reason + ".", "Erreur",
              MessageIcon::Exclamation});
        return false;
    }
    sink({"Enregistrement effectué", "Enregistrement", MessageIcon::Information});
    return true;
}

std::optional<PersonRecord> readPersonFile(const std::filesystem::path& file, std::string& error) {
    const auto parts = splitPersonFileName(pathToUtf8(file.filename()));
    if (!parts) {
        error = "Le nom du fichier " + quoted(file) + " doit avoir la forme Prénom#Nom.atl.";
        return std::nullopt;
    }
    const auto bytes = readPersonFileBytes(file, error);
    if (!bytes) {
        return std::nullopt;
    }
    PersonRecord person;
    person.Text1.clear();
    person.Text2.clear();
    person.t_prenom = displayNamePart(parts->first);
    person.t_nom = displayNamePart(parts->last);
    applyPersonFileContent(*bytes, person);
    return person;
}

std::string foldForSorting(std::string_view utf8) {
    std::string folded;
    for (std::size_t pos = 0; pos < utf8.size();) {
        appendFolded(folded, nextCodePoint(utf8, pos));
    }
    return folded;
}

std::vector<PersonListEntry> listPersonFiles(const std::filesystem::path& folder) {
    std::vector<PersonListEntry> entries;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        std::error_code kind;
        if (it->is_directory(kind)) {
            continue;
        }
        const std::string name = pathToUtf8(it->path().filename());
        if (const auto parts = splitPersonFileName(name)) {
            entries.push_back({displayNamePart(parts->first) + " " + displayNamePart(parts->last), name});
        }
    }
    std::vector<std::pair<std::string, PersonListEntry>> keyed;
    keyed.reserve(entries.size());
    for (auto& entry : entries) {
        keyed.emplace_back(foldForSorting(entry.display), std::move(entry));
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second.display, a.second.fileName) <
               std::tie(b.first, b.second.display, b.second.fileName);
    });
    entries.clear();
    for (auto& [key, entry] : keyed) {
        entries.push_back(std::move(entry));
    }
    return entries;
}

}  // namespace selenarc
