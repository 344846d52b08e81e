#include "app/report_command.h"

#include <ostream>

#include "app/birth_place.h"
#include "app/entry_validation.h"
#include "app/person_file.h"
#include "app/person_file_storage.h"
#include "app/report_json.h"
#include "app/session.h"
#include "calendar/text.h"

namespace selenarc {

namespace {

std::optional<int> wholeNumber(const std::string& text) {
    if (text.empty() || text.size() > 4) {
        return std::nullopt;
    }
    return parseWholeNumber<int>(text);
}

// "JJ/MM/AAAA HHhMM"
std::optional<CivilDateTime> parseNow(const std::string& text) {
    if (text.size() != 16 || text[10] != ' ' || text[13] != 'h') {
        return std::nullopt;
    }
    const auto date = parseDayMonthYear(std::string_view(text).substr(0, 10));
    const auto hour = wholeNumber(text.substr(11, 2));
    const auto minute = wholeNumber(text.substr(14, 2));
    if (!date || !hour || !minute || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    return CivilDateTime{std::chrono::sys_days{*date},
                         std::chrono::hours{*hour} + std::chrono::minutes{*minute}};
}

}  // namespace

ParsedReportOptions parseReportOptions(const std::vector<std::string>& arguments) {
    ReportOptions options;
    int eventRow = 0;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (i + 1 >= arguments.size()) {
            return {std::nullopt, "option sans valeur : " + name};
        }
        const std::string& value = arguments[++i];
        if (name == "--prenom") {
            options.person.firstName = value;
        } else if (name == "--nom") {
            options.person.lastName = value;
        } else if (name == "--date") {
            options.person.birthDate = value;
        } else if (name == "--heure") {
            options.person.birthTime = value;
        } else if (name == "--fuseau") {
            const auto row = wholeNumber(value);
            if (!row || *row > 25) {
                return {std::nullopt, "fuseau horaire invalide (0 à 25) : " + value};
            }
            options.person.timeZoneRow = *row;
        } else if (name == "--lieu") {
            options.person.birthPlace = {0, value};
        } else if (name == "--heure-repetee") {
            if (value != "ete" && value != "hiver") {
                return {std::nullopt, "heure répétée invalide (ete ou hiver) : " + value};
            }
            options.person.repeatedHour = value == "ete" ? HourChoice::Summer : HourChoice::Winter;
        } else if (name == "--aujourdhui") {
            options.now = parseNow(value);
            if (!options.now) {
                return {std::nullopt, "date du jour invalide (JJ/MM/AAAA HHhMM) : " + value};
            }
        } else if (name == "--evenement") {
            // "date=name"; without "=" the whole value is the date.
            if (eventRow >= PersonRecord::kEventRows) {
                return {std::nullopt, "plus de 12 événements"};
            }
            const auto equals = value.find('=');
            options.person.events[eventRow++] =
                equals == std::string::npos ? EventRow{value, ""}
                                            : EventRow{value.substr(0, equals), value.substr(equals + 1)};
        } else if (name == "--pdf" || name == "--fichier") {
            if (value.empty()) {
                return {std::nullopt, "nom de fichier vide : " + name};
            }
            (name == "--pdf" ? options.pdfFile : options.personFile) = value;
        } else {
            return {std::nullopt, "option inconnue : " + name};
        }
    }
    return {options, {}};
}

std::filesystem::path personFilePath(const std::string& personFile, const std::filesystem::path& dataFolder) {
    const std::filesystem::path path = pathFromUtf8(personFile);
    return path.has_parent_path() ? path : dataFolder / path;
}

int listPlaces(const std::string& typed, const std::filesystem::path& programFolder, std::ostream& out,
               std::ostream& err) {
    std::string error;
    const auto gazetteer = Gazetteer::load(programFolder / "lieux.txt", error);
    if (!gazetteer) {
        err << error << '\n';
        return kReportCheckFailed;
    }
    const std::vector<const Place*> found = gazetteer->complete(typed, kPlaceSuggestions);
    if (found.empty()) {
        err << "Aucun lieu ne correspond à « " << typed << " ».\n";
        return kReportCheckFailed;
    }
    for (const Place* place : found) {
        out << displayName(*place) << '\n';
    }
    return kReportOk;
}

int runReport(const ReportOptions& options, const std::filesystem::path& programFolder,
              const CivilDateTime& clockNow, std::ostream& out, std::ostream& err, const ReportExtra& extra) {
    size_t messages = 0;
    Session session(programFolder, [&err, &messages](const Message& message) {
        ++messages;
        err << message.text << '\n';
    });
    const CivilDateTime now = options.now.value_or(clockNow);
    PersonRecord person = options.person;
    if (!options.personFile.empty()) {
        // As if the "Ouvrir" window had opened it: names from the file name, fields from its lines.
        std::string error, notes;
        const auto fromFile =
            readPersonFile(personFilePath(options.personFile, options.dataFolder), error, &notes);
        if (!fromFile) {
            err << error << '\n';
            return kReportCheckFailed;
        }
        if (!notes.empty()) {
            err << notes << '\n';  // a damaged but readable file: said, then computed as the window would
        }
        person = *fromFile;
    } else if (const auto refusal = forbiddenNameMessage(person)) {
        err << *refusal << '\n';  // the window would not let these names be typed
        return kReportCheckFailed;
    }
    if (session.calculer(person, now)) {
        return kReportCheckFailed;
    }
    // The persons/events rows, as "Ok" would plot them; a refused row stops the report.
    const size_t before = messages;
    session.plotEvents(person.events, now);
    if (messages > before) {
        return kReportCheckFailed;
    }
    // The extra output first: when it fails, standard output stays empty.
    ReportOptions used = options;
    used.person = person;
    if (extra && !extra(session, used, err)) {
        return kReportOutputFailed;
    }
    out << reportJson(session) << '\n';
    return kReportOk;
}

}  // namespace selenarc
