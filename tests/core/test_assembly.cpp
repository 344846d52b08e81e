#include <QtTest>

#include <cmath>

#include "interpretation/assembly.h"

using namespace selenarc;

namespace {

constexpr double kPi = 3.14159265358979;

// Every key maps to "<key>", so the texts show their structure instead of prose. Neighbouring keys
// that must never be used (sign 0 and 13, a seventh portrait piece, a ninth phase row ...) exist too.
ParagraphSet keyed() {
    ParagraphSet keys;
    const auto add = [&keys](const std::string& key) { keys[key] = "<" + key + ">"; };
    const QString fixed =
        "I1 I2 I3 I4 I5 B0 B1 B2 B3 B4 B5 L0 L1 L2 L3 L4 C0 J-intro-1 J-intro-2 J-sign-intro-1 "
        "J-sign-intro-2 J-cycle-intro S-intro-1 S-intro-2 S-sign-intro S-cycle-intro-1 S-cycle-intro-2 "
        "S1-a S1-b S1-c S1-square-1 S1-opposition S1-square-2 S1-conjunction S2-a S2-b S2-c S2-start "
        "S2-square-1 S2-opposition S2-square-2 S2-conjunction S3-a S3-b S3-c S3-d S3-e S3-f";
    for (const QString& key : fixed.split(' ')) {
        add(key.toStdString());
    }
    for (const std::string prefix :
         {"ENJEU", "J-sign", "J-cycle", "J-year", "S-sign", "SOLEIL", "LUNE", "PHASE"}) {
        for (int n = 0; n <= 13; ++n) {
            add(prefix + "-" + std::to_string(n));
            for (int piece = 0; piece <= 7; ++piece) {
                add(prefix + "-" + std::to_string(n) + "-" + std::to_string(piece));
            }
        }
    }
    return keys;
}

// Sun in Bélier, moon in Lion, in the second cycle (12/03/1985 to 07/09/2014, leading sign Verseau),
// born early in the lunation (1 rad), today at full moon (3 rad).
const RunState kSample{1, 5, 2, "1985/03/12", "2014/09/07", 1.0f, 3.0f, 11};

// The soli-lunar text of the sample state with one value changed.
template <typename T, typename V>
QString soliLunar(T RunState::*field, V value) {
    RunState state = kSample;
    state.*field = static_cast<T>(value);
    return QString::fromStdString(SoliLunarText(state, keyed()));
}

// The Jupiter or Saturn text of a sign, a cycle and a cycle year (Jupiter) or an age (Saturn).
QString planet(std::string (*assemble)(const RunState&, const ParagraphSet&), int16_t sign, int16_t cycle,
               int16_t n) {
    // Fields in declaration order: the soli-lunar ones unset, then Jupiter's, then Saturn's.
    const RunState state{0, 0, 0, {}, {}, 0, 0, 0, sign, cycle, n, sign, cycle, n};
    return QString::fromStdString(assemble(state, keyed()));
}

}  // namespace

class AssemblyTest : public QObject {
    Q_OBJECT
  private slots:
    // A piece of an assembled text, found by its first words (an empty opening: the end of the text).
    void texts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole soli-lunar text")
            << soliLunar(&RunState::NatalSunSign, 1) << ""
            << "<I1>\r\n\r\n<I2>\r\n\r\n<I3>\r\n\r\n<I4><I5>\r\n\r\n"
               "Votre Soleil natal est en Bélier.\r\n<SOLEIL-1-1><SOLEIL-1-2><SOLEIL-1-3>\r\n\r\n"
               "Votre Lune natale est en Lion.\r\n<LUNE-5-1><LUNE-5-2>\r\n\r\n"
               "Phase de la lune à la naissance\r\n<B0>\r\n\r\n"
               "Vous êtes né(e) entre la nouvelle lune et le premier quartier.\r\n<B1>\r\n\r\n"
               "Phases de la lune dans la vie\r\n<L0>\r\n\r\nLes principaux moments de ce cycle sont les "
               "suivants\u00A0:\r\n<L1>\r\n<L2>\r\n<L3>\r\n<L4>\r\n\r\n"
               "Vous êtes dans le deuxième cycle soli-lunaire.\r\nCe cycle s’étend du 12/03/1985 jusqu’au "
               "07/09/2014.\r\nL’enjeu principal de ce cycle vous est donné par le signe où a eu lieu la "
               "dernière conjonction soleil-lune en l’occurrence\u00A0: Verseau.\r\n<ENJEU-11>\r\n\r\n"
               "Vous êtes en phase de pleine lune.\r\n<PHASE-5-1><PHASE-5-2>\r\n";
        // Phase at birth: thresholds in single precision, "<" strict.
        const std::tuple<const char*, float, const char*> births[] = {
            {"pi/2", float(kPi / 2), "le premier quartier et la pleine lune.\r\n<B2>"},
            {"pi", float(kPi), "la pleine lune et le dernier quartier.\r\n<B3>"},
            {"nan", NAN, "le dernier quartier et la nouvelle lune.\r\n<B4>"}};
        for (const auto& [row, angle, sentence] : births) {
            QTest::addRow("birth %s", row) << soliLunar(&RunState::BirthPhaseAngle, angle) << "Vous êtes né"
                                           << QString("Vous êtes né(e) entre ") + sentence;
        }
        // Present phase just below 30° and at each threshold (the next row, "<" strict); none from 360°.
        const QString phases =
            "nouvelle lune;premier quartier croissant;premier carré croissant;premier trigone croissant;"
            "pleine lune;deuxième trigone décroissant;dernier carré décroissant;dernier quartier décroissant";
        const QString phase = QStringLiteral("Vous êtes en phase de %1.\r\n<PHASE-%2-1><PHASE-%2-2>");
        const int degrees[] = {0, 30, 60, 120, 150, 210, 240, 300, 360};
        for (int i = 0; i <= 8; ++i) {
            const float angle = i == 0 ? std::nextafter(float(kPi / 6), 0.0f) : float(degrees[i] * kPi / 180);
            QTest::addRow("today at %d", degrees[i])
                << soliLunar(&RunState::TodayPhaseAngle, angle) << ""
                << "<ENJEU-11>\r\n\r\n" +
                       (i < 8 ? phase.arg(phases.section(';', i, i)).arg(i + 1) : QString()) + "\r\n";
        }
        // The cycle that contains today, between the phases of life and the present phase.
        const QString preparatory =
            "<L4>\r\n\r\nVous n’avez pas encore commencé votre premier cycle soli-lunaire.\r\n<C0>\r\n"
            "Votre premier cycle soli-lunaire démarrera le %1.\r\n\r\nVous êtes en phase";
        QTest::newRow("preparatory") << soliLunar(&RunState::CurrentLunarCycle, 0) << "<L4>"
                                     << preparatory.arg("07/09/2014");
        QTest::newRow("no cycle today") << soliLunar(&RunState::CurrentLunarCycle, -1) << "<L4>"
                                        << "<L4>\r\n\r\nVous êtes en phase";

        // Jupiter: paragraphs exactly for the values in range (sign 1..12, cycle 1..7, year 1..12).
        const QString whole = QStringLiteral(
            "<J-intro-1><J-intro-2>\r\n\r\n<J-sign-intro-1><J-sign-intro-2>\r\n\r\n"
            "Votre Jupiter natal est en %1.\r\n%2\r\n\r\nLe cycle de Jupiter\r\n<J-cycle-intro>\r\n\r\n"
            "Vous êtes en cycle %3\r\n%4\r\n\r\nVous êtes en année %5 de votre cycle %3\r\n%6\r\n");
        QTest::newRow("jupiter 9, 5, 6")
            << planet(JupiterText, 9, 5, 6) << ""
            << whole.arg("Sagittaire", "<J-sign-9>", "5", "<J-cycle-5>", "6", "<J-year-6>");

        QTest::newRow("saturn 12, cycle 2, age 45")
            << planet(SaturnText, 12, 2, 45) << ""
            << "<S-intro-1><S-intro-2>\r\n\r\n<S-sign-intro>\r\nVotre saturne natal est en Poisson.\r\n"
               "<S-sign-12>\r\n\r\nLe cycle de Saturne\r\n<S-cycle-intro-1>\r\n<S-cycle-intro-2>\r\n\r\n"
               "Vous êtes en cycle 2\r\n<S2-a><S2-b><S2-c>\r\n\r\n<S2-opposition>\r\n";
        QTest::newRow("saturn sign 13, cycle 3, any age")
            << planet(SaturnText, 13, 3, 15) << ""
            << "natal est en .\r\n\r\n\r\nLe cycle de Saturne\r\n<S-cycle-intro-1>\r\n"
               "<S-cycle-intro-2>\r\n\r\n"
               "Vous êtes en cycle 3\r\n<S3-a><S3-b><S3-c><S3-d><S3-e><S3-f>\r\n\r\n";
        // Each age window at both ends (an open end: one), and the ages just outside, without paragraph.
        const QString ages =
            "1:5 1:6:S1-square-1 1:8:S1-square-1 1:9 1:13 1:14:S1-opposition 1:16:S1-opposition "
            "1:17 1:19 1:20:S1-square-2 1:22:S1-square-2 1:23 1:26 1:27:S1-conjunction 2:31:S2-start "
            "2:32 2:33 2:34:S2-square-1 2:36:S2-square-1 2:37 2:42 2:43:S2-opposition "
            "2:46:S2-opposition 2:47 2:50 2:51:S2-square-2 2:54:S2-square-2 2:55 2:56 2:57:S2-conjunction";
        for (const QString& item : ages.split(' ')) {
            const QStringList parts = item.split(':');
            QTest::addRow("saturn cycle %s age %s", qPrintable(parts[0]), qPrintable(parts[1]))
                << planet(SaturnText, 1, parts[0].toShort(), parts[1].toShort()) << ""
                << "-c>\r\n" + (parts.size() > 2 ? "\r\n<" + parts[2] + ">" : QString()) + "\r\n";
        }
    }
    void texts() {
        QFETCH(QString, text);
        QFETCH(QString, opening);
        QFETCH(QString, expected);
        const qsizetype at = opening.isEmpty() ? text.size() - expected.size() : text.indexOf(opening);
        QCOMPARE(text.mid(at, expected.size()), expected);
    }
};

QTEST_GUILESS_MAIN(AssemblyTest)
#include "test_assembly.moc"
