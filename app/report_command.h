#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/person_record.h"
#include "calendar/civil_time.h"

namespace selenarc {

// selenarc --rapport [--prenom P] [--nom N] [--date JJ/MM/AAAA] [--heure HHhMM] [--fuseau R]
//                    [--lieu NOM] [--heure-repetee ete|hiver]
//                    [--aujourdhui "JJ/MM/AAAA HHhMM"] [--evenement "JJ/MM/AAAA=Nom"]...
struct ReportOptions {
    PersonRecord person;
    std::optional<CivilDateTime> now;  // --aujourdhui; the clock otherwise
    std::string pdfFile;               // --pdf
    std::string personFile;            // --fichier
    std::filesystem::path dataFolder;  // where a --fichier without a folder is looked for
};

struct ParsedReportOptions {
    std::optional<ReportOptions> options;
    std::string error;  // why the options were refused (for the usage message)
};

inline constexpr int kReportOk = 0;
inline constexpr int kReportCheckFailed = 2;
inline constexpr int kReportUsage = 64;

// `arguments` are those after "--rapport".
ParsedReportOptions parseReportOptions(const std::vector<std::string>& arguments);

// The file a --fichier value names: as given when it has a folder part, else in `dataFolder`.
std::filesystem::path personFilePath(const std::string& personFile, const std::filesystem::path& dataFolder);

// selenarc --lieux TEXTE: the places the completion offers for TEXT, one display form per line;
// kReportCheckFailed and a message when there is none or the list cannot be read.
int listPlaces(const std::string& typed, const std::filesystem::path& programFolder, std::ostream& out,
               std::ostream& err);

class Session;
// Extra output after a successful run (the PDF of --pdf); false after reporting a failure to `err`.
using ReportExtra = std::function<bool(Session& session, const ReportOptions& options, std::ostream& err)>;

inline constexpr int kReportOutputFailed = 1;

// Runs the whole computation as "Calculer" would and writes one JSON object to `out`;
// a failed check (the window's name checks included) writes its message to `err` and returns
// kReportCheckFailed; a failed extra output writes nothing to `out`.
int runReport(const ReportOptions& options, const std::filesystem::path& programFolder,
              const CivilDateTime& clockNow, std::ostream& out, std::ostream& err,
              const ReportExtra& extra = {});

}  // namespace selenarc
