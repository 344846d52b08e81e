#include <QtTest>

#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"
#include "sky/sign_names.h"
#include "sky/table_span.h"

using namespace selenarc;
using namespace std::chrono;

namespace {

CivilDate date(const char* text) {
    return *parseDayMonthYear(text);
}

sys_time<minutes> instant(const IngressLine& line) {
    return sys_days{line.date} + line.timeUT.value_or(minutes{0});
}

int signOf(const std::string& decoded) {
    return std::stoi(decoded);
}

int signOfDigit(const std::string& column) {
    return signIndexOfDigit(column.at(0));
}

}  // namespace

class ShippedTablesTest : public QObject {
    Q_OBJECT
    EphemerisTables tables;

    const IngressTable& table(const QString& name) const {
        if (name == "so")
            return tables.sun;
        if (name == "su")
            return tables.moon;
        if (name == "sj")
            return tables.jupiter;
        return tables.saturn;
    }

    // The Sun's sign at an instant, from so.txt (every line has its time).
    int sunSignAt(sys_time<minutes> t) const {
        const CivilDateTime at = CivilDateTime::fromInstant(t);
        return natalSign(tables.sun, CivilDate{at.day}, at);
    }

    // Mean new moon of lunation k: Julian day 2415020.75933 + 29.53058868 k (1970-01-01 0h is 2440587.5).
    static sys_time<minutes> meanNewMoon(int k) {
        const double jd = 2415020.75933 + 29.53058868 * k;
        return sys_time<minutes>{minutes{std::llround((jd - 2440587.5) * 1440.0)}};
    }

  private slots:
    void initTestCase() {
        std::string error;
        const auto loaded = loadEphemerisTables(SELENARC_SOURCE_DIR "/data", error);
        QVERIFY2(loaded, error.c_str());
        tables = *loaded;
    }

    // Every line is an accepted, timed ingress into the sign next to the previous one: forward when
    // direct, backward when retrograde; the Sun and the Moon are never retrograde.
    void ingressSequence_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("retrogradeAllowed");
        QTest::newRow("so.txt") << "so" << false;
        QTest::newRow("su.txt") << "su" << false;
        QTest::newRow("sj.txt") << "sj" << true;
        QTest::newRow("ss.txt") << "ss" << true;
    }
    void ingressSequence() {
        QFETCH(QString, name);
        QFETCH(bool, retrogradeAllowed);
        const auto& lines = table(name).accepted;
        QVERIFY(lines.size() > 400);
        QCOMPARE(size_t(lines.back().lineNumber), lines.size());  // no blank, no ignored line
        int retrograde = 0;
        for (size_t i = 1; i < lines.size(); ++i) {
            QVERIFY(lines[i].timeUT.has_value());
            QVERIFY2(instant(lines[i - 1]) < instant(lines[i]),
                     qPrintable(QString::number(lines[i].lineNumber)));
            const int previous = signOf(lines[i - 1].sign), sign = signOf(lines[i].sign);
            if (sign != previous % 12 + 1) {
                QVERIFY2(retrogradeAllowed && sign == (previous + 10) % 12 + 1,
                         qPrintable(name + " ligne " + QString::number(lines[i].lineNumber)));
                ++retrograde;
            }
        }
        QCOMPARE(retrograde > 0, retrogradeAllowed);
    }

    // Consecutive numbers, four signs each; the new moon in the Sun's sign of so.txt within a day of the
    // mean new moon, the full moon opposite it give or take one sign.
    void lunationSequence() {
        const auto& lines = tables.lunations.lines;
        QVERIFY(lines.size() > 5000);
        size_t compared = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const LunationLine& line = lines[i];
            const QByteArray where = QByteArray::number(line.number);
            for (const std::string& sign : line.signs) {
                QVERIFY2(signOfDigit(sign) != 0, where);
            }
            if (i > 0) {
                QCOMPARE(line.number, lines[i - 1].number + 1);
            }
            const int newMoon = signOfDigit(line.signs[0]);
            const auto mean = meanNewMoon(line.number);
            const int before = sunSignAt(mean - days{1}), after = sunSignAt(mean + days{1});
            if (before != 0 && after != 0) {  // both inside so.txt
                QVERIFY2(newMoon == before || newMoon == after, where);
                ++compared;
            }
            const int opposite = (signOfDigit(line.signs[2]) - newMoon + 12) % 12;
            QVERIFY2(opposite >= 5 && opposite <= 7, where);
        }
        QVERIFY(compared + 12 > lines.size());
    }

    void birthSpan() {
        const BirthSpan span = supportedBirthSpan(tables);
        QCOMPARE(QString::fromStdString(birthSpanMessage(span)),
                 QString("Date de naissance : hors des tables (du 01/01/1820 au 31/12/2280)"));
        QVERIFY(isInBirthSpan(span, date("01/01/1820")));
        QVERIFY(isInBirthSpan(span, date("31/12/2280")));
        QVERIFY(!isInBirthSpan(span, date("31/12/1819")));
        QVERIFY(!isInBirthSpan(span, date("01/01/2281")));
        // What the cycle computations look up for the last birth is in the tables.
        QVERIFY(tables.saturn.accepted.back().date >= lastSaturnQuarter(date("31/12/2280")));
        QVERIFY(tables.jupiter.accepted.back().date >= lastJupiterQuarter(date("31/12/2280")));
    }

    // The span follows the table that runs out first; each row cuts one table.
    void spanFollowsTheTables_data() {
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("Sun from 1900") << "so from 1900"
                                       << "01/01/1901"
                                       << "31/12/2280";
        QTest::newRow("Moon until mid-2200") << "su until 2200"
                                             << "01/01/1820"
                                             << "31/12/2199";
        QTest::newRow("lunations from 0") << "sl from 0"
                                          << "01/01/1901"
                                          << "31/12/2280";
        QTest::newRow("lunation 3000 missing") << "sl without 3000"
                                               << "01/01/1820"
                                               << "31/12/2141";
        QTest::newRow("Jupiter until 2300") << "sj until 2300"
                                            << "01/01/1820"
                                            << "31/12/2218";
        QTest::newRow("Saturn until 2300") << "ss until 2300"
                                           << "01/01/1820"
                                           << "31/12/2188";
        QTest::newRow("Saturn from 1900") << "ss from 1900"
                                          << "01/01/1901"
                                          << "31/12/2280";
    }
    void spanFollowsTheTables() {
        QFETCH(QString, cut);
        QFETCH(QString, first);
        QFETCH(QString, last);
        EphemerisTables cutTables = tables;
        auto cutIngress = [&](IngressTable& t, const char* from, const char* until) {
            std::erase_if(t.accepted,
                          [&](const IngressLine& l) { return l.date < date(from) || l.date > date(until); });
        };
        if (cut == "so from 1900")
            cutIngress(cutTables.sun, "01/01/1900", "31/12/9999");
        if (cut == "su until 2200")
            cutIngress(cutTables.moon, "01/01/0001", "01/06/2200");
        if (cut == "sj until 2300")
            cutIngress(cutTables.jupiter, "01/01/0001", "01/01/2300");
        if (cut == "ss until 2300")
            cutIngress(cutTables.saturn, "01/01/0001", "01/01/2300");
        if (cut == "ss from 1900")
            cutIngress(cutTables.saturn, "01/01/1900", "31/12/9999");
        if (cut == "sl from 0" || cut == "sl without 3000") {
            std::erase_if(cutTables.lunations.lines, [&](const LunationLine& l) {
                return cut == "sl from 0" ? l.number < 0 : l.number == 3000;
            });
        }
        const BirthSpan span = supportedBirthSpan(cutTables);
        QCOMPARE(QString::fromStdString(formatDayMonthYear(span.first)), first);
        QCOMPARE(QString::fromStdString(formatDayMonthYear(span.last)), last);
        // The year after the last one is not covered by the cut Jupiter or Saturn table.
        const CivilDate nextYearEnd = addYearsClipped(span.last, 1);
        if (cut == "sj until 2300") {
            QVERIFY(lastJupiterQuarter(span.last) <= cutTables.jupiter.accepted.back().date);
            QVERIFY(lastJupiterQuarter(nextYearEnd) > cutTables.jupiter.accepted.back().date);
        }
        if (cut == "ss until 2300") {
            QVERIFY(lastSaturnQuarter(span.last) <= cutTables.saturn.accepted.back().date);
            QVERIFY(lastSaturnQuarter(nextYearEnd) > cutTables.saturn.accepted.back().date);
        }
    }

    // Published instants (universal time), to two minutes.
    void knownIngresses_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("day");
        QTest::addColumn<int>("minuteOfDay");
        QTest::addColumn<int>("sign");
        QTest::newRow("March equinox 2000") << "so"
                                            << "20/03/2000" << 7 * 60 + 35 << 1;
        QTest::newRow("June solstice 2000") << "so"
                                            << "21/06/2000" << 1 * 60 + 48 << 4;
        QTest::newRow("Saturn into Aquarius 2020") << "ss"
                                                   << "22/03/2020" << 3 * 60 + 58 << 11;
        QTest::newRow("Saturn back into Capricorn 2020") << "ss"
                                                         << "01/07/2020" << 23 * 60 + 37 << 10;
        QTest::newRow("Jupiter into Aquarius 2020") << "sj"
                                                    << "19/12/2020" << 13 * 60 + 7 << 11;
        QTest::newRow("Jupiter into Pisces 2021") << "sj"
                                                  << "13/05/2021" << 22 * 60 + 36 << 12;
    }
    void knownIngresses() {
        QFETCH(QString, name);
        QFETCH(QString, day);
        QFETCH(int, minuteOfDay);
        QFETCH(int, sign);
        const sys_time<minutes> expected = sys_days{date(qPrintable(day))} + minutes{minuteOfDay};
        const auto& lines = table(name).accepted;
        const auto found = std::find_if(lines.begin(), lines.end(), [&](const IngressLine& line) {
            return abs(instant(line) - expected) <= minutes{2};
        });
        QVERIFY(found != lines.end());
        QCOMPARE(signOf(found->sign), sign);
    }

    void knownNatalSigns_data() {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QString>("utDate");
        QTest::addColumn<int>("utMinuteOfDay");
        QTest::addColumn<int>("sun");
        QTest::addColumn<int>("moon");
        QTest::newRow("equinox 2000, minute before") << "20/03/2000"
                                                     << "20/03/2000" << 7 * 60 + 34 << 12 << 7;
        QTest::newRow("equinox 2000, minute after") << "20/03/2000"
                                                    << "20/03/2000" << 7 * 60 + 36 << 1 << 7;
        QTest::newRow("01/01/1950 12h00 GMT+1") << "01/01/1950"
                                                << "01/01/1950" << 11 * 60 << 10 << 3;
        QTest::newRow("first birth") << "01/01/1820"
                                     << "01/01/1820" << 0 << 10 << 4;
        QTest::newRow("last birth") << "31/12/2280"
                                    << "01/01/2281" << 12 * 60 << 10 << 2;
    }
    void knownNatalSigns() {
        QFETCH(QString, birthDate);
        QFETCH(QString, utDate);
        QFETCH(int, utMinuteOfDay);
        QFETCH(int, sun);
        QFETCH(int, moon);
        const CivilDateTime birthUT{sys_days{date(qPrintable(utDate))}, minutes{utMinuteOfDay}};
        RunState state;
        calcul_soleil(date(qPrintable(birthDate)), birthUT, tables.sun, state);
        calcul_lune(date(qPrintable(birthDate)), birthUT, tables.moon, state);
        QCOMPARE(int(state.NatalSunSign), sun);
        QCOMPARE(int(state.NatalMoonSign), moon);
    }

    void knownLunations_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("signs");
        // 19/12/1949 new moon in Sagittarius, 04/01/1950 full moon in Cancer; 06/01/2000 new moon in
        // Capricorn, 21/01/2000 full moon (eclipse) in Leo.
        QTest::newRow("618") << 618 << "9147";
        QTest::newRow("1237") << 1237 << "A158";
    }
    void knownLunations() {
        QFETCH(int, number);
        QFETCH(QString, signs);
        const auto& lines = tables.lunations.lines;
        const auto found = std::find_if(lines.begin(), lines.end(),
                                        [&](const LunationLine& l) { return l.number == number; });
        QVERIFY(found != lines.end());
        QString text;
        for (const std::string& sign : found->signs) {
            text += QString::fromStdString(sign);
        }
        QCOMPARE(text, signs);
    }
};

QTEST_GUILESS_MAIN(ShippedTablesTest)
#include "test_shipped_tables.moc"
