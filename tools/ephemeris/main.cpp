// Writes the five ephemeris tables (so.txt, su.txt, sj.txt, ss.txt, sl.txt) from the Swiss Ephemeris.
// Usage: selenarc_ephemeris <output-folder> [<Swiss Ephemeris files folder>]
// Without the second argument the library's own search path is used (SE_EPHE_PATH, then the
// distribution's folder).
#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ingress_finder.h"
#include "phase_signs.h"
#include "table_lines.h"

using namespace selenarc::ephemeris;

namespace {

// Births from 01/01/1820 to 31/12/2280. The Sun and Moon tables start a month early so that the first
// birth has a previous ingress and end a month late so that the last one has a next. Jupiter and Saturn
// reach as far as the 1800-2399 files allow: a cycle computation looks up to about 111 years ahead.
struct Span {
    double startJD;
    double endJD;
};
const Span kSunMoonSpan{julianDayOf(1819, 12, 1), julianDayOf(2281, 2, 1)};
const Span kPlanetSpan{julianDayOf(1801, 1, 1), julianDayOf(2399, 12, 1)};

void writeLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    for (const std::string& line : lines) {
        out << line << "\r\n";
    }
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
    std::printf("%s: %zu lines\n", file.string().c_str(), lines.size());
}

void writeIngressTable(const std::filesystem::path& file, int body, Span span, double stepDays) {
    std::vector<std::string> lines;
    for (const Ingress& ingress : findIngresses(body, span.startJD, span.endJD, stepDays)) {
        lines.push_back(ingressLine(ingress));
    }
    writeLines(file, lines);
}

// Lunation whose mean new moon is the last one at or before jd.
int meanLunationAt(double jd) {
    return static_cast<int>(std::floor((jd - kLunationZeroJD) / kSynodicMonth));
}

void writeLunationTable(const std::filesystem::path& file, Span span) {
    // One lunation of margin before the first birth; the lunation of the last birth and five after it,
    // plus one of margin.
    const int first = meanLunationAt(span.startJD) - 1;
    const int last = meanLunationAt(span.endJD) + 6;
    std::vector<std::string> lines;
    for (int k = first; k <= last; ++k) {
        lines.push_back(lunationLine(lunationSigns(k)));
    }
    writeLines(file, lines);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <output-folder> [<ephemeris-files-folder>]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    swe_set_ephe_path(argc == 3 ? argv[2] : nullptr);
    try {
        std::filesystem::create_directories(folder);
        // Steps: the Moon moves at most about 15 degrees a day, the others far less.
        writeIngressTable(folder / "so.txt", SE_SUN, kSunMoonSpan, 1.0);
        writeIngressTable(folder / "su.txt", SE_MOON, kSunMoonSpan, 0.25);
        writeIngressTable(folder / "sj.txt", SE_JUPITER, kPlanetSpan, 1.0);
        writeIngressTable(folder / "ss.txt", SE_SATURN, kPlanetSpan, 1.0);
        writeLunationTable(folder / "sl.txt", kSunMoonSpan);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        swe_close();
        return 1;
    }
    swe_close();
    return 0;
}
