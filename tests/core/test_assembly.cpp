#include <QtTest>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "interpretation/assembly.h"

using namespace selenarc;

Q_DECLARE_METATYPE(selenarc::RunState)

namespace {

constexpr double kPi = 3.14159265358979;
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Every key maps to "<key>", so the texts show their structure instead of prose. Neighbouring keys
// that must never be used (sign 0 and 13, a seventh portrait piece, a ninth phase row ...) exist too.
const ParagraphSet& keyed() {
    static const ParagraphSet set = [] {
        ParagraphSet keys;
        const auto add = [&keys](const QString& key) {
            keys[key.toStdString()] = "<" + key.toStdString() + ">";
        };
        const QString fixed =
            "I1 I2 I3 I4 I5 B0 B1 B2 B3 B4 B5 L0 L1 L2 L3 L4 C0 J-intro-1 J-intro-2 J-sign-intro-1 "
            "J-sign-intro-2 J-cycle-intro S-intro-1 S-intro-2 S-sign-intro S-cycle-intro-1 S-cycle-intro-2 "
            "S1-a S1-b S1-c S1-square-1 S1-opposition S1-square-2 S1-conjunction S2-a S2-b S2-c S2-start "
            "S2-square-1 S2-opposition S2-square-2 S2-conjunction S3-a S3-b S3-c S3-d S3-e S3-f";
        for (const QString& key : fixed.split(' ')) {
            add(key);
        }
        for (int n = 0; n <= 13; ++n) {
            for (const char* prefix : {"ENJEU", "J-sign", "J-cycle", "J-year", "S-sign"}) {
                add(QStringLiteral("%1-%2").arg(prefix).arg(n));
            }
            for (int piece = 0; piece <= 7; ++piece) {
                for (const char* prefix : {"SOLEIL", "LUNE", "PHASE"}) {
                    add(QStringLiteral("%1-%2-%3").arg(prefix).arg(n).arg(piece));
                }
            }
        }
        return keys;
    }();
    return set;
}

// In the second soli-lunar cycle, at full moon; Jupiter and Saturn as in a typical run.
RunState sampleState() {
    return RunState{.NatalSunSign = 5,
                    .NatalMoonSign = 2,
                    .CurrentLunarCycle = 2,
                    .CurrentCycleStart = "1985/03/12",
                    .CurrentCycleEnd = "2014/09/07",
                    .BirthPhaseAngle = 1.0f,
                    .TodayPhaseAngle = 3.0f,
                    .CycleNewMoonSign = 11,
                    .NatalJupiterSign = 9,
                    .CurrentJupiterCycle = 5,
                    .JupiterCycleYear = 6,
                    .NatalSaturnSign = 12,
                    .CurrentSaturnCycle = 2,
                    .CurrentAge = 45};
}

// A state with one value changed (by default the sample state).
template <typename T, typename V>
RunState with(T RunState::*field, V value, RunState state = sampleState()) {
    state.*field = static_cast<T>(value);
    return state;
}

// "<prefix-n>" when the row has paragraphs (a sign name), else nothing.
QString key(const QString& name, const char* prefix, int n) {
    return name.isEmpty() ? QString() : QStringLiteral("<%1-%2>").arg(prefix).arg(n);
}

}  // namespace

class AssemblyTest : public QObject {
    Q_OBJECT
  private slots:
    // One section of the soli-lunar text, found by its first words; an empty opening: the end of the text.
    void soliLunarSections_data() {
        QTest::addColumn<RunState>("state");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("expected");
        // Portraits: the sign name and every piece of the sign; nothing outside 1..12.
        const QStringList names = {"",           "Bélier",  "Taureau", "Gémeaux",  "Cancer",
                                   "Lion",       "Vierge",  "Balance", "Scorpion", "Sagittaire",
                                   "Capricorne", "Verseau", "Poisson", ""};
        const int sunPieces[] = {0, 3, 4, 3, 4, 6, 4, 5, 6, 3, 4, 5, 4, 0};
        const int moonPieces[] = {0, 3, 2, 2, 3, 2, 3, 3, 3, 3, 5, 3, 3, 0};
        for (int sign = 0; sign <= 13; ++sign) {
            QString sun = "Votre Soleil natal est en " + names[sign] + ".\r\n";
            QString moon = "Votre Lune natale est en " + names[sign] + ".\r\n";
            for (int piece = 1; piece <= 6; ++piece) {
                sun += piece <= sunPieces[sign] ? QStringLiteral("<SOLEIL-%1-%2>").arg(sign).arg(piece) : "";
                moon += piece <= moonPieces[sign] ? QStringLiteral("<LUNE-%1-%2>").arg(sign).arg(piece) : "";
            }
            QTest::addRow("sun %d", sign)
                << with(&RunState::NatalSunSign, sign) << "Votre Soleil" << sun + "\r\n\r\nVotre Lune";
            QTest::addRow("moon %d", sign)
                << with(&RunState::NatalMoonSign, sign) << "Votre Lune" << moon + "\r\n\r\nPhase de la lune";
        }
        // Phase at birth: thresholds in single precision, "<" strict.
        const QStringList birth = {
            "la nouvelle lune et le premier quartier.", "le premier quartier et la pleine lune.",
            "la pleine lune et le dernier quartier.", "le dernier quartier et la nouvelle lune."};
        const float half = static_cast<float>(kPi / 2);
        const std::tuple<const char*, float, int> births[] = {
            {"zero", 0.0f, 1},
            {"just below pi/2", std::nextafter(half, 0.0f), 1},
            {"pi/2", half, 2},
            {"pi", static_cast<float>(kPi), 3},
            {"3pi/2", static_cast<float>(kPi / 2 + kPi), 4},
            {"nan", kNaN, 4}};
        for (const auto& [row, angle, quarter] : births) {
            QTest::addRow("birth %s", row)
                << with(&RunState::BirthPhaseAngle, angle) << "Phase de la lune à"
                << "Phase de la lune à la naissance\r\n<B0>\r\n\r\nVous êtes né(e) entre " +
                       birth[quarter - 1] + QStringLiteral("\r\n<B%1>\r\n\r\nPhases de la lune").arg(quarter);
        }
        // Present phase, at the end of the text; thresholds from degrees, independently of the
        // assembly's own arithmetic.
        const QStringList phases = QString(
                                       "nouvelle lune;premier quartier croissant;premier carré croissant;"
                                       "premier trigone croissant;pleine lune;deuxième trigone décroissant;"
                                       "dernier carré décroissant;dernier quartier décroissant")
                                       .split(';');
        const auto present = [&phases](int row) {  // row 0: no present phase
            const QString phase = QStringLiteral("Vous êtes en phase de %1.\r\n<PHASE-%2-1><PHASE-%2-2>");
            return "<ENJEU-11>\r\n\r\n" + (row == 0 ? QString() : phase.arg(phases.value(row - 1)).arg(row)) +
                   "\r\n";
        };
        const int degrees[] = {30, 60, 120, 150, 210, 240, 300, 360};
        for (int i = 0; i < 8; ++i) {
            const float threshold = static_cast<float>(degrees[i] * kPi / 180);
            QTest::addRow("today just below %d", degrees[i])
                << with(&RunState::TodayPhaseAngle, std::nextafter(threshold, 0.0f)) << "" << present(i + 1);
            QTest::addRow("today at %d", degrees[i])
                << with(&RunState::TodayPhaseAngle, threshold) << "" << present(i < 7 ? i + 2 : 0);
        }
        QTest::newRow("today not a number") << with(&RunState::TodayPhaseAngle, kNaN) << "" << present(0);
        // The cycle that contains today, between the phases of life and the present phase.
        const auto section = [](const QString& text) {
            return "<L4>\r\n\r\n" + text + "Vous êtes en phase de pleine lune.";
        };
        const auto preparatory = [&section](const QString& date) {
            return section(
                "Vous n'avez pas encore commencé votre premier cycle soli-lunaire.\r\n<C0>\r\n"
                "Votre premier cycle soli-lunaire démarera le " +
                date + ".\r\n\r\n");
        };
        const auto inCycle = [&section](const QString& ordinal, const QString& sign,
                                        const QString& paragraph) {
            return section(
                "Vous êtes dans le " + ordinal +
                " cycle soli-lunaire.\r\n"
                "Ce cycle s'étend du 12/03/1985 jusqu'au 07/09/2014.\r\n"
                "L'enjeu principal de ce cycle vous est donné par le signe où a eu lieu la dernière "
                "conjoncion soleil-lune en l'occurence : " +
                sign + ".\r\n" + paragraph + "\r\n\r\n");
        };
        const auto cycle = [](int number, int sign, RunState state = sampleState()) {
            return with(&RunState::CurrentLunarCycle, number, with(&RunState::CycleNewMoonSign, sign, state));
        };
        QTest::newRow("preparatory") << cycle(0, 4) << "<L4>" << preparatory("07/09/2014");
        QTest::newRow("dates never set")
            << cycle(0, 4, with(&RunState::CurrentCycleEnd, "")) << "<L4>" << preparatory("//");
        const QStringList ordinals = {"premier", "deuxième", "troisième", "quatrième", "cinquième", ""};
        for (int n = 1; n <= 6; ++n) {
            QTest::addRow("cycle %d", n)
                << cycle(n, n) << "<L4>"
                << inCycle(ordinals[n - 1], names[n], QStringLiteral("<ENJEU-%1>").arg(n));
        }
        QTest::newRow("unknown leading sign") << cycle(1, 0) << "<L4>" << inCycle("premier", "", "");
        QTest::newRow("no cycle today") << cycle(-1, 4) << "<L4>" << section("");
    }
    void soliLunarSections() {
        QFETCH(RunState, state);
        QFETCH(QString, opening);
        QFETCH(QString, expected);
        const QString text = QString::fromStdString(SoliLunarText(state, keyed()));
        const qsizetype at = opening.isEmpty() ? text.size() - expected.size() : text.indexOf(opening);
        QVERIFY(at >= 0);
        QCOMPARE(text.mid(at, expected.size()), expected);
    }

    void wholeSoliLunarText() {
        const QString expected =
            "<I1>\r\n\r\n<I2>\r\n\r\n<I3>\r\n\r\n<I4><I5>\r\n\r\n"
            "Votre Soleil natal est en Bélier.\r\n<SOLEIL-1-1><SOLEIL-1-2><SOLEIL-1-3>\r\n\r\n"
            "Votre Lune natale est en Lion.\r\n<LUNE-5-1><LUNE-5-2>\r\n\r\n"
            "Phase de la lune à la naissance\r\n<B0>\r\n\r\n"
            "Vous êtes né(e) entre la nouvelle lune et le premier quartier.\r\n<B1>\r\n\r\n"
            "Phases de la lune dans la vie\r\n<L0>\r\n\r\n"
            "Les principaux moments de ce cycle sont les suivants :\r\n<L1>\r\n<L2>\r\n<L3>\r\n<L4>\r\n\r\n"
            "Vous êtes dans le deuxième cycle soli-lunaire.\r\n"
            "Ce cycle s'étend du 12/03/1985 jusqu'au 07/09/2014.\r\n"
            "L'enjeu principal de ce cycle vous est donné par le signe où a eu lieu la dernière conjoncion "
            "soleil-lune en l'occurence : Verseau.\r\n<ENJEU-11>\r\n\r\n"
            "Vous êtes en phase de pleine lune.\r\n<PHASE-5-1><PHASE-5-2>\r\n";
        const RunState state = with(&RunState::NatalSunSign, 1, with(&RunState::NatalMoonSign, 5));
        QCOMPARE(QString::fromStdString(SoliLunarText(state, keyed())), expected);
    }

    // Whole texts (paragraphs expected exactly in the rows that have a sign name), and the end of the
    // Saturn text for each age window of its first two cycles, at its bounds and in the gaps around it.
    void planetTexts_data() {
        QTest::addColumn<RunState>("state");
        QTest::addColumn<bool>("saturn");
        QTest::addColumn<QString>("expected");  // the end of the text
        const auto jupiter = [](const char* row, int sign, int cycle, int year, const QString& name) {
            const QString text = QStringLiteral(
                "<J-intro-1><J-intro-2>\r\n\r\n<J-sign-intro-1><J-sign-intro-2>\r\n\r\n"
                "Votre Jupiter natal est en %1.\r\n%2\r\n\r\nLe cycle de Jupiter\r\n<J-cycle-intro>\r\n\r\n"
                "Vous êtes en cycle %3\r\n%4\r\n\r\nVous êtes en année %5 de votre cycle %3\r\n%6\r\n");
            QTest::newRow(row) << with(&RunState::NatalJupiterSign, sign,
                                       with(&RunState::CurrentJupiterCycle, cycle,
                                            with(&RunState::JupiterCycleYear, year)))
                               << false
                               << text.arg(name, key(name, "J-sign", sign), QString::number(cycle),
                                           key(name, "J-cycle", cycle), QString::number(year),
                                           key(name, "J-year", year));
        };
        jupiter("jupiter typical", 9, 5, 6, "Sagittaire");
        jupiter("jupiter first year", 1, 1, 1, "Bélier");
        jupiter("jupiter last year, last cycle", 12, 7, 12, "Poisson");
        jupiter("jupiter no cycle", 0, 0, 0, "");
        jupiter("jupiter beyond the ranges", 13, 8, 13, "");
        const auto saturn = [](const char* row, int sign, int cycle, int age, const QString& name,
                               const QString& block) {
            const QString text = QStringLiteral(
                "<S-intro-1><S-intro-2>\r\n\r\n<S-sign-intro>\r\nVotre saturne natal est en %1.\r\n%2\r\n\r\n"
                "Le cycle de Saturne\r\n<S-cycle-intro-1>\r\n<S-cycle-intro-2>\r\n\r\nVous êtes en cycle "
                "%3\r\n%4\r\n");
            QTest::newRow(row) << with(&RunState::NatalSaturnSign, sign,
                                       with(&RunState::CurrentSaturnCycle, cycle,
                                            with(&RunState::CurrentAge, age)))
                               << true
                               << text.arg(name, key(name, "S-sign", sign), QString::number(cycle), block);
        };
        saturn("saturn typical", 12, 2, 45, "Poisson", "<S2-a><S2-b><S2-c>\r\n\r\n<S2-opposition>");
        saturn("saturn third cycle, any age", 1, 3, 15, "Bélier", "<S3-a><S3-b><S3-c><S3-d><S3-e><S3-f>\r\n");
        saturn("saturn no cycle, no sign", 0, 0, 15, "", "");
        saturn("saturn cycle 4, sign 13", 13, 4, 95, "", "");
        const std::tuple<int, const char*, std::vector<int>> windows[] = {
            {1, "", {0, 5, 9, 13, 17, 19, 23, 26}},
            {1, "S1-square-1", {6, 8}},
            {1, "S1-opposition", {14, 16}},
            {1, "S1-square-2", {20, 22}},
            {1, "S1-conjunction", {27, 75}},
            {2, "", {32, 33, 37, 42, 47, 50, 55, 56}},
            {2, "S2-start", {0, 31}},
            {2, "S2-square-1", {34, 36}},
            {2, "S2-opposition", {43, 46}},
            {2, "S2-square-2", {51, 54}},
            {2, "S2-conjunction", {57, 90}}};
        for (const auto& [cycle, phase, ages] : windows) {
            for (int age : ages) {
                QTest::addRow("saturn cycle %d age %d", cycle, age)
                    << with(&RunState::CurrentSaturnCycle, cycle, with(&RunState::CurrentAge, age)) << true
                    << QStringLiteral("Vous êtes en cycle %1\r\n<S%1-a><S%1-b><S%1-c>\r\n").arg(cycle) +
                           (*phase ? QStringLiteral("\r\n<%1>").arg(phase) : QString()) + "\r\n";
            }
        }
    }
    void planetTexts() {
        QFETCH(RunState, state);
        QFETCH(bool, saturn);
        QFETCH(QString, expected);
        const QString text =
            QString::fromStdString(saturn ? SaturnText(state, keyed()) : JupiterText(state, keyed()));
        QVERIFY(text.startsWith(saturn ? "<S-intro-1>" : "<J-intro-1>"));
        QCOMPARE(text.right(expected.size()), expected);
    }

    void missingParagraphsLeaveTheLinks() {
        QVERIFY(
            QString::fromStdString(SoliLunarText(sampleState(), ParagraphSet{}))
                .startsWith("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nVotre Soleil natal est en Lion.\r\n\r\n\r\n"));
        QVERIFY(QString::fromStdString(JupiterText(sampleState(), {}))
                    .endsWith("Vous êtes en année 6 de votre cycle 5\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(AssemblyTest)
#include "test_assembly.moc"
