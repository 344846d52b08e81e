#include "calendar/text.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

namespace selenarc {

std::string_view trimmed(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string_view takeLine(std::string_view& rest) {
    const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    const std::string_view line = rest.substr(0, end);
    std::size_t next = std::min(end + 1, rest.size());
    if (end < rest.size() && rest[end] == '\r' && next < rest.size() && rest[next] == '\n') {
        ++next;
    }
    rest.remove_prefix(next);
    return line;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        lines.push_back(takeLine(text));
    }
    return lines;
}

bool endsWithLineBreak(std::string_view text) {
    return text.ends_with('\n') || text.ends_with('\r');
}

WholeFile readWholeFile(const std::filesystem::path& file, std::uintmax_t maxBytes) {
    const auto failed = [](FileProblem problem, std::error_code reason = {}) {
        return WholeFile{std::nullopt, problem, reason};
    };
    std::error_code status;
    const auto kind = std::filesystem::status(file, status).type();
    if (kind == std::filesystem::file_type::not_found) {
        return failed(FileProblem::Missing);
    }
    if (status) {
        return failed(FileProblem::Unreadable, status);
    }
    if (kind == std::filesystem::file_type::directory) {
        return failed(FileProblem::Folder);
    }
    if (kind != std::filesystem::file_type::regular) {
        return failed(FileProblem::NotRegular);
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return failed(FileProblem::Unreadable, std::error_code(errno, std::generic_category()));
    }
    // The size is only a hint: the file may change between the query and the reading.
    std::error_code sizeStatus;
    const std::uintmax_t hint = std::filesystem::file_size(file, sizeStatus);
    std::string bytes(static_cast<std::size_t>(std::min(sizeStatus ? 0 : hint, maxBytes) + 1), '\0');
    std::size_t filled = 0;
    for (;;) {
        in.read(bytes.data() + filled, static_cast<std::streamsize>(bytes.size() - filled));
        filled += static_cast<std::size_t>(in.gcount());
        if (in.bad()) {
            return failed(FileProblem::Unreadable, std::error_code(errno, std::generic_category()));
        }
        if (filled < bytes.size() || bytes.size() > maxBytes) {
            break;
        }
        bytes.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(2 * bytes.size(), maxBytes + 1)));
    }
    if (filled > maxBytes) {
        return failed(FileProblem::TooLarge);
    }
    bytes.resize(filled);
    return WholeFile{std::move(bytes), FileProblem::None, {}};
}

}  // namespace selenarc
