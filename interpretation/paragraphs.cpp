#include "interpretation/paragraphs.h"

#include <array>
#include <system_error>

#include "calendar/text.h"

namespace selenarc {
namespace {

// The files are a few tens of kilobytes; anything far larger is not one of ours.
constexpr std::uintmax_t kMaxFileBytes = 16u * 1024u * 1024u;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What is wrong with a piece's text, or "" when it is well-formed UTF-8 without control characters.
std::string textFault(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c == '\t') {
            return "une seconde tabulation se trouve dans le texte";
        }
        if (c < 0x20 || c == 0x7F) {
            return "le texte contient un caractère de contrôle";
        }
        if (nextCodePoint(text, pos) == kInvalidCodePoint) {
            return "le texte n'est pas en UTF-8 valide";
        }
    }
    return "";
}

// Keys are short ASCII names such as "I1", "SOLEIL-5-2" or "S1-square-1".
bool isValidKey(std::string_view key) {
    if (key.empty()) {
        return false;
    }
    for (const char c : key) {
        const bool allowed = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                             c == '-' || c == '_';
        if (!allowed) {
            return false;
        }
    }
    return true;
}

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string lineError(const std::string& fileName, std::size_t lineNumber, const std::string& what) {
    return "Fichier de textes « " + fileName + " », ligne " + std::to_string(lineNumber) + " : " + what + ".";
}

}  // namespace

std::optional<ParagraphSet> parseParagraphText(std::string_view content, const std::string& fileName,
                                               std::string& error) {
    if (content.starts_with(kByteOrderMark)) {
        content.remove_prefix(kByteOrderMark.size());
    }
    ParagraphSet paragraphs;
    std::map<std::string, std::size_t, std::less<>> firstLineOfKey;
    std::size_t lineNumber = 0;
    for (std::string_view rest = content; !rest.empty();) {
        ++lineNumber;
        const std::string_view line = takeLine(rest);
        if (isBlankLine(line) || line.starts_with('#')) {
            continue;
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            error = lineError(fileName, lineNumber, "il manque la tabulation entre la clé et le texte");
            return std::nullopt;
        }
        const std::string_view key = line.substr(0, tab);
        const std::string_view text = line.substr(tab + 1);
        if (key.empty()) {
            error = lineError(fileName, lineNumber, "la clé est vide");
            return std::nullopt;
        }
        if (!isValidKey(key)) {
            error =
                lineError(fileName, lineNumber,
                          "la clé ne doit contenir que des lettres sans accent, des chiffres et des tirets");
            return std::nullopt;
        }
        if (const auto seen = firstLineOfKey.find(key); seen != firstLineOfKey.end()) {
            error = lineError(
                fileName, lineNumber,
                "la clé « " + std::string(key) + " » figure déjà à la ligne " + std::to_string(seen->second));
            return std::nullopt;
        }
        if (const std::string fault = textFault(text); !fault.empty()) {
            error = lineError(fileName, lineNumber, fault);
            return std::nullopt;
        }
        firstLineOfKey.emplace(key, lineNumber);
        paragraphs.emplace(key, text);
    }
    return paragraphs;
}

std::optional<ParagraphSet> loadParagraphFile(const std::filesystem::path& file, std::string& error) {
    const std::string name = file.string();
    const WholeFile read = readWholeFile(file, kMaxFileBytes);
    switch (read.problem) {
        case FileProblem::None:
            return parseParagraphText(*read.bytes, name, error);
        case FileProblem::Missing:
        case FileProblem::Folder:
        case FileProblem::NotRegular:
            error = "Fichier de textes « " + name + " » introuvable.";
            break;
        case FileProblem::TooLarge:
            error = "Fichier de textes « " + name + " » illisible ou trop volumineux.";
            break;
        case FileProblem::Unreadable:
            error = "Fichier de textes « " + name + " » illisible.";
            break;
    }
    return std::nullopt;
}

std::optional<ParagraphSet> loadAllParagraphs(const std::filesystem::path& interpretationFolder,
                                              std::string& error) {
    static constexpr std::array<const char*, 3> kFiles = {"cycle-de-vie.txt", "jupiter.txt", "saturne.txt"};
    ParagraphSet all;
    for (const char* fileName : kFiles) {
        const std::filesystem::path path = interpretationFolder / fileName;
        auto one = loadParagraphFile(path, error);
        if (!one) {
            return std::nullopt;
        }
        for (auto& [key, text] : *one) {
            if (all.contains(key)) {
                error = "Fichier de textes « " + path.string() + " » : la clé « " + key +
                        " » figure déjà dans un autre fichier.";
                return std::nullopt;
            }
            all.emplace(key, std::move(text));
        }
    }
    return all;
}

std::string paragraph(const ParagraphSet& set, std::string_view key) {
    const auto found = set.find(key);
    return found == set.end() ? std::string() : found->second;
}

}  // namespace selenarc
