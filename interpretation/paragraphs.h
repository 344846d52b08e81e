#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace selenarc {

// The fixed French paragraphs of the interpretations, by key ("I1", "SOLEIL-5-2", "J-year-6", ...).
using ParagraphSet = std::map<std::string, std::string, std::less<>>;

// Reads one paragraph file: UTF-8, one piece per line, the key, one tab, then the text exactly to the
// end of the line (trailing blanks kept, a final "\r" dropped). Blank lines and lines starting with "#"
// are skipped. On a malformed line or an unreadable file returns nothing and sets `error` to a French
// message naming the file (and the line).
std::optional<ParagraphSet> parseParagraphText(std::string_view content, const std::string& fileName,
                                               std::string& error);
std::optional<ParagraphSet> loadParagraphFile(const std::filesystem::path& file, std::string& error);

// The three shipped files of data/interpretation/ merged into one set (their keys do not overlap).
std::optional<ParagraphSet> loadAllParagraphs(const std::filesystem::path& interpretationFolder,
                                              std::string& error);

// The text of a key, or "" when it is missing (a missing key never stops an interpretation).
std::string paragraph(const ParagraphSet& set, std::string_view key);

}  // namespace selenarc
