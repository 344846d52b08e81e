#include <QtTest>

#include "cycles/birth_span.h"
#include "sky/ephemeris_reader.h"
#include "sky/natal_signs.h"
#include "sky/sign_names.h"

using namespace selenarc;
using namespace std::chrono;
using namespace Qt::StringLiterals;

namespace {

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

    // Every line a timed ingress, later than the one before, into the next sign: forward, or backward
    // for a retrograde planet; the Sun and the Moon are never retrograde. A published ingress (universal
    // time) "JJ/MM/AAAA HHhMM=sign" is found once, to the minute.
    void ingressSequence_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("known");
        QTest::newRow("so.txt, June solstice 2000") << u"so"_s << u"21/06/2000 01h48=4"_s;
        QTest::newRow("su.txt") << u"su"_s << QString();
        QTest::newRow("sj.txt, Jupiter into Aquarius 2020") << u"sj"_s << u"19/12/2020 13h07=11"_s;
        QTest::newRow("ss.txt, Saturn back into Capricorn 2020") << u"ss"_s << u"01/07/2020 23h37=10"_s;
    }
    void ingressSequence() {
        QFETCH(QString, name);
        QFETCH(QString, known);
        const bool retrograde = name == "sj" || name == "ss";
        const auto& lines = ingress(tables, name).accepted;
        int found = 0;
        for (size_t i = 1; i < lines.size(); ++i) {
            const QByteArray where = QByteArray::number(lines[i].lineNumber);
            QVERIFY2(lines[i].timeUT && instant(lines[i - 1]) < instant(lines[i]), where);
            const int previous = lines[i - 1].sign, sign = lines[i].sign;
            QVERIFY2(sign == previous % 12 + 1 || (retrograde && sign == (previous + 10) % 12 + 1), where);
            const CivilDateTime at{sys_days{lines[i].date}, *lines[i].timeUT};
            found +=
                QString::fromStdString(formatDayMonthYearTime(at) + "=" + signText(lines[i].sign)) == known;
        }
        QCOMPARE(found, known.isEmpty() ? 0 : 1);
    }

    // Consecutive numbers, four known signs; the new moon in the Sun's sign within a day of the mean
    // new moon, the full moon opposite it give or take one sign. Lunation 618 has its new moon on
    // 19/12/1949 in Sagittarius, its full moon on 04/01/1950 in Cancer.
    void lunationSequence() {
        const auto& lines = tables.lunations.lines;
        auto sunAt = [&](sys_time<minutes> t) {
            const CivilDateTime at = CivilDateTime::fromInstant(t);
            return natalSign(tables.sun, CivilDate{at.day}, at);
        };
        size_t compared = 0;
        for (size_t i = 0; i < lines.size(); ++i) {
            const LunationLine& line = lines[i];
            const QByteArray where = QByteArray::number(line.number);
            QVERIFY2(i == 0 || line.number == lines[i - 1].number + 1, where);
            std::array<int, 4> sign{};
            std::ranges::copy(line.signs, sign.begin());
            QVERIFY2(std::ranges::count(sign, 0) == 0, where);
            QVERIFY2(line.number != 618 || sign == (std::array{9, 1, 4, 7}), where);
            // Mean new moon: Julian day 2415020.75933 + 29.53058868 k; 1970-01-01 0h is 2440587.5.
            const sys_time<minutes> t{
                minutes{std::llround((29.53058868 * line.number - 25566.74067) * 1440)}};
            const int before = sunAt(t - days{1}), after = sunAt(t + days{1});
            compared += before != 0 && after != 0;  // both inside so.txt
            QVERIFY2(before == 0 || after == 0 || sign[0] == before || sign[0] == after, where);
            QVERIFY2((sign[2] - sign[0] + 12) % 12 >= 5 && (sign[2] - sign[0] + 12) % 12 <= 7, where);
        }
        QVERIFY(compared + 12 > lines.size());
    }

    // Birth span "first last" (both ends included) of the shipped tables, and when the lines of one
    // table dated (or numbered) before, after or at a bound are dropped: the table that runs out first.
    void birthSpan_data() {
        QTest::addColumn<QString>("cut");
        QTest::addColumn<QString>("expected");
        QTest::newRow("shipped tables") << u"ss after 01/01/3000"_s << "01/01/1820 31/12/2280";
        QTest::newRow("Moon until mid-2200") << u"su after 01/06/2200"_s << "01/01/1820 31/12/2199";
        QTest::newRow("lunation 3000 missing") << u"sl at 3000"_s << "01/01/1820 31/12/2141";
    }
    void birthSpan() {
        QFETCH(QString, cut);
        QFETCH(QString, expected);
        const QStringList words = cut.split(' ');  // table, "before" / "after" / "at", bound
        auto drops = [&](auto key, auto bound) {
            return words[1] == "before" ? key < bound : words[1] == "after" ? key > bound : key == bound;
        };
        EphemerisTables cutTables = tables;
        if (words[0] == "sl") {
            std::erase_if(cutTables.lunations.lines,
                          [&](const LunationLine& l) { return drops(l.number, words[2].toInt()); });
        } else {
            const CivilDate bound = *parseDayMonthYear(words[2].toStdString());
            std::erase_if(ingress(cutTables, words[0]).accepted,
                          [&](const IngressLine& l) { return drops(l.date, bound); });
        }
        const BirthSpan span = supportedBirthSpan(cutTables);
        QCOMPARE(formatDayMonthYear(span.first) + " " + formatDayMonthYear(span.last),
                 expected.toStdString());
    }
};

QTEST_GUILESS_MAIN(ShippedTablesTest)
#include "test_shipped_tables.moc"
