#include <QtTest>
#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/planet_dial.h"
#include "charts/soli_lunar_dial.h"
#include "cycles/planet_today.h"
#include "cycles/soli_lunar.h"
#include "support/shipped_cycles.h"

using namespace selenarc;

namespace {

const CivilDateTime kNow = makeDateTime(2015, 6, 1, 12, 0);
const SoliLunarCycle kCycle = testing::cycle1950();

// A planet dial drawn on a day: today's angle (negative: in no cycle), the stored cycle year, the end
// age shown, the signs of the four quarter pictures (0: hidden), the lines drawn.
struct PlanetCase {
    bool saturn;
    int drawn, year, lines;
    const char *today, *endAge, *signs;
    float angle;
};

}  // namespace

Q_DECLARE_METATYPE(PlanetCase)

class DialGeometryTest : public QObject {
    Q_OBJECT
  private slots:
    // Outside the rim, on the side of the anchor; the axes count as the left and upper halves.
    void rimLabelPlacement_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<bool>("right");  // right-justified
        QTest::addColumn<QPointF>("place");
        QTest::newRow("bottom, on the axis") << 0.0f << true << QPointF(3722, 6846);
        QTest::newRow("right, on the axis") << float(std::numbers::pi / 2) << false << QPointF(8096, 3772);
        QTest::newRow("not a number") << std::nanf("") << true << QPointF(3722, 6846);
        QTest::newRow("huge, within one turn") << 1.0e30f << true << QPointF(1605, 1911);
    }
    void rimLabelPlacement() {
        QFETCH(float, angle);
        QFETCH(bool, right);
        QFETCH(QPointF, place);
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        affiche_libelle(surface, chart, angle, "Naissance", kRed);
        const ChartLabel& label = surface.label("Texte(0)");
        QCOMPARE(label.align == TextAlign::Right, right);
        QCOMPARE(QPointF(label.left, label.top), place);
    }

    // Today at its share of the cycle that contains it, whatever cycle is drawn (on the boundary day
    // of cycles 3 and 4 the later cycle's start, after the last day nowhere); the end age and the
    // quarter signs of the cycle drawn. Born 01/01/1950, Jupiter is in Aquarius at each return, at
    // the first square in Taurus up to 1976 (cycle 3) and in Gemini from 1988 (cycle 4), in Virgo at
    // the opposition, in Scorpio at the second square; Saturn is in Virgo at its returns, in
    // Sagittarius at the first square, in Aquarius at the opposition of 1964 and Taurus at the
    // square of 1972, in Pisces and Gemini in the later cycles. A redraw adds nothing; a cycle never
    // offered draws nothing.
    void planetDial_data() {
        QTest::addColumn<PlanetCase>("c");
        // 01/06/2015 in Jupiter's sixth cycle and Saturn's second.
        const float j6 = static_cast<float>(2075.0 / 4363.0 * kTwoPi);
        const float s2 = static_cast<float>(2373.0 / 10759.0 * kTwoPi);
        QTest::newRow("jupiter 3") << PlanetCase{false, 3, 6, 14, "01/06/2015", "35 ans", "11 2 6 8", j6};
        QTest::newRow("jupiter 4, 3|4") << PlanetCase{false, 4, 1, 15, "03/11/1985", "47 ans", "11 3 6 8", 0};
        QTest::newRow("jupiter 7, after")
            << PlanetCase{false, 7, 1, 13, "17/08/2033", "83 ans", "11 3 6 8", -1};
        QTest::newRow("saturn 1") << PlanetCase{true, 1, 0, 31, "01/06/2015", "29 ans", "6 9 11 2", s2};
        QTest::newRow("saturn 3") << PlanetCase{true, 3, 0, 31, "01/06/2015", "88 ans", "6 9 12 3", s2};
        QTest::newRow("jupiter 8") << PlanetCase{false, 8, 6, 0, "01/06/2015", "", "0 0 0 0", j6};
    }
    void planetDial() {
        QFETCH(PlanetCase, c);
        const PlanetDialConfig& config = c.saturn ? kSaturnDial : kJupiterDial;
        const CivilDate today = *parseDayMonthYear(c.today);
        const auto table = c.saturn ? testing::saturn1950(today) : testing::jupiter1950(today);
        ChartSurface surface = makePlanetSurface(config);
        // Drawn first on a day inside the cycles: nothing of that drawing may stay.
        affiche_cycle_planete(surface, config, table, c.drawn,
                              planetToday(table, config.cycles, CivilDate{kNow.day}));
        affiche_cycle_planete(surface, config, table, c.drawn, planetToday(table, config.cycles, today));

        QCOMPARE(findTodayPlanetAngle(table, config.cycles, today),
                 c.angle < 0 ? std::nullopt : std::optional(c.angle));
        QCOMPARE(c.saturn ? 0 : jupiterCycleYear(todayPlanetAngle(table, config.cycles, today)), c.year);
        QCOMPARE(surface.label(config.legend.endAge).caption, std::string(c.endAge));
        QStringList signs;
        for (const std::string_view name : config.pictures.names) {
            const SignPicture& picture = surface.picture(name);
            signs << QString::number(picture.visible ? picture.sign : 0);
        }
        QCOMPARE(signs.join(' '), c.signs);
        // Ticks, the start radius, then one "Aujourd'hui" radius per cycle containing today.
        QCOMPARE(surface.lines.size(), size_t(c.lines));
        const ChartLabel& label = surface.label(config.freeLabel);
        QCOMPARE(label.visible, c.angle >= 0 && c.lines > 0);
        QVERIFY(c.angle != 0 || (label.align == TextAlign::Right && label.top == 6846));  // below, left
    }

    // A later drawing replaces the earlier one with its free labels; signs with blanks around are read,
    // a blank or unknown sign hides its picture; no age before birth; seventeen free labels at most; a
    // cycle the list never offers draws nothing.
    void soliLunarRedraw() {
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        SoliLunarCycle cycle = kCycle;
        cycle.table.PhaseSign[2] = 0;
        cycle.table.PhaseSign[3] = 10;
        cycle.table.PhaseSign[4] = 13;
        cycle.table.LifeDateText[3] = "2004/03/07";
        cycle.table.PhaseAge[5] = 12;
        const PhaseAngles angles = phaseAngles(cycle, kNow, testing::kSilent);
        affiche_cycle(surface, chart, cycle, 3, kNow, angles);
        for (int i = 0; i < 20; ++i) {
            affiche_libelle(surface, chart, 0.1f * i, QString("p%1").arg(i).toStdString(), kOrange);
        }
        QVERIFY(chart.ChartLabelCount == 16 && surface.label("Texte(16)").caption == "p14");
        affiche_cycle(surface, chart, cycle, 1, kNow, angles);

        QVERIFY(!surface.label("Texte(2)").visible);
        QCOMPARE(surface.lines.size(), size_t(32 + 2));
        QCOMPARE(openingNewMoonSign(cycle.table, 1), int16_t(9));  // Sagittarius
        QVERIFY(!surface.picture("pb2").visible && !surface.picture("pb4").visible);
        QCOMPARE(surface.picture("pb3").sign, 10);
        QVERIFY(!surface.label("lage(0)").visible && surface.label("ladate(0)").visible);
        QCOMPARE(surface.label("lage(4)").caption + " " + surface.label("ladate(2)").caption,
                 "12 ans 07/03/2004");
        const ChartSurface before = surface;
        affiche_cycle(surface, chart, cycle, 6, kNow, angles);
        QVERIFY(surface == before && chart.ShownLunarCycle == 1);
    }
};

QTEST_GUILESS_MAIN(DialGeometryTest)
#include "test_dial_geometry.moc"
