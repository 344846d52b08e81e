#include <QtTest>

#include "cycles/birth_span.h"
#include "cycles/planet_cycles.h"
#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"
#include "sky/sign_names.h"

using namespace selenarc;
using namespace std::chrono;
using namespace Qt::StringLiterals;

namespace {

CivilDate date(const QString& text) {
    return *parseDayMonthYear(text.toStdString());
}

// "JJ/MM/AAAA HH:MM" in universal time.
sys_time<minutes> instant(const QString& text) {
    return sys_days{date(text.left(10))} + hours{text.mid(11, 2).toInt()} + minutes{text.mid(14, 2).toInt()};
}

sys_time<minutes> instant(const IngressLine& line) {
    return sys_days{line.date} + line.timeUT.value_or(minutes{0});
}

}  // namespace

class ShippedTablesTest : public QObject {
    Q_OBJECT
    EphemerisTables tables;

    static IngressTable& ingress(EphemerisTables& t, const QString& name) {
        return name == "so" ? t.sun : name == "su" ? t.moon : name == "sj" ? t.jupiter : t.saturn;
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
        const auto& lines = ingress(tables, name).accepted;
        QVERIFY(lines.size() > 400);
        QCOMPARE(size_t(lines.back().lineNumber), lines.size());  // no blank, no ignored line
        int retrograde = 0;
        for (size_t i = 1; i < lines.size(); ++i) {
            const QByteArray where = name.toUtf8() + " ligne " + QByteArray::number(lines[i].lineNumber);
            QVERIFY2(lines[i].timeUT && instant(lines[i - 1]) < instant(lines[i]), where);
            const int previous = std::stoi(lines[i - 1].sign), sign = std::stoi(lines[i].sign);
            if (sign != previous % 12 + 1) {
                QVERIFY2(retrogradeAllowed && sign == (previous + 10) % 12 + 1, where);
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
        auto sunSignAt = [&](sys_time<minutes> t) {
            const CivilDateTime at = CivilDateTime::fromInstant(t);
            return natalSign(tables.sun, CivilDate{at.day}, at);
        };
        size_t compared = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const LunationLine& line = lines[i];
            const QByteArray where = QByteArray::number(line.number);
            QVERIFY2(i == 0 || line.number == lines[i - 1].number + 1, where);
            for (const std::string& sign : line.signs) {
                QVERIFY2(signIndexOfDigit(sign.at(0)) != 0, where);
            }
            const int newMoon = signIndexOfDigit(line.signs[0].at(0));
            // Mean new moon: Julian day 2415020.75933 + 29.53058868 k; 1970-01-01 0h is 2440587.5.
            const double jd = 2415020.75933 + 29.53058868 * line.number;
            const sys_time<minutes> mean{minutes{std::llround((jd - 2440587.5) * 1440.0)}};
            const int before = sunSignAt(mean - days{1}), after = sunSignAt(mean + days{1});
            if (before != 0 && after != 0) {  // both inside so.txt
                QVERIFY2(newMoon == before || newMoon == after, where);
                ++compared;
            }
            const int opposite = (signIndexOfDigit(line.signs[2].at(0)) - newMoon + 12) % 12;
            QVERIFY2(opposite >= 5 && opposite <= 7, where);
        }
        QVERIFY(compared + 12 > lines.size());
    }

    void birthSpan() {
        const BirthSpan span = supportedBirthSpan(tables);
        QCOMPARE(QString::fromStdString(birthSpanMessage(span)),
                 u"Date de naissance : hors des tables (du 01/01/1820 au 31/12/2280)"_s);
        QVERIFY(isInBirthSpan(span, date("01/01/1820")) && isInBirthSpan(span, date("31/12/2280")));
        QVERIFY(!isInBirthSpan(span, date("31/12/1819")) && !isInBirthSpan(span, date("01/01/2281")));
        // What the cycle computations look up for the last birth is in the tables.
        QVERIFY(tables.saturn.accepted.back().date >= lastSaturnQuarter(date("31/12/2280")));
        QVERIFY(tables.jupiter.accepted.back().date >= lastJupiterQuarter(date("31/12/2280")));
    }

    // The span follows the table that runs out first: each row drops the lines of one table dated
    // (or numbered) before, after or at a bound.
    void spanFollowsTheTables_data() {
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("span");
        QTest::newRow("Sun from 1900") << u"so before 01/01/1900"_s << "01/01/1901 31/12/2280";
        QTest::newRow("Moon until mid-2200") << u"su after 01/06/2200"_s << "01/01/1820 31/12/2199";
        QTest::newRow("lunations from 0") << u"sl before 0"_s << "01/01/1901 31/12/2280";
        QTest::newRow("lunation 3000 missing") << u"sl at 3000"_s << "01/01/1820 31/12/2141";
        QTest::newRow("Jupiter until 2300") << u"sj after 01/01/2300"_s << "01/01/1820 31/12/2218";
        QTest::newRow("Saturn until 2300") << u"ss after 01/01/2300"_s << "01/01/1820 31/12/2188";
        QTest::newRow("Saturn from 1900") << u"ss before 01/01/1900"_s << "01/01/1901 31/12/2280";
    }
    void spanFollowsTheTables() {
        QFETCH(QString, cut);
        QFETCH(QString, span);
        const QStringList words = cut.split(' ');  // table, "before" / "after" / "at", bound
        auto drops = [&](auto key, auto bound) {
            return words[1] == "before" ? key < bound : words[1] == "after" ? key > bound : key == bound;
        };
        EphemerisTables cutTables = tables;
        if (words[0] == "sl") {
            std::erase_if(cutTables.lunations.lines,
                          [&](const LunationLine& l) { return drops(l.number, words[2].toInt()); });
        } else {
            std::erase_if(ingress(cutTables, words[0]).accepted,
                          [&](const IngressLine& l) { return drops(l.date, date(words[2])); });
        }
        const BirthSpan got = supportedBirthSpan(cutTables);
        QCOMPARE(QString::fromStdString(formatDayMonthYear(got.first) + " " + formatDayMonthYear(got.last)),
                 span);
        if (words[1] == "after" && (words[0] == "sj" || words[0] == "ss")) {
            // The year after the span would need a line beyond the cut table.
            const auto lastQuarter = words[0] == "sj" ? lastJupiterQuarter : lastSaturnQuarter;
            const CivilDate lastLine = ingress(cutTables, words[0]).accepted.back().date;
            QVERIFY(lastQuarter(got.last) <= lastLine);
            QVERIFY(lastQuarter(addYearsClipped(got.last, 1)) > lastLine);
        }
    }

    // Published ingress instants (universal time, to two minutes) and their signs; lunations by number
    // with their four signs: 618 has its new moon on 19/12/1949 in Sagittarius and its full moon on
    // 04/01/1950 in Cancer, 1237 its new moon on 06/01/2000 in Capricorn, its full moon (eclipse) on
    // 21/01/2000 in Leo.
    void knownLines_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("when");
        QTest::addColumn<QString>("signs");
        QTest::newRow("June solstice 2000") << u"so"_s << u"21/06/2000 01:48"_s << "4";
        QTest::newRow("Saturn into Aquarius 2020") << u"ss"_s << u"22/03/2020 03:58"_s << "11";
        QTest::newRow("Saturn back into Capricorn 2020") << u"ss"_s << u"01/07/2020 23:37"_s << "10";
        QTest::newRow("Jupiter into Aquarius 2020") << u"sj"_s << u"19/12/2020 13:07"_s << "11";
        QTest::newRow("Jupiter into Pisces 2021") << u"sj"_s << u"13/05/2021 22:36"_s << "12";
        QTest::newRow("lunation 618") << u"sl"_s << u"618"_s << "9147";
        QTest::newRow("lunation 1237") << u"sl"_s << u"1237"_s << "A158";
    }
    void knownLines() {
        QFETCH(QString, name);
        QFETCH(QString, when);
        QFETCH(QString, signs);
        QStringList found;
        if (name == "sl") {
            for (const LunationLine& l : tables.lunations.lines) {
                if (l.number == when.toInt()) {
                    found << QString::fromStdString(l.signs[0] + l.signs[1] + l.signs[2] + l.signs[3]);
                }
            }
        } else {
            for (const IngressLine& line : ingress(tables, name).accepted) {
                if (abs(instant(line) - instant(when)) <= minutes{2}) {
                    found << QString::fromStdString(line.sign);
                }
            }
        }
        QCOMPARE(found, QStringList{signs});
    }

    void knownNatalSigns_data() {
        QTest::addColumn<QString>("birthDate");
        QTest::addColumn<QString>("birthUT");
        QTest::addColumn<int>("sun");
        QTest::addColumn<int>("moon");
        QTest::newRow("equinox 2000, minute before") << u"20/03/2000"_s << u"20/03/2000 07:34"_s << 12 << 7;
        QTest::newRow("equinox 2000, minute after") << u"20/03/2000"_s << u"20/03/2000 07:36"_s << 1 << 7;
        QTest::newRow("01/01/1950 12h00 GMT+1") << u"01/01/1950"_s << u"01/01/1950 11:00"_s << 10 << 3;
        QTest::newRow("first birth") << u"01/01/1820"_s << u"01/01/1820 00:00"_s << 10 << 4;
        QTest::newRow("last birth") << u"31/12/2280"_s << u"01/01/2281 12:00"_s << 10 << 2;
    }
    void knownNatalSigns() {
        QFETCH(QString, birthDate);
        QFETCH(QString, birthUT);
        QFETCH(int, sun);
        QFETCH(int, moon);
        const CivilDateTime ut = CivilDateTime::fromInstant(instant(birthUT));
        RunState state;
        calcul_soleil(date(birthDate), ut, tables.sun, state);
        calcul_lune(date(birthDate), ut, tables.moon, state);
        QCOMPARE(int(state.NatalSunSign), sun);
        QCOMPARE(int(state.NatalMoonSign), moon);
    }
};

QTEST_GUILESS_MAIN(ShippedTablesTest)
#include "test_shipped_tables.moc"
