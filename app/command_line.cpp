#include "app/command_line.h"

#include "calendar/utf8_text.h"

namespace selenarc {

const char* const kUsageText =
    "usage : selenarc                  ouvre la fenêtre\n"
    "        selenarc --help | -h      affiche cette aide\n"
    "        selenarc --version        affiche la version\n"
    "        selenarc --lieux TEXTE    affiche les lieux de naissance que propose TEXTE\n"
    "        selenarc --rapport [--prenom P] [--nom N] [--date JJ/MM/AAAA] [--heure HHhMM]\n"
    "                           [--fuseau 0..25 | --lieu LIEU [--heure-repetee ete|hiver]]\n"
    "                           [--aujourdhui \"JJ/MM/AAAA HHhMM\"]\n"
    "                           [--evenement \"JJ/MM/AAAA=Nom\"]... [--fichier FICHIER.atl]\n"
    "                           [--pdf FICHIER.pdf]\n"
    "          imprime le calcul complet en JSON ; sans dossier, FICHIER.atl est cherché dans\n"
    "          le dossier des personnes sauvegardées ; LIEU est un nom (« Brest ») ou la forme\n"
    "          qu'affiche --lieux (« Brest (Finistère, France) ») ; --heure-repetee choisit\n"
    "          l'heure d'été ou d'hiver d'une heure vécue deux fois au changement d'heure\n";

const char* const kVersionText = "selenarc " SELENARC_VERSION "\n";

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    const auto refuse = [](std::string why) {
        return CommandLine{ProgramMode::Refused, {}, {}, std::move(why)};
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (!isValidUtf8(arguments[i])) {
            return refuse("l'argument " + std::to_string(i + 1) + " n'est pas un texte UTF-8 valide");
        }
    }
    if (arguments.empty()) {
        return {};
    }
    const std::string& first = arguments.front();
    if (first == "--rapport") {
        auto parsed = parseReportOptions({arguments.begin() + 1, arguments.end()});
        if (!parsed.options) {
            return refuse(std::move(parsed.error));
        }
        return {ProgramMode::Report, std::move(*parsed.options), {}, {}};
    }
    if (first == "--lieux") {
        if (arguments.size() != 2) {
            return refuse(arguments.size() < 2 ? "option sans valeur : --lieux"
                                               : "option inconnue : " + arguments[2]);
        }
        return {ProgramMode::Places, {}, arguments[1], {}};
    }
    const bool help = first == "--help" || first == "-h";
    if ((help || first == "--version") && arguments.size() == 1) {
        return {help ? ProgramMode::Help : ProgramMode::Version, {}, {}, {}};
    }
    return refuse("option inconnue : " + arguments[help || first == "--version" ? 1 : 0]);
}

}  // namespace selenarc
