#include <QtTest>

#include "app/command_line.h"
#include "calendar/entry_checks.h"

using namespace selenarc;

namespace {

std::vector<std::string> words(const QByteArrayList& arguments) {
    std::vector<std::string> result;
    for (const QByteArray& argument : arguments) {
        result.push_back(argument.toStdString());
    }
    return result;
}

}  // namespace

Q_DECLARE_METATYPE(ProgramMode)

class ReportOptionsTest : public QObject {
    Q_OBJECT
  private slots:
    // What the program does with its arguments, before any window system: the detail is the
    // refusal's reason, or the first name a report runs with.
    void commandLine_data() {
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<ProgramMode>("mode");
        QTest::addColumn<QString>("detail");
        const auto report = [](QByteArrayList rest) { return QByteArrayList{"--rapport"} + rest; };
        QTest::newRow("none") << QByteArrayList{} << ProgramMode::Window << "";
        QTest::newRow("--help") << QByteArrayList{"--help"} << ProgramMode::Help << "";
        QTest::newRow("help and more")
            << QByteArrayList{"-h", "x"} << ProgramMode::Refused << "option inconnue : x";
        QTest::newRow("-platform as a name")
            << report({"--prenom", "-platform", "--nom", "Dupont"}) << ProgramMode::Report << "-platform";
        QTest::newRow("empty --fichier")
            << report({"--fichier", ""}) << ProgramMode::Refused << "nom de fichier vide : --fichier";
        QTest::newRow("four-byte character")
            << report({"--prenom", "Zo\xc3\xa9 \xf0\x9d\x84\x9e"}) << ProgramMode::Report << "Zoé 𝄞";
        const QString notUtf8 = "l'argument 3 n'est pas un texte UTF-8 valide";
        QTest::newRow("Latin-1") << report({"--prenom", "Ren\xe9"}) << ProgramMode::Refused << notUtf8;
        QTest::newRow("missing value")
            << report({"--prenom"}) << ProgramMode::Refused << "option sans valeur : --prenom";
        for (const QByteArray zone : {"26", "+1"}) {
            QTest::addRow("zone %s", zone.data()) << report({"--fuseau", zone}) << ProgramMode::Refused
                                                  << "fuseau horaire invalide (0 à 25) : " + QString(zone);
        }
        for (const QByteArray now : {"06/12/2026", "31/04/2026 10h00"}) {
            QTest::addRow("today %s", now.data())
                << report({"--aujourdhui", now}) << ProgramMode::Refused
                << "date du jour invalide (JJ/MM/AAAA HHhMM) : " + QString(now);
        }
        QByteArrayList thirteen;
        for (int i = 0; i < 13; ++i) {
            thirteen << "--evenement"
                     << "01/01/2000=x";
        }
        QTest::newRow("thirteen events")
            << report(thirteen) << ProgramMode::Refused << "plus de 12 événements";
    }
    void commandLine() {
        QFETCH(QByteArrayList, arguments);
        QFETCH(ProgramMode, mode);
        QFETCH(QString, detail);
        const CommandLine command = parseCommandLine(words(arguments));
        QCOMPARE(command.mode, mode);
        QCOMPARE(QString::fromStdString(mode == ProgramMode::Report ? command.report.person.firstName
                                                                    : command.error),
                 detail);
    }
};

QTEST_GUILESS_MAIN(ReportOptionsTest)
#include "test_report_options.moc"
