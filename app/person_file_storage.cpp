#include "app/person_file_storage.h"

#include <algorithm>
#include <array>
#include <tuple>
#include <utility>

#include "calendar/system_reason.h"
#include "calendar/text.h"

namespace selenarc {

namespace {

constexpr char32_t kInvalid = kInvalidCodePoint;

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
            appendUtf8(out, c == kInvalid ? kReplacementCharacter : c);
    }
}

}  // namespace

std::optional<std::string> readPersonFileBytes(const std::filesystem::path& file, std::string& error) {
    WholeFile read = readWholeFile(file, kMaxPersonFileBytes);
    switch (read.problem) {
        case FileProblem::None:
            return std::move(read.bytes);
        case FileProblem::Missing:
            error = "Le fichier " + quotedPath(file) + " est introuvable.";
            break;
        case FileProblem::Folder:
            error = quotedPath(file) + " est un dossier, pas une fiche.";
            break;
        case FileProblem::NotRegular:
            error = quotedPath(file) +
                    " n'est pas un fichier ordinaire (tube, périphérique ou prise), pas une fiche.";
            break;
        case FileProblem::Unreadable:
            error = "Le fichier " + quotedPath(file) +
                    " ne peut pas être lu : " + frenchSystemReason(read.reason) + ".";
            break;
        case FileProblem::TooLarge:
            error = "Le fichier " + quotedPath(file) +
                    " est trop volumineux pour être une fiche (plus de 1 Mio).";
            break;
    }
    return std::nullopt;
}

std::optional<PersonRecord> readPersonFile(const std::filesystem::path& file, std::string& error,
                                           std::string* notes) {
    const auto parts = splitPersonFileName(pathToUtf8(file.filename()));
    if (!parts) {
        error = "Le nom du fichier " + quotedPath(file) + " doit avoir la forme Prénom#Nom.atl.";
        return std::nullopt;
    }
    const auto bytes = readPersonFileBytes(file, error);
    if (!bytes) {
        return std::nullopt;
    }
    PersonRecord person;
    person.birthDate.clear();
    person.birthTime.clear();
    person.firstName = displayNamePart(parts->first);
    person.lastName = displayNamePart(parts->last);
    const PersonFileReading reading = applyPersonFileContent(*bytes, person);
    if (!reading.readable) {
        error = personFileProblemText(file, reading);
        return std::nullopt;
    }
    if (notes) {
        *notes = personFileProblemText(file, reading);
    }
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
