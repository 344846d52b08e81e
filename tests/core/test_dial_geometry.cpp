#include <QtTest>
#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/planet_dial.h"
#include "charts/soli_lunar_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;

namespace {

const float kPi = static_cast<float>(std::numbers::pi);
const CivilDateTime kNow = makeDateTime(2015, 6, 1, 12, 0);

// A free label at the rim: dial angle, whether right-justified, its place.
struct RimCase {
    float angle;
    bool right;
    double left, top;
};

// A planet dial drawn on a given day: today's angle (negative: in no cycle), the stored cycle
// year, the start date and end age shown, the sign of the conjunction picture (0: hidden).
struct PlanetCase {
    bool saturn;
    int drawn;
    const char* today;
    float angle;
    int year;
    const char *start, *endAge;
    int sign;
};

PlanetCycleTable table1950(bool saturn) {
    return saturn ? testing::makeSaturnTable1950() : testing::makeJupiterTable1950();
}

// The three dials after one drawing each, at the design size.
const std::array<ChartSurface, 3>& drawnDials() {
    static const std::array<ChartSurface, 3> surfaces = [] {
        std::array<ChartSurface, 3> s{makeSoliLunarSurface(), makePlanetSurface(kJupiterDial),
                                      makePlanetSurface(kSaturnDial)};
        SoliLunarChartState chart;
        RunState state;
        affiche_cycle(s[0], chart, testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0)), 2, kNow, state,
                      testing::silentSink());
        affiche_cycle_jupiter(s[1], table1950(false), 5, CivilDate{kNow.day}, state);
        affiche_cycle_saturne(s[2], table1950(true), 2, CivilDate{kNow.day});
        return s;
    }();
    return surfaces;
}

}  // namespace

Q_DECLARE_METATYPE(RimCase)
Q_DECLARE_METATYPE(PlanetCase)

class DialGeometryTest : public QObject {
    Q_OBJECT
  private slots:
    void ringsAtDesignSize() {
        const ChartSurface& surface = drawnDials()[0];
        QCOMPARE(dialGeometry(surface).X, 5227.0);
        QCOMPARE(dialGeometry(surface).Y, 4027.0);
        QCOMPARE(surface.circles[0].radius, 2416.2);
        QCOMPARE(surface.circles[1].radius, 2818.9);
    }

    // Row name: the label or picture, found on whichever dial has it.
    void placesAtDesignSize_data() {
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("l_nl") << 4620.0 << 7771.84;
        QTest::newRow("l_dq") << 5227 - 3704.84 - 300 - 1215 << 3900.0;
        QTest::newRow("ladate(0)") << 4332.0 << 5637.8;
        QTest::newRow("lage(0)") << 4332.0 << 5892.8;
        QTest::newRow("l_ce") << 4332.0 << 5127.8;
        QTest::newRow("ladate(1)") << 6666.45 << 3772.0;
        QTest::newRow("ladate(2)") << 4800.0 << 4027 - 1610.8 - 510;
        QTest::newRow("ladate(3)") << 5227 - 1409.45 - 20 - 855 << 3772.0;
        QTest::newRow("pb3") << 4897.0 << 4027 - 2416.2 - 300;
        QTest::newRow("j_nl") << 4620.0 << 7771.84;
        QTest::newRow("j_pq") << 9231.84 << 3900.0;
        QTest::newRow("ladate(6)") << 5267.0 << 5637.8;
        QTest::newRow("pjs1") << 5267.0 << 6473.2;
        QTest::newRow("pjs2") << 5227 + 2416.2 + 40 << 3717.0;
        QTest::newRow("pss3") << 4987.0 << 4027 - 2416.2 - 300;
        QTest::newRow("pss4") << 5227 - 2416.2 - 300 << 4227.0;
    }
    void placesAtDesignSize() {
        QFETCH(double, left);
        QFETCH(double, top);
        const std::string name = QTest::currentDataTag();
        std::optional<QPointF> place;
        for (const ChartSurface& s : drawnDials()) {
            if (const ChartLabel* label = s.findLabel(name)) {
                place = QPointF(label->left, label->top);
            } else if (const SignPicture* picture = s.findPicture(name); picture && picture->visible) {
                place = QPointF(picture->left, picture->top);
            }
        }
        QVERIFY(place);
        QCOMPARE(*place, QPointF(left, top));
    }

    // Outside the rim, on the side of the anchor; the axes count as the left and upper halves.
    void rimLabelPlacement_data() {
        QTest::addColumn<RimCase>("c");
        QTest::newRow("bottom, on the axis") << RimCase{0.0f, true, 3722, 6846};
        QTest::newRow("lower right") << RimCase{kPi / 4, false, 7270, 6020};
        QTest::newRow("right, on the axis") << RimCase{kPi / 2, false, 8096, 3772};
        QTest::newRow("top") << RimCase{kPi, true, 3722, 953};
        QTest::newRow("left") << RimCase{3 * kPi / 2, true, 903, 3772};
        QTest::newRow("7 rad, one turn back") << RimCase{7.0f, false, 7129, 6152};
        QTest::newRow("full turn") << RimCase{2 * kPi, true, 3722, 6846};
        QTest::newRow("not a number") << RimCase{std::nanf(""), true, 3722, 6846};
        QTest::newRow("infinite") << RimCase{INFINITY, true, 3722, 6846};
        QTest::newRow("huge, within one turn") << RimCase{1.0e30f, true, 1605, 1911};
    }
    void rimLabelPlacement() {
        QFETCH(RimCase, c);
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        affiche_libelle(surface, chart, c.angle, "Naissance", kRed);
        const ChartLabel& label = surface.label("Texte(0)");
        QVERIFY(label.visible && label.caption == "Naissance" && label.textColour == kRed);
        QCOMPARE(label.align == TextAlign::Right, c.right);
        QCOMPARE(QPointF(label.left, label.top), QPointF(c.left, c.top));
    }

    // Seventeen free labels, then none; the radii are still drawn.
    void freeLabelLimit() {
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        for (int i = 0; i < 20; ++i) {
            affiche_ligne(surface, 0.1f * i, kOrange);
            affiche_libelle(surface, chart, 0.1f * i, "p" + std::to_string(i), kOrange);
        }
        QCOMPARE(chart.ChartLabelCount, int16_t(16));
        QCOMPARE(surface.lines.size(), size_t(20));
        QCOMPARE(surface.label("Texte(16)").caption, std::string("p16"));
    }

    // Today at its share of the cycle that contains it, whatever cycle is drawn (on the boundary day
    // of cycles 3 and 4 the later cycle's start, at the last day the end, after it nowhere); the ends
    // and sign pictures of the cycle drawn, from row c.
    void planetDial_data() {
        QTest::addColumn<PlanetCase>("c");
        const float jupiter = static_cast<float>(2075.0 / 4363.0 * kTwoPi);
        const float saturn = static_cast<float>(2373.0 / 10759.0 * kTwoPi);
        const float turn = static_cast<float>(kTwoPi);
        QTest::newRow("jupiter 5") << PlanetCase{false,    5, "01/06/2015", jupiter, 6, "14/10/1997",
                                                 "59 ans", 7};
        QTest::newRow("jupiter 2") << PlanetCase{false,    2, "01/06/2015", jupiter, 6, "12/12/1961",
                                                 "23 ans", 4};
        QTest::newRow("jupiter 4, 3|4")
            << PlanetCase{false, 4, "03/11/1985", 0.0f, 1, "03/11/1985", "47 ans", 6};
        QTest::newRow("jupiter 7, end")
            << PlanetCase{false, 7, "16/08/2033", turn, 12, "05/09/2021", "83 ans", 0};
        QTest::newRow("jupiter 7, after")
            << PlanetCase{false, 7, "17/08/2033", -1.0f, 1, "05/09/2021", "83 ans", 0};
        QTest::newRow("saturn 3") << PlanetCase{true, 3, "01/06/2015", saturn, 0, "01/12/2008", "88 ans", 5};
    }
    void planetDial() {
        QFETCH(PlanetCase, c);
        const PlanetDialConfig& config = c.saturn ? kSaturnDial : kJupiterDial;
        const PlanetCycleTable table = table1950(c.saturn);
        const CivilDate day = *parseDayMonthYear(c.today);
        ChartSurface surface = makePlanetSurface(config);
        RunState state;
        affiche_cycle_planete(surface, config, table, c.drawn, day, state);
        affiche_cycle_planete(surface, config, table, c.drawn, day, state);  // a redraw adds nothing

        QCOMPARE(findTodayPlanetAngle(table, config.cycles, day),
                 c.angle < 0 ? std::nullopt : std::optional(c.angle));
        QCOMPARE(state.JupiterCycleYear, int16_t(c.year));
        QCOMPARE(surface.label(config.legend.startDate).caption, std::string(c.start));
        QCOMPARE(surface.label(config.legend.endAge).caption, std::string(c.endAge));
        QVERIFY(surface.label(config.startLabel).visible);
        for (int j = 0; j < 4; ++j) {
            const SignPicture& picture = surface.picture(config.pictures.names[j]);
            QCOMPARE(picture.visible, c.sign != 0);
            QVERIFY(c.sign == 0 || picture.sign == (c.sign + j - 1) % 12 + 1);
        }
        // Two rings; ticks, the start radius, then one "Aujourd'hui" radius per cycle containing today.
        QCOMPARE(surface.circles.size(), size_t(2));
        QCOMPARE(surface.lines.size(), size_t(config.ticks + 1 + (c.angle < 0 ? 0 : c.angle == 0 ? 2 : 1)));
        const ChartLabel& label = surface.label(config.freeLabel);
        QCOMPARE(label.visible, c.angle >= 0);
        if (c.angle >= 0) {
            const DialPoint end = dialGeometry(surface).roundedPoint(c.angle, kOuterRingRadius);
            QCOMPARE(surface.lines.back(), (ChartLine{5227, 4027, end.x, end.y, kRed}));
            QCOMPARE(label.caption, std::string("Aujourd'hui"));
            QVERIFY(c.angle != 0 || (label.align == TextAlign::Right && label.top == 6846));  // below, left
        }
    }

    void jupiterCycleYears_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<int>("year");
        const float twelfth = static_cast<float>(kTwoPi / 12);
        QTest::newRow("end of year 1") << twelfth << 1;
        QTest::newRow("just after") << std::nextafter(twelfth, 10.0f) << 2;
    }
    void jupiterCycleYears() {
        QFETCH(float, angle);
        QFETCH(int, year);
        QCOMPARE(jupiterCycleYear(angle), int16_t(year));
    }

    // A later drawing replaces the earlier one; the two fixed free labels come first.
    void soliLunarRedraw() {
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        RunState state;
        SoliLunarCycle cycle = testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0));
        cycle.table.PhaseSign[2] = " ";
        cycle.table.LifeDateText[3] = "2004/03/07";
        cycle.table.PhaseAge[5] = 12;
        affiche_cycle(surface, chart, cycle, 3, kNow, state, testing::silentSink());
        affiche_libelle(surface, chart, 1.0f, "Paul", kOrange);
        QVERIFY(surface.picture("pb2").visible);
        affiche_cycle(surface, chart, cycle, 1, kNow, state, testing::silentSink());

        QCOMPARE(chart.ShownLunarCycle, int16_t(1));
        QCOMPARE(chart.ChartLabelCount, int16_t(1));
        QCOMPARE(surface.label("Texte(0)").caption, std::string("Naissance"));
        QCOMPARE(surface.label("Texte(1)").caption, std::string("Aujourd'hui"));
        QVERIFY(!surface.label("Texte(2)").visible);
        QCOMPARE(surface.lines.size(), size_t(32 + 2));
        QCOMPARE(state.CycleNewMoonSign, int16_t(2));
        QVERIFY(!surface.picture("pb2").visible);  // blank sign: no stale picture
        QCOMPARE(surface.picture("pb3").sign, 4);
        QVERIFY(!surface.label("lage(0)").visible);  // before birth: no age
        QVERIFY(surface.label("ladate(0)").visible);
        QCOMPARE(surface.label("lage(4)").caption, std::string("12 ans"));
        QCOMPARE(surface.label("ladate(2)").caption, std::string("07/03/2004"));
    }

    void cycleOutsideTheTableDrawsNothing_data() {
        QTest::addColumn<int>("cycle");
        QTest::newRow("zero") << 0;
        QTest::newRow("six") << 6;
    }
    void cycleOutsideTheTableDrawsNothing() {
        QFETCH(int, cycle);
        std::array<ChartSurface, 2> s{makeSoliLunarSurface(), makePlanetSurface(kJupiterDial)};
        const auto before = s;
        SoliLunarChartState chart;
        RunState state;
        affiche_cycle(s[0], chart, testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0)), cycle, kNow, state,
                      testing::silentSink());
        affiche_cycle_jupiter(s[1], table1950(false), cycle < 1 ? cycle : cycle + 2, {}, state);
        QVERIFY(s == before);
        QCOMPARE(chart.ShownLunarCycle, int16_t(0));
    }

    void signCells_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sign");
        QTest::newRow("capricorne") << "10" << 10;
        QTest::newRow("blanks around") << " 3 " << 3;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("thirteen") << "13" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("undecoded digit") << "A" << 0;
    }
    void signCells() {
        QFETCH(QString, text);
        QFETCH(int, sign);
        QCOMPARE(signIndexFromText(text.toStdString()), sign);
    }
};

QTEST_GUILESS_MAIN(DialGeometryTest)
#include "test_dial_geometry.moc"
