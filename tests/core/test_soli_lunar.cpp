#include <QtTest>
#include <array>

#include "cycles/life_date.h"
#include "cycles/soli_lunar.h"
#include "sky/ephemeris_reader.h"

using namespace selenarc;
using namespace std::chrono;
using namespace Qt::StringLiterals;

namespace {

constexpr int kGmtPlusOne = 13;  // time-zone row

// "JJ/MM/AAAA HHhMM" -> date-time.
CivilDateTime dateTime(const QString& text) {
    return makeDateTime(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.left(2).toInt(),
                        text.mid(11, 2).toInt(), text.mid(14, 2).toInt());
}

// Born at 13h00 in the zone GMT+1, so at 12h00 universal time.
BirthMoment person(const QString& date) {
    return *readBirthMoment(date.toStdString(), "13h00", kGmtPlusOne);
}

// One row of the life-date table, kept on one line.
void lifeRow(const char* name, const char* birthUT, const char* phase, int days, int months,
             const char* lifeDate) {
    QTest::newRow(name) << QString(birthUT) << QString(phase) << days << months << QString(lifeDate);
}

SoliLunarResult run(const BirthMoment& p, const CivilDateTime& now, const LunationTable& sl = {}) {
    return calcul_soli_lunaire(p, now, sl, [](const Message&) {});
}

const CivilDateTime kFarFuture = makeDateTime(2400, 1, 1);

}  // namespace

class SoliLunarTest : public QObject {
    Q_OBJECT
  private slots:
    // The day-for-a-year rule on a phase as JulianDayToDate writes it: calendar days for the age,
    // hour boundaries (cut to the minute) for the months; an unreadable text counts as the birth.
    void lifeDateRule_data() {
        QTest::addColumn<QString>("birthUT");
        QTest::addColumn<QString>("phase");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("lifeDate");
        lifeRow("10 days 4 hours", "15/05/1950 08h00", "25/05/1950 à 12h00", 10, 122, "15/07/1960 08h00");
        lifeRow("13 hours after 20h00", "10/03/1960 20h00", "11/03/1960 à 09h00", 1, 6, "10/09/1960 20h00");
        lifeRow("31 January, leap year", "31/01/1980 10h00", "31/01/1980 à 12h00", 0, 1, "29/02/1980 10h00");
        lifeRow("one hour earlier", "02/06/1970 00h30", "01/06/1970 à 23h30", -1, -1, "02/05/1970 00h30");
        lifeRow("seconds dropped", "10/03/1960 10h00", "10/03/1960 à 11h59mn50s", 0, 0, "10/03/1960 10h00");
        lifeRow("unreadable text", "01/01/2000 12h00", "n'importe quoi", 0, 0, "01/01/2000 12h00");
    }
    void lifeDateRule() {
        QFETCH(QString, birthUT);
        QFETCH(QString, phase);
        QFETCH(int, days);
        QFETCH(int, months);
        QFETCH(QString, lifeDate);
        const ProgressedDate progressed = progressedLifeDateFromText(phase.toStdString(), dateTime(birthUT));
        QCOMPARE(progressed.days, long(days));
        QCOMPARE(progressed.months, long(months));
        QCOMPARE(QString::fromStdString(formatDayMonthYearTime(progressed.lifeDate)), lifeDate);
    }

    // Signs of lunations k .. k + 5 (k = 1237 for a birth on 10/01/2000), the first of the 21
    // joined by commas. The shipped table must number lunations as the phase formulas do (Sun in
    // Capricorn at the new moon, the full moon of 21/01/2000 in Leo) and leave no row blank.
    void phaseSigns_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all six lunations")
            << "1236 CCCC\n1237 1234\n1238 5678\n1239 9ABC\n1240 1234\n1241 5678\n1242 9ABC"
            << u"1,2,3,4,5,6,7,8,9,10,11,12,1,2,3,4,5,6,7,8,9"_s;
        QTest::newRow("blank and missing columns") << "1237 1 3" << u"1,,3,,,,,,,,,,,,,,,,,,"_s;
        QTest::newRow("shipped table") << "shipped" << u"10,1,5,8"_s;
    }
    void phaseSigns() {
        QFETCH(QString, lines);
        QFETCH(QString, expected);
        QFile file(SELENARC_SOURCE_DIR "/data/sl.txt");
        const bool shipped = lines == "shipped" && file.open(QIODevice::ReadOnly);
        const QByteArray text = shipped ? file.readAll() : lines.toUtf8();
        std::string error;
        const std::optional<LunationTable> table = parseLunationText(text.toStdString(), "sl.txt", error);
        QVERIFY2(table, error.c_str());
        const PhaseTable phases = run(person("10/01/2000"), kFarFuture, *table).cycle.table;
        QStringList signs;
        for (int row = 1; row <= 21; ++row) {
            signs << QString::fromStdString(signText(phases.PhaseSign[row]));
        }
        QCOMPARE(signs.mid(0, int(expected.count(',')) + 1).join(','), expected);
        QVERIFY(!shipped || !signs.contains(""));
    }

    // Today on the life date of a row (shifted by some days): the cycle holding it, its opening
    // and closing life dates, the list with entries up to 100 years and always the one of today's
    // cycle. Born 10/01/2000 at 12h00 UT, by hand: the new moon of 06/01/2000 18h14 lies 4 days and
    // 90 hours before (life date 45 months earlier, 10/04/1996), that of 05/02/2000 13h04 26 days
    // and 625 hours after (312 months later, 10/01/2026).
    void cycleOfToday_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("dayShift");
        QTest::addColumn<QString>("today");  // the cycle, its opening and closing life dates
        QTest::addColumn<QString>("list");
        const QString three =
            "Cycle prép. : jusqu'à 26 ans|1er cycle : jusqu'à 56 ans|2ème cycle : jusqu'à 85 ans";
        const QString four =
            "Cycle prép. : jusqu'à 1 ans|1er cycle : jusqu'à 31 ans|2ème cycle : jusqu'à 61 ans|3ème cycle : "
            "jusqu'à 90 ans";
        QTest::newRow("day before row 1") << "10/01/2000" << 1 << -1 << "-1 -" << three;
        QTest::newRow("closing day is the earlier cycle")
            << " 10/01/2000 " << 5 << 0 << "0 1996/04/10-2026/01/10" << three;
        QTest::newRow("last day of a third cycle over 100")
            << "10/01/2000" << 17 << 0 << "3 2085/04/10-2114/09/10"
            << three + "|3ème cycle : jusqu'à 115 ans";
        QTest::newRow("fourth cycle is not searched") << "10/01/2000" << 17 << 1 << "-1 -" << three;
        QTest::newRow("birth on the eve of a new moon")
            << "05/01/2000" << 7 << 0 << "1 2001/04/05-2031/01/05" << four;
    }
    void cycleOfToday() {
        QFETCH(QString, date);
        QFETCH(int, row);
        QFETCH(int, dayShift);
        QFETCH(QString, today);
        QFETCH(QString, list);
        const auto day = run(person(date), kFarFuture).cycle.table.LifeDate[row].day + days{dayShift};
        const SoliLunarResult result = run(person(date), {day, minutes{600}});
        const int c = result.currentCycle;
        const auto& lifeDates = result.cycle.table.LifeDateText;
        const std::string dates = c < 0 ? "-" : lifeDates[4 * c + 1] + "-" + lifeDates[4 * c + 5];
        QCOMPARE(QString::number(c) + " " + QString::fromStdString(dates), today);
        QCOMPARE(result.currentCycleEntry, today.section(' ', 0, 0).toInt());
        std::string entries;
        for (const std::string& entry : result.cycleEntries) {
            entries += (entries.empty() ? "" : "|") + entry;
        }
        QCOMPARE(QString::fromStdString(entries), list);
    }

    // Births every 13th day from 1820 to 2280, the time and zone changing from one to the next: the
    // phase instants increase 6 to 9 days apart, the birth falls on the civil days from row 1's new
    // moon to row 5's, life dates ascend and every cycle lasts 27 to 32 years.
    void sweepOverBirths() {
        const sys_days last{year{2280} / December / day{31}};
        int step = 0;
        for (sys_days birth{year{1820} / January / day{1}}; birth <= last; birth += days{13}, ++step) {
            const std::string birthText = formatDayMonthYear(CivilDate{birth});
            const SoliLunarResult result =
                run(*readBirthMoment(birthText, std::array{"00h05", "07h30", "12h00", "23h55"}[step % 4],
                                     (step * 7) % 26),
                    kFarFuture);
            const PhaseTable& t = result.cycle.table;
            QVERIFY2(t.PhaseJD[1] - 1 < result.cycle.BirthJD && result.cycle.BirthJD < t.PhaseJD[5] + 1,
                     birthText.c_str());
            for (int r = 2; r < PhaseTable::kRows; ++r) {
                const double gap = t.PhaseJD[r] - t.PhaseJD[r - 1];
                QVERIFY2(gap > 6 && gap < 9, birthText.c_str());
                QVERIFY2(t.LifeDate[r - 1] <= t.LifeDate[r], birthText.c_str());
            }
            for (int r = 5; r + 4 < PhaseTable::kRows; r += 4) {
                const long years =
                    daysBetween(CivilDate{t.LifeDate[r].day}, CivilDate{t.LifeDate[r + 4].day}) / 365;
                QVERIFY2(years >= 27 && years <= 32, birthText.c_str());
            }
        }
    }
};

QTEST_GUILESS_MAIN(SoliLunarTest)
#include "test_soli_lunar.moc"
