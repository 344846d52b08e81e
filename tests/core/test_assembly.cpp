#include <QtTest>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

#include "interpretation/assembly.h"

using namespace selenarc;

namespace {

constexpr double kPi = 3.14159265358979;
const QString kBreak = QStringLiteral("\r\n");

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
            "J-sign-intro-2 "
            "J-cycle-intro S-intro-1 S-intro-2 S-sign-intro S-cycle-intro-1 S-cycle-intro-2 S1-a S1-b S1-c "
            "S1-square-1 S1-opposition S1-square-2 S1-conjunction S2-a S2-b S2-c S2-start S2-square-1 "
            "S2-opposition S2-square-2 S2-conjunction S3-a S3-b S3-c S3-d S3-e S3-f";
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

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

// The part of the text that starts at `opening`, as long as `expected`; "" when the opening is absent.
QString segment(const QString& text, const QString& opening, const QString& expected) {
    const qsizetype at = text.indexOf(opening);
    return at < 0 ? QString() : text.mid(at, expected.size());
}

float justBelow(float value) {
    return std::nextafter(value, 0.0f);
}

}  // namespace

class AssemblyTest : public QObject {
    Q_OBJECT
  private slots:
    void portraits_data() {
        QTest::addColumn<bool>("sun");
        QTest::addColumn<int>("sign");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("pieceCount");
        const QStringList names = {"Bélier",  "Taureau",  "Gémeaux",    "Cancer",     "Lion",    "Vierge",
                                   "Balance", "Scorpion", "Sagittaire", "Capricorne", "Verseau", "Poisson"};
        const int sunPieces[] = {3, 4, 3, 4, 6, 4, 5, 6, 3, 4, 5, 4};
        const int moonPieces[] = {3, 2, 2, 3, 2, 3, 3, 3, 3, 5, 3, 3};
        for (int sign = 1; sign <= 12; ++sign) {
            QTest::addRow("sun %d", sign) << true << sign << names[sign - 1] << sunPieces[sign - 1];
            QTest::addRow("moon %d", sign) << false << sign << names[sign - 1] << moonPieces[sign - 1];
        }
        for (int sign : {0, 13, -1}) {
            QTest::addRow("sun out of range %d", sign) << true << sign << QString() << 0;
            QTest::addRow("moon out of range %d", sign) << false << sign << QString() << 0;
        }
    }
    void portraits() {
        QFETCH(bool, sun);
        QFETCH(int, sign);
        QFETCH(QString, name);
        QFETCH(int, pieceCount);
        RunState state = sampleState();
        (sun ? state.NatalSunSign : state.NatalMoonSign) = static_cast<int16_t>(sign);
        const QString opening = sun ? "Votre Soleil natal est en " : "Votre Lune natale est en ";
        QString expected = opening + name + "." + kBreak;
        for (int piece = 1; piece <= pieceCount; ++piece) {
            expected += QStringLiteral("<%1-%2-%3>").arg(sun ? "SOLEIL" : "LUNE").arg(sign).arg(piece);
        }
        expected += kBreak + kBreak + (sun ? "Votre Lune" : "Phase de la lune");
        QCOMPARE(segment(q(SoliLunarText(state, keyed())), opening, expected), expected);
    }

    void birthPhase_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<int>("quarter");
        const float half = static_cast<float>(kPi / 2);
        const float full = static_cast<float>(kPi);
        const float threeHalves = static_cast<float>(kPi / 2 + kPi);
        QTest::newRow("zero") << 0.0f << 1;
        QTest::newRow("just below pi/2") << justBelow(half) << 1;
        QTest::newRow("pi/2") << half << 2;
        QTest::newRow("just below pi") << justBelow(full) << 2;
        QTest::newRow("pi") << full << 3;
        QTest::newRow("just below 3pi/2") << justBelow(threeHalves) << 3;
        QTest::newRow("3pi/2") << threeHalves << 4;
        QTest::newRow("2pi") << static_cast<float>(2 * kPi) << 4;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 4;
    }
    void birthPhase() {
        QFETCH(float, angle);
        QFETCH(int, quarter);
        const QStringList sentences = {
            "la nouvelle lune et le premier quartier.", "le premier quartier et la pleine lune.",
            "la pleine lune et le dernier quartier.", "le dernier quartier et la nouvelle lune."};
        RunState state = sampleState();
        state.BirthPhaseAngle = angle;
        const QString expected = "Phase de la lune à la naissance" + kBreak + "<B0>" + kBreak + kBreak +
                                 "Vous êtes né(e) entre " + sentences[quarter - 1] + kBreak +
                                 QStringLiteral("<B%1>").arg(quarter) + kBreak + kBreak + "Phases de la lune";
        QCOMPARE(segment(q(SoliLunarText(state, keyed())), "Phase de la lune à", expected), expected);
    }

    void presentPhase_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<int>("row");
        // Thresholds from degrees, independently of the assembly's own arithmetic.
        const int degrees[] = {30, 60, 120, 150, 210, 240, 300, 360};
        for (int i = 0; i < 8; ++i) {
            const float threshold = static_cast<float>(degrees[i] * kPi / 180);
            QTest::addRow("just below %d", degrees[i]) << justBelow(threshold) << i + 1;
            QTest::addRow("at %d", degrees[i]) << threshold << (i < 7 ? i + 2 : 0);
        }
        QTest::newRow("zero") << 0.0f << 1;
        QTest::newRow("beyond 2pi") << 7.0f << 0;
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << 0;
    }
    void presentPhase() {
        QFETCH(float, angle);
        QFETCH(int, row);
        const QStringList phases = QString(
                                       "nouvelle lune;premier quartier croissant;premier carré croissant;"
                                       "premier trigone croissant;pleine lune;deuxième trigone "
                                       "décroissant;dernier carré décroissant;"
                                       "dernier quartier décroissant")
                                       .split(';');
        RunState state = sampleState();
        state.TodayPhaseAngle = angle;
        const QString cycleEnd = "<ENJEU-11>" + kBreak + kBreak;
        const QString phase = row == 0 ? QString()
                                       : "Vous êtes en phase de " + phases[row - 1] + "." + kBreak +
                                             QStringLiteral("<PHASE-%1-1><PHASE-%1-2>").arg(row);
        const QString expected = cycleEnd + phase + kBreak;
        QCOMPARE(q(SoliLunarText(state, keyed())).right(expected.size()), expected);
    }

    void currentCycle_data() {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("newMoonSign");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("expected");
        const auto inCycle = [](const QString& ordinal, const QString& sign, const QString& paragraph) {
            return "Vous êtes dans le " + ordinal + " cycle soli-lunaire." + kBreak +
                   "Ce cycle s'étend du 12/03/1985 jusqu'au 07/09/2014." + kBreak +
                   "L'enjeu principal de ce cycle vous est donné par le signe où a eu lieu la dernière "
                   "conjoncion "
                   "soleil-lune en l'occurence : " +
                   sign + "." + kBreak + paragraph + kBreak + kBreak;
        };
        const auto preparatory = [](const QString& date) {
            return "Vous n'avez pas encore commencé votre premier cycle soli-lunaire." + kBreak + "<C0>" +
                   kBreak + "Votre premier cycle soli-lunaire démarera le " + date + "." + kBreak + kBreak;
        };
        QTest::newRow("preparatory") << 0 << 4 << "1985/03/12" << preparatory("12/03/1985");
        QTest::newRow("dates never set") << 0 << 4 << "" << preparatory("//");
        const QStringList ordinals = {"premier", "deuxième", "troisième", "quatrième", "cinquième"};
        for (int cycle = 1; cycle <= 5; ++cycle) {
            QTest::addRow("cycle %d", cycle)
                << cycle << 1 << "2014/09/07" << inCycle(ordinals[cycle - 1], "Bélier", "<ENJEU-1>");
        }
        QTest::newRow("cycle 6 has no ordinal")
            << 6 << 12 << "2014/09/07" << inCycle("", "Poisson", "<ENJEU-12>");
        QTest::newRow("unknown leading sign") << 1 << 0 << "2014/09/07" << inCycle("premier", "", "");
        QTest::newRow("leading sign 13") << 1 << 13 << "2014/09/07" << inCycle("premier", "", "");
        QTest::newRow("no cycle today") << -1 << 4 << "2014/09/07" << QString();
    }
    void currentCycle() {
        QFETCH(int, cycle);
        QFETCH(int, newMoonSign);
        QFETCH(QString, end);
        QFETCH(QString, expected);
        RunState state = sampleState();
        state.CurrentLunarCycle = static_cast<int16_t>(cycle);
        state.CycleNewMoonSign = static_cast<int16_t>(newMoonSign);
        state.CurrentCycleEnd = end.toStdString();
        const QString whole = "<L4>" + kBreak + kBreak + expected + "Vous êtes en phase de pleine lune.";
        QCOMPARE(segment(q(SoliLunarText(state, keyed())), "<L4>", whole), whole);
    }

    void wholeSoliLunarText() {
        RunState state = sampleState();
        state.NatalSunSign = 1;
        state.NatalMoonSign = 5;
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
        QCOMPARE(q(SoliLunarText(state, keyed())), expected);
    }

    // From the natal sign line to the end, for several signs, cycles and years.
    void jupiterText_data() {
        QTest::addColumn<int>("sign");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("year");
        QTest::addColumn<QString>("expected");
        const QString cycleIntro = "Le cycle de Jupiter\r\n<J-cycle-intro>\r\n\r\n";
        QTest::newRow("typical") << 9 << 5 << 6
                                 << "Sagittaire.\r\n<J-sign-9>\r\n\r\n" + cycleIntro +
                                        "Vous êtes en cycle 5\r\n<J-cycle-5>\r\n\r\n"
                                        "Vous êtes en année 6 de votre cycle 5\r\n<J-year-6>\r\n";
        QTest::newRow("first year") << 1 << 1 << 1
                                    << "Bélier.\r\n<J-sign-1>\r\n\r\n" + cycleIntro +
                                           "Vous êtes en cycle 1\r\n<J-cycle-1>\r\n\r\n"
                                           "Vous êtes en année 1 de votre cycle 1\r\n<J-year-1>\r\n";
        QTest::newRow("last year, last cycle")
            << 12 << 7 << 12
            << "Poisson.\r\n<J-sign-12>\r\n\r\n" + cycleIntro +
                   "Vous êtes en cycle 7\r\n<J-cycle-7>\r\n\r\n"
                   "Vous êtes en année 12 de votre cycle 7\r\n<J-year-12>\r\n";
        QTest::newRow("no cycle")
            << 0 << 0 << 0
            << ".\r\n\r\n\r\n" + cycleIntro +
                   "Vous êtes en cycle 0\r\n\r\n\r\nVous êtes en année 0 de votre cycle 0\r\n\r\n";
        QTest::newRow("beyond the ranges") << 13 << 8 << 13
                                           << ".\r\n\r\n\r\n" + cycleIntro +
                                                  "Vous êtes en cycle 8\r\n\r\n\r\n"
                                                  "Vous êtes en année 13 de votre cycle 8\r\n\r\n";
    }
    void jupiterText() {
        QFETCH(int, sign);
        QFETCH(int, cycle);
        QFETCH(int, year);
        QFETCH(QString, expected);
        RunState state = sampleState();
        state.NatalJupiterSign = static_cast<int16_t>(sign);
        state.CurrentJupiterCycle = static_cast<int16_t>(cycle);
        state.JupiterCycleYear = static_cast<int16_t>(year);
        const QString intro = "<J-intro-1><J-intro-2>\r\n\r\n<J-sign-intro-1><J-sign-intro-2>\r\n\r\n";
        QCOMPARE(q(JupiterText(state, keyed())), intro + "Votre Jupiter natal est en " + expected);
    }

    void saturnCycles_data() {
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("age");
        QTest::addColumn<QString>("phaseKey");
        // Each age window at its bounds and the gaps around it.
        const std::tuple<int, const char*, std::vector<int>> rows[] = {
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
        for (const auto& [cycle, key, ages] : rows) {
            for (int age : ages) {
                QTest::addRow("cycle %d age %d", cycle, age) << cycle << age << QString(key);
            }
        }
    }
    void saturnCycles() {
        QFETCH(int, cycle);
        QFETCH(int, age);
        QFETCH(QString, phaseKey);
        RunState state = sampleState();
        state.CurrentSaturnCycle = static_cast<int16_t>(cycle);
        state.CurrentAge = static_cast<int16_t>(age);
        const QString phase = phaseKey.isEmpty() ? QString() : kBreak + "<" + phaseKey + ">";
        const QString expected =
            QStringLiteral("Vous êtes en cycle %1\r\n<S%1-a><S%1-b><S%1-c>\r\n").arg(cycle) + phase + kBreak;
        QCOMPARE(q(SaturnText(state, keyed())).right(expected.size()), expected);
    }

    // The whole text for the other cycles and signs.
    void saturnText_data() {
        QTest::addColumn<int>("sign");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<int>("age");
        QTest::addColumn<QString>("expected");
        const QString cycleIntro = "Le cycle de Saturne\r\n<S-cycle-intro-1>\r\n<S-cycle-intro-2>\r\n\r\n";
        const QString third = "Vous êtes en cycle 3\r\n<S3-a><S3-b><S3-c><S3-d><S3-e><S3-f>\r\n\r\n";
        QTest::newRow("typical")
            << 12 << 2 << 45
            << "Poisson.\r\n<S-sign-12>\r\n\r\n" + cycleIntro +
                   "Vous êtes en cycle 2\r\n<S2-a><S2-b><S2-c>\r\n\r\n<S2-opposition>\r\n";
        QTest::newRow("third cycle, age 60")
            << 1 << 3 << 60 << "Bélier.\r\n<S-sign-1>\r\n\r\n" + cycleIntro + third;
        QTest::newRow("third cycle, age 15")
            << 1 << 3 << 15 << "Bélier.\r\n<S-sign-1>\r\n\r\n" + cycleIntro + third;
        QTest::newRow("no cycle, no sign")
            << 0 << 0 << 15 << ".\r\n\r\n\r\n" + cycleIntro + "Vous êtes en cycle 0\r\n\r\n";
        QTest::newRow("cycle 4, sign 13")
            << 13 << 4 << 95 << ".\r\n\r\n\r\n" + cycleIntro + "Vous êtes en cycle 4\r\n\r\n";
    }
    void saturnText() {
        QFETCH(int, sign);
        QFETCH(int, cycle);
        QFETCH(int, age);
        QFETCH(QString, expected);
        RunState state = sampleState();
        state.NatalSaturnSign = static_cast<int16_t>(sign);
        state.CurrentSaturnCycle = static_cast<int16_t>(cycle);
        state.CurrentAge = static_cast<int16_t>(age);
        const QString intro = "<S-intro-1><S-intro-2>\r\n\r\n<S-sign-intro>\r\nVotre saturne natal est en ";
        QCOMPARE(q(SaturnText(state, keyed())), intro + expected);
    }

    void missingParagraphsLeaveTheLinks() {
        const std::string text = SoliLunarText(sampleState(), ParagraphSet{});
        QVERIFY(q(text).startsWith(
            "\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nVotre Soleil natal est en Lion.\r\n\r\n\r\n"));
        QVERIFY(q(JupiterText(sampleState(), {})).endsWith("Vous êtes en année 6 de votre cycle 5\r\n\r\n"));
    }
};

QTEST_GUILESS_MAIN(AssemblyTest)
#include "test_assembly.moc"
