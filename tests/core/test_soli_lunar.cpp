#include <QtTest>

#include <chrono>
#include <optional>

#include "cycles/life_date.h"
#include "cycles/soli_lunar.h"
#include "sky/ephemeris_reader.h"
#include "sky/lunar_phases.h"

using namespace selenarc;
using namespace std::chrono;

namespace {

// "JJ/MM/AAAA HHhMM" -> date-time.
CivilDateTime dateTime(const QString& text) {
    return makeDateTime(text.mid(6, 4).toInt(), text.mid(3, 2).toInt(), text.left(2).toInt(),
                        text.mid(11, 2).toInt(), text.mid(14, 2).toInt());
}

// Julian day of a UT date-time (JD 2440587.5 = 01/01/1970 0h), independent of the calendar routines.
double jdOf(const QString& dateTimeText, int seconds = 0) {
    const auto t = dateTime(dateTimeText).instant() + std::chrono::seconds{seconds};
    return 2440587.5 + duration<double, days::period>(t.time_since_epoch()).count();
}

PersonRecord person(const QString& date, const QString& time = "12h00", int zoneRow = 12) {
    PersonRecord p;
    p.Text1 = date.toStdString();
    p.Text2 = time.toStdString();
    p.timeZoneRow = zoneRow;
    return p;
}

// The two worked births: 01/01/1950 12h00 GMT+1 (date typed with blanks around) and 10/01/2000 12h00 GMT.
PersonRecord workedBirth(int year) {
    return year == 1950 ? person(" 01/01/1950 ", "12h00", 13) : person("10/01/2000");
}

// Compact table lines "618:1234;619:5A_C" ('_' a blank column).
LunationTable lunationTable(const QString& lines) {
    LunationTable table{"sl.txt", {}};
    for (const QString& item : lines.split(';', Qt::SkipEmptyParts)) {
        LunationLine& line = table.lines.emplace_back();
        line.number = item.section(':', 0, 0).toInt();
        const QString columns = item.section(':', 1);
        for (int i = 0; i < 4; ++i) {
            line.signs[i] = columns[i] == '_' ? " " : QString(columns[i]).toStdString();
        }
        line.lineNumber = int(table.lines.size());
    }
    return table;
}

// One row of the life-date table, kept on one line.
void lifeRow(const char* name, const char* birthUT, const char* phase, int days, int months,
             const char* lifeDate) {
    QTest::newRow(name) << QString(birthUT) << QString(phase) << days << months << QString(lifeDate);
}

// The signs of phase rows 1..21 joined by commas.
QString signs(const PhaseTable& table) {
    QStringList list;
    for (int row = 1; row <= 21; ++row) {
        list << QString::fromStdString(table.PhaseSign[row]);
    }
    return list.join(',');
}

const CivilDateTime kFarFuture = makeDateTime(2400, 1, 1);

SoliLunarResult run(const PersonRecord& p, const CivilDateTime& now, const LunationTable& sl = {}) {
    RunState state;
    return calcul_soli_lunaire(p, now, sl, state, [](const Message&) {});
}

}  // namespace

class SoliLunarTest : public QObject {
    Q_OBJECT
  private slots:
    // Phase instants (cut to the minute), ages and life dates by hand; the birth in universal time.
    void workedBirths_data() {
        QTest::addColumn<int>("birth");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("phaseMinute");
        QTest::addColumn<int>("age");
        QTest::addColumn<QString>("lifeDate");
        QTest::newRow("1950 NL") << 1950 << 1 << "19/12/1949 à 18h57" << -13 << "1937/04/01";
        QTest::newRow("1950 PL") << 1950 << 3 << "04/01/1950 à 07h49" << 3 << "1952/11/01";
        QTest::newRow("2000 NL") << 2000 << 1 << "06/01/2000 à 18h14" << -4 << "1996/04/10";
        QTest::newRow("2000 closing NL") << 2000 << 5 << "05/02/2000 à 13h04" << 26 << "2026/01/10";
    }
    void workedBirths() {
        QFETCH(int, birth);
        QFETCH(int, row);
        QFETCH(QString, phaseMinute);
        QFETCH(int, age);
        QFETCH(QString, lifeDate);
        const SoliLunarCycle cycle = run(workedBirth(birth), kFarFuture).cycle;
        const QString birthUT = birth == 1950 ? "01/01/1950 11h00" : "10/01/2000 12h00";
        QCOMPARE(QString::fromStdString(formatDayMonthYearTime(cycle.BirthUT)), birthUT);
        QCOMPARE(QString::fromStdString(cycle.birthUtDateText), birthUT.left(10));
        // The day fraction is kept to five decimals (under a second).
        QVERIFY(std::fabs(cycle.BirthJD - jdOf(birthUT)) < 1e-5);
        QCOMPARE(QString::fromStdString(cycle.table.PhaseText[row]).left(phaseMinute.size()), phaseMinute);
        QCOMPARE(int(cycle.table.PhaseAge[row]), age);
        QCOMPARE(QString::fromStdString(cycle.table.LifeDateText[row]), lifeDate);
        QCOMPARE(cycle.table.LifeDate[row].timeOfDay, cycle.BirthUT.timeOfDay);
    }

    // The day-for-a-year rule: calendar days for the age, hour boundaries for the months. A phase
    // "JJ/MM/AAAA HHhMM[:SS]" is a UT instant; other texts are read as JulianDayToDate writes them,
    // and an unreadable one counts as the birth.
    void lifeDateRule_data() {
        QTest::addColumn<QString>("birthUT");
        QTest::addColumn<QString>("phase");
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("months");
        QTest::addColumn<QString>("lifeDate");
        lifeRow("10 days 4 hours", "15/05/1950 08h00", "25/05/1950 12h00", 10, 122, "15/07/1960 08h00");
        lifeRow("13 hours after 20h00", "10/03/1960 20h00", "11/03/1960 09h00", 1, 6, "10/09/1960 20h00");
        lifeRow("31 January, leap year", "31/01/1980 10h00", "31/01/1980 12h00", 0, 1, "29/02/1980 10h00");
        lifeRow("one hour earlier", "02/06/1970 00h30", "01/06/1970 23h30", -1, -1, "02/05/1970 00h30");
        lifeRow("seconds dropped", "10/03/1960 10h00", "10/03/1960 11h59:50", 0, 0, "10/03/1960 10h00");
        lifeRow("short form", "01/01/2000 12h00", "01/01/2001 à 0h00", 366, 4386, "01/07/2365 12h00");
        lifeRow("unreadable text", "01/01/2000 12h00", "n'importe quoi", 0, 0, "01/01/2000 12h00");
        lifeRow("far past clamped", "01/01/2000 12h00", "01/01/-4000 à 0h00", -2191455, -240000,
                "01/01/-18000 12h00");
    }
    void lifeDateRule() {
        QFETCH(QString, birthUT);
        QFETCH(QString, phase);
        QFETCH(int, days);
        QFETCH(int, months);
        QFETCH(QString, lifeDate);
        int messages = 0;
        static const QRegularExpression instant("^\\d\\d/\\d\\d/\\d{4} \\d\\dh\\d\\d");
        const ProgressedDate progressed =
            instant.match(phase).hasMatch()
                ? progressedLifeDate(jdOf(phase.left(16), phase.mid(17).toInt()), dateTime(birthUT),
                                     [&](const Message&) { ++messages; })
                : progressedLifeDateFromText(phase.toStdString(), dateTime(birthUT));
        QCOMPARE(progressed.days, long(days));
        QCOMPARE(progressed.months, long(months));
        QCOMPARE(QString::fromStdString(formatDayMonthYearTime(progressed.lifeDate)), lifeDate);
        QCOMPARE(messages, 0);
    }

    // Signs of lunations k .. k + 5 (k = 618 for the 1950 birth), the first entries of the 21
    // joined by commas. The shipped table must number lunations as the phase formulas do (Sun in
    // late Sagittarius / Capricorn at the new moon, the full moon of 21/01/2000 in Leo) and leave
    // no row blank.
    void phaseSigns_data() {
        QTest::addColumn<QString>("lines");
        QTest::addColumn<int>("birth");
        QTest::addColumn<QString>("expected");
        QTest::newRow("all six lunations") << "617:CCCC;618:1234;619:5678;620:9ABC;621:1234;622:5678;623:9ABC"
                                           << 1950 << "1,2,3,4,5,6,7,8,9,10,11,12,1,2,3,4,5,6,7,8,9";
        QTest::newRow("a later line overwrites") << "619:1111;619:2222" << 1950 << ",,,,2,2,2,2,,,,,,,,,,,,,";
        QTest::newRow("reading stops at k+5") << "623:3333;619:4444" << 1950 << ",,,,,,,,,,,,,,,,,,,,3";
        QTest::newRow("blank columns") << "618:1_3_" << 1950 << "1,,3,,,,,,,,,,,,,,,,,,";
        QTest::newRow("shipped table, 1950") << "shipped" << 1950 << "9,1,4,7";
        QTest::newRow("shipped table, 2000") << "shipped" << 2000 << "10,1,5,8";
    }
    void phaseSigns() {
        QFETCH(QString, lines);
        QFETCH(int, birth);
        QFETCH(QString, expected);
        const bool shipped = lines == "shipped";
        std::optional<LunationTable> table = lunationTable(shipped ? "" : lines);
        if (shipped) {
            QFile file(SELENARC_SOURCE_DIR "/data/sl.txt");
            QVERIFY(file.open(QIODevice::ReadOnly));
            std::string error;
            table = parseLunationText(file.readAll().toStdString(), "sl.txt", error);
            QVERIFY2(table, error.c_str());
        }
        const QString all = signs(run(workedBirth(birth), kFarFuture, *table).cycle.table);
        QCOMPARE(all.section(',', 0, int(expected.count(','))), expected);
        QVERIFY(!shipped || !all.contains(QRegularExpression("^,|,,|,$")));
    }

    // Today on the life date of a row (shifted by some days): the cycle holding it, the list with
    // entries up to 100 years and always the one of today's cycle. The state holds a previous
    // person's cycle, reset when no cycle 0..3 holds today.
    void cycleOfToday_data() {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("dayShift");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("list");
        const QString three =
            "Cycle prép. : jusqu'à 29 ans|1er cycle : jusqu'à 59 ans|2ème cycle : jusqu'à 88 ans";
        const QString four =
            "Cycle prép. : jusqu'à 1 ans|1er cycle : jusqu'à 31 ans|2ème cycle : jusqu'à 61 ans|"
            "3ème cycle : jusqu'à 90 ans";
        QTest::newRow("opening day of the preparatory cycle") << "07/01/2000" << 1 << 0 << 0 << three;
        QTest::newRow("day before row 1") << "07/01/2000" << 1 << -1 << -1 << three;
        QTest::newRow("closing day of the first cycle") << "07/01/2000" << 9 << 0 << 1 << three;
        QTest::newRow("third cycle over 100 not listed") << "07/01/2000" << 11 << 0 << 2 << three;
        QTest::newRow("last day of a third cycle over 100")
            << "07/01/2000" << 17 << 0 << 3 << three + "|3ème cycle : jusqu'à 118 ans";
        QTest::newRow("fourth cycle is not searched") << "07/01/2000" << 17 << 1 << -1 << three;
        QTest::newRow("birth on the eve of a new moon") << "05/01/2000" << 7 << 0 << 1 << four;
        QTest::newRow("unreadable birth date") << "31/02/1950" << 1 << 0 << -1 << "";
    }
    void cycleOfToday() {
        QFETCH(QString, date);
        QFETCH(int, row);
        QFETCH(int, dayShift);
        QFETCH(int, cycle);
        QFETCH(QString, list);
        const PhaseTable table = run(person(date), kFarFuture).cycle.table;
        RunState state;
        state.CurrentLunarCycle = 2;
        state.CurrentCycleStart = "1900/01/01";
        state.CurrentCycleEnd = "1930/01/01";
        int messages = 0;
        const SoliLunarResult result =
            calcul_soli_lunaire(person(date), {table.LifeDate[row].day + days{dayShift}, minutes{600}}, {},
                                state, [&](const Message&) { ++messages; });
        QCOMPARE(int(state.CurrentLunarCycle), cycle);
        QCOMPARE(result.Combo2Selected, cycle);
        QCOMPARE(state.CurrentCycleStart, cycle < 0 ? "" : table.LifeDateText[4 * cycle + 1]);
        QCOMPARE(state.CurrentCycleEnd, cycle < 0 ? "" : table.LifeDateText[4 * cycle + 5]);
        QStringList entries;
        for (const std::string& entry : result.Combo2) {
            entries << QString::fromStdString(entry);
        }
        QCOMPARE(entries.join('|'), list);
        QCOMPARE(messages, 0);
    }

    // A birth every 13 days over the whole span of the tables, the time and zone changing from one
    // birth to the next.
    void sweep() {
        const char* const times[] = {"00h00", "06h30", "12h00", "23h59"};
        const int zones[] = {0, 7, 13, 25};
        int births = 0;
        for (sys_days day{year{1820} / 1 / 1}; day <= sys_days{year{2280} / 12 / 31}; day += days{13}) {
            const QString date = QString::fromStdString(formatDayMonthYear(CivilDate{day}));
            RunState state;
            int messages = 0;
            const SoliLunarResult result =
                calcul_soli_lunaire(person(date, times[births % 4], zones[births / 4 % 4]), kFarFuture, {},
                                    state, [&](const Message&) { ++messages; });
            const PhaseTable& table = result.cycle.table;
            const QByteArray where = date.toUtf8();
            const double birthDay = CivilDayStart(result.cycle.BirthJD);
            QVERIFY2(
                CivilDayStart(table.PhaseJD[1]) <= birthDay && birthDay < CivilDayStart(table.PhaseJD[5]),
                where);
            QVERIFY2(messages == 0 && table.PhaseAge[1] <= 0 && result.Combo2.size() >= 3 &&
                         result.Combo2.size() <= 4,
                     where);
            for (int row = 1; row < 21; ++row) {
                const double gap = table.PhaseJD[row + 1] - table.PhaseJD[row];
                QVERIFY2(gap > 6.0 && gap < 9.0 && table.LifeDate[row] < table.LifeDate[row + 1] &&
                             table.LifeDateText[row] < table.LifeDateText[row + 1],
                         where);
            }
            for (int c = 0; c <= 4; ++c) {
                const auto span = table.LifeDate[4 * c + 5].day - table.LifeDate[4 * c + 1].day;
                QVERIFY2(span > days{27 * 365} && span < days{32 * 365}, where);
            }
            ++births;
        }
        QVERIFY(births > 12000);
    }
};

QTEST_GUILESS_MAIN(SoliLunarTest)
#include "test_soli_lunar.moc"
