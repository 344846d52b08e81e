#include <QtTest>
#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/planet_dial.h"
#include "charts/soli_lunar_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;

namespace {

const float kPi = static_cast<float>(std::numbers::pi);

// Place of a label or picture at the design size, after one drawing of each dial.
struct Drawn {
    ChartSurface soliLunar = makeSoliLunarSurface();
    ChartSurface jupiter = makePlanetSurface(kJupiterDial);
    ChartSurface saturn = makePlanetSurface(kSaturnDial);
    Drawn() {
        SoliLunarChartState chart;
        RunState state;
        const SoliLunarCycle cycle = testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0));
        affiche_cycle(soliLunar, chart, cycle, 2, makeDateTime(2015, 6, 1, 12, 0), state,
                      testing::silentSink());
        const CivilDate today{std::chrono::year{2015}, std::chrono::June, std::chrono::day{1}};
        affiche_cycle_jupiter(jupiter, testing::makeJupiterTable1950(), 5, today, state);
        affiche_cycle_saturne(saturn, testing::makeSaturnTable1950(), 2, today);
    }
    const ChartSurface& surface(const QString& name) const {
        return name == "soli" ? soliLunar : name == "jupiter" ? jupiter : saturn;
    }
};

}  // namespace

class DialGeometryTest : public QObject {
    Q_OBJECT
  private slots:
    void designSize() {
        const ChartSurface surface = makeSoliLunarSurface();
        const DialGeometry g = dialGeometry(surface);
        QCOMPARE(g.X, 5227.0);
        QCOMPARE(g.Y, 4027.0);
        QVERIFY(std::abs(g.radius(kInnerRingRadius) - 2416.2) < 1e-9);
        QVERIFY(std::abs(g.radius(kOuterRingRadius) - 2818.9) < 1e-9);
    }

    void placesAtDesignSize_data() {
        QTest::addColumn<QString>("dial");
        QTest::addColumn<QString>("element");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("l_nl") << "soli"
                              << "l_nl" << 4620.0 << 7771.84;
        QTest::newRow("l_pq") << "soli"
                              << "l_pq" << 9231.84 << 3900.0;
        QTest::newRow("l_dq") << "soli"
                              << "l_dq" << 5227 - 3704.84 - 300 - 1215 << 3900.0;
        QTest::newRow("ladate(0)") << "soli"
                                   << "ladate(0)" << 4332.0 << 5637.8;
        QTest::newRow("lage(0)") << "soli"
                                 << "lage(0)" << 4332.0 << 5892.8;
        QTest::newRow("l_de") << "soli"
                              << "l_de" << 4332.0 << 5382.8;
        QTest::newRow("l_ce") << "soli"
                              << "l_ce" << 4332.0 << 5127.8;
        QTest::newRow("ladate(1)") << "soli"
                                   << "ladate(1)" << 6666.45 << 3772.0;
        QTest::newRow("lage(1)") << "soli"
                                 << "lage(1)" << 6666.45 << 4027.0;
        QTest::newRow("ladate(2)") << "soli"
                                   << "ladate(2)" << 4800.0 << 4027 - 1610.8 - 510;
        QTest::newRow("ladate(3)") << "soli"
                                   << "ladate(3)" << 5227 - 1409.45 - 20 - 855 << 3772.0;
        QTest::newRow("lage(4)") << "soli"
                                 << "lage(4)" << 5267.0 << 5892.8;
        QTest::newRow("l_a") << "soli"
                             << "l_a" << 5267.0 << 5382.8;
        QTest::newRow("pb1") << "soli"
                             << "pb1" << 5267.0 << 6473.2;
        QTest::newRow("pb3") << "soli"
                             << "pb3" << 4897.0 << 4027 - 2416.2 - 300;
        QTest::newRow("j_nl") << "jupiter"
                              << "j_nl" << 4620.0 << 7771.84;
        QTest::newRow("j_pq") << "jupiter"
                              << "j_pq" << 9231.84 << 3900.0;
        QTest::newRow("ladate(6)") << "jupiter"
                                   << "ladate(6)" << 5267.0 << 5637.8;
        QTest::newRow("lage(6)") << "jupiter"
                                 << "lage(6)" << 5267.0 << 5892.8;
        QTest::newRow("j_ce") << "jupiter"
                              << "j_ce" << 4332.0 << 5127.8;
        QTest::newRow("pjs1") << "jupiter"
                              << "pjs1" << 5267.0 << 6473.2;
        QTest::newRow("pjs2") << "jupiter"
                              << "pjs2" << 5227 + 2416.2 + 40 << 3717.0;
        QTest::newRow("pjs3") << "jupiter"
                              << "pjs3" << 4897.0 << 4027 - 2416.2 - 300;
        QTest::newRow("pjs4") << "jupiter"
                              << "pjs4" << 5227 - 2416.2 - 300 << 4067.0;
        QTest::newRow("pss3 moved") << "saturn"
                                    << "pss3" << 4987.0 << 4027 - 2416.2 - 300;
        QTest::newRow("pss4 moved") << "saturn"
                                    << "pss4" << 5227 - 2416.2 - 300 << 4227.0;
        QTest::newRow("ladate(8)") << "saturn"
                                   << "ladate(8)" << 5267.0 << 5637.8;
    }
    void placesAtDesignSize() {
        QFETCH(QString, dial);
        QFETCH(QString, element);
        QFETCH(double, left);
        QFETCH(double, top);
        static const Drawn drawn;
        const ChartSurface& surface = drawn.surface(dial);
        double actualLeft = 0, actualTop = 0;
        if (const ChartLabel* label = surface.findLabel(element.toStdString())) {
            actualLeft = label->left;
            actualTop = label->top;
        } else {
            const SignPicture* picture = surface.findPicture(element.toStdString());
            QVERIFY(picture);
            QVERIFY(picture->visible);
            actualLeft = picture->left;
            actualTop = picture->top;
        }
        QVERIFY2(std::abs(actualLeft - left) < 1e-6, qPrintable(QString::number(actualLeft)));
        QVERIFY2(std::abs(actualTop - top) < 1e-6, qPrintable(QString::number(actualTop)));
    }

    // Free labels sit outside the rim, on the side of their anchor.
    void rimLabelPlacement_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<bool>("rightJustified");
        QTest::addColumn<double>("left");
        QTest::addColumn<double>("top");
        QTest::newRow("bottom, on the axis") << 0.0f << true << 3722.0 << 6846.0;
        QTest::newRow("lower right") << kPi / 4 << false << 7270.0 << 6020.0;
        QTest::newRow("right, on the axis") << kPi / 2 << false << 8096.0 << 3772.0;
        QTest::newRow("upper right") << 3 * kPi / 4 << false << 7270.0 << 1779.0;
        QTest::newRow("top") << kPi << true << 3722.0 << 953.0;
        QTest::newRow("upper left") << 5 * kPi / 4 << true << 1729.0 << 1779.0;
        QTest::newRow("left") << 3 * kPi / 2 << true << 903.0 << 3772.0;
        QTest::newRow("lower left") << 7 * kPi / 4 << true << 1729.0 << 6020.0;
        QTest::newRow("7 rad, one turn back") << 7.0f << false << 7129.0 << 6152.0;
        QTest::newRow("full turn") << 2 * kPi << true << 3722.0 << 6846.0;
        QTest::newRow("not a number") << std::nanf("") << true << 3722.0 << 6846.0;
    }
    void rimLabelPlacement() {
        QFETCH(float, angle);
        QFETCH(bool, rightJustified);
        QFETCH(double, left);
        QFETCH(double, top);
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        affiche_libelle(surface, chart, angle, "Naissance", kRed);
        const ChartLabel& label = surface.label("Texte(0)");
        QVERIFY(label.visible);
        QCOMPARE(label.caption, std::string("Naissance"));
        QCOMPARE(label.textColour, kRed);
        QCOMPARE(label.align == TextAlign::Right, rightJustified);
        QCOMPARE(label.left, left);
        QCOMPARE(label.top, top);
    }

    void wrapping_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<float>("expected");
        QTest::newRow("inside") << 1.5f << 1.5f;
        QTest::newRow("7 rad") << 7.0f << static_cast<float>(7.0f - kTwoPi);
        QTest::newRow("two turns and a bit")
            << 13.0f << static_cast<float>(static_cast<float>(13.0f - kTwoPi) - kTwoPi);
        QTest::newRow("negative kept") << -1.0f << -1.0f;
        QTest::newRow("infinite") << INFINITY << 0.0f;
    }
    void wrapping() {
        QFETCH(float, angle);
        QFETCH(float, expected);
        QCOMPARE(wrapDialAngle(angle), expected);
    }

    void hugeAngleEndsInsideOneTurn() {
        const float wrapped = wrapDialAngle(1.0e30f);
        QVERIFY(wrapped >= 0 && wrapped <= kTwoPi);
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
        int shown = 0;
        for (const ChartLabel& label : surface.labels) {
            shown += label.visible && label.name.starts_with("Texte(");
        }
        QCOMPARE(shown, 17);
    }

    // Today on the Jupiter and Saturn dials: its share of the cycle that contains it, whatever
    // cycle is drawn; on a boundary day the later cycle's start.
    void planetToday_data() {
        QTest::addColumn<bool>("saturn");
        QTest::addColumn<int>("drawn");
        QTest::addColumn<QString>("today");
        QTest::addColumn<float>("angle");  // negative: no cycle contains today
        QTest::addColumn<int>("cycleYear");
        const float example = static_cast<float>(2075.0 / 4363.0 * kTwoPi);
        QTest::newRow("jupiter 5, today in it") << false << 5 << "01/06/2015" << example << 6;
        QTest::newRow("jupiter 2, same today") << false << 2 << "01/06/2015" << example << 6;
        QTest::newRow("jupiter boundary 3|4") << false << 4 << "03/11/1985" << 0.0f << 1;
        QTest::newRow("jupiter first day") << false << 1 << "01/01/1950" << 0.0f << 1;
        QTest::newRow("jupiter last day") << false << 7 << "16/08/2033" << static_cast<float>(kTwoPi) << 12;
        QTest::newRow("jupiter after all") << false << 7 << "17/08/2033" << -1.0f << 1;
        QTest::newRow("jupiter before birth") << false << 1 << "31/12/1949" << -1.0f << 1;
        QTest::newRow("saturn 2, today in it")
            << true << 2 << "01/06/2015" << static_cast<float>(2373.0 / 10759.0 * kTwoPi) << 0;
        QTest::newRow("saturn boundary 1|2") << true << 1 << "17/06/1979" << 0.0f << 0;
    }
    void planetToday() {
        QFETCH(bool, saturn);
        QFETCH(int, drawn);
        QFETCH(QString, today);
        QFETCH(float, angle);
        QFETCH(int, cycleYear);
        const PlanetDialConfig& config = saturn ? kSaturnDial : kJupiterDial;
        const PlanetCycleTable table =
            saturn ? testing::makeSaturnTable1950() : testing::makeJupiterTable1950();
        const CivilDate day = *parseDayMonthYear(today.toStdString());
        ChartSurface surface = makePlanetSurface(config);
        RunState state;
        affiche_cycle_planete(surface, config, table, drawn, day, state);

        const std::optional<float> found = findTodayPlanetAngle(table, config.cycles, day);
        QCOMPARE(found.has_value(), angle >= 0);
        QCOMPARE(todayPlanetAngle(table, config.cycles, day), std::max(angle, 0.0f));
        QCOMPARE(state.JupiterCycleYear, int16_t(cycleYear));
        if (!saturn) {
            QCOMPARE(jupiterCycleYear(todayPlanetAngle(table, 7, day)), int16_t(cycleYear));
        }
        // Ticks, the start radius, then one "Aujourd'hui" radius per cycle containing today.
        const size_t radii = surface.lines.size() - config.ticks - 1;
        const ChartLabel& label = surface.label(config.freeLabel);
        QCOMPARE(label.visible, angle >= 0);
        if (angle < 0) {
            QCOMPARE(radii, size_t(0));
            return;
        }
        const DialPoint end = dialGeometry(surface).roundedPoint(angle, kOuterRingRadius);
        QCOMPARE(surface.lines.back().x2, end.x);
        QCOMPARE(surface.lines.back().y2, end.y);
        QCOMPARE(surface.lines.back().colour, kRed);
        QCOMPARE(label.caption, std::string("Aujourd'hui"));
        const bool boundary = angle == 0.0f && day != table.BoundaryDate[0];
        QCOMPARE(radii, size_t(boundary ? 2 : 1));
        if (angle == 0.0f) {  // straight down: right-justified, below the anchor
            QCOMPARE(label.align, TextAlign::Right);
            QCOMPARE(label.top, 6846.0);
        }
    }

    void jupiterCycleYears_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<int>("year");
        const float twelfth = static_cast<float>(kTwoPi / 12);
        QTest::newRow("start") << 0.0f << 1;
        QTest::newRow("end of year 1") << twelfth << 1;
        QTest::newRow("just after") << std::nextafter(twelfth, 10.0f) << 2;
        QTest::newRow("example") << 2.988f << 6;
        QTest::newRow("eleven twelfths") << static_cast<float>(11 * twelfth) << 11;
        QTest::newRow("full turn") << static_cast<float>(kTwoPi) << 12;
        QTest::newRow("negative") << -0.5f << 1;
    }
    void jupiterCycleYears() {
        QFETCH(float, angle);
        QFETCH(int, year);
        QCOMPARE(jupiterCycleYear(angle), int16_t(year));
    }

    // What each drawing shows of the planet tables: ends, ages, sign pictures from row c.
    void planetCycleContents_data() {
        QTest::addColumn<bool>("saturn");
        QTest::addColumn<int>("cycle");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("endAge");
        QTest::addColumn<int>("conjunctionSign");  // 0 = hidden
        QTest::addColumn<int>("lines");
        QTest::newRow("jupiter 1") << false << 1 << "01/01/1950"
                                   << "11 ans" << 3 << 14;
        QTest::newRow("jupiter 5") << false << 5 << "14/10/1997"
                                   << "59 ans" << 7 << 14;
        QTest::newRow("jupiter 7, no pictures") << false << 7 << "05/09/2021"
                                                << "83 ans" << 0 << 14;
        QTest::newRow("saturn 1") << true << 1 << "01/01/1950"
                                  << "29 ans" << 3 << 31;
        QTest::newRow("saturn 3") << true << 3 << "01/12/2008"
                                  << "88 ans" << 5 << 31;
    }
    void planetCycleContents() {
        QFETCH(bool, saturn);
        QFETCH(int, cycle);
        QFETCH(QString, start);
        QFETCH(QString, endAge);
        QFETCH(int, conjunctionSign);
        QFETCH(int, lines);
        const PlanetDialConfig& config = saturn ? kSaturnDial : kJupiterDial;
        const PlanetCycleTable table =
            saturn ? testing::makeSaturnTable1950() : testing::makeJupiterTable1950();
        ChartSurface surface = makePlanetSurface(config);
        RunState state;
        const CivilDate today{std::chrono::year{2015}, std::chrono::June, std::chrono::day{1}};
        affiche_cycle_planete(surface, config, table, cycle, today, state);
        affiche_cycle_planete(surface, config, table, cycle, today, state);  // a redraw adds nothing
        QCOMPARE(surface.label(config.legend.startDate).caption, start.toStdString());
        QCOMPARE(surface.label(config.legend.endAge).caption, endAge.toStdString());
        QVERIFY(surface.label(config.startLabel).visible);
        QCOMPARE(surface.circles.size(), size_t(2));
        QCOMPARE(surface.lines.size(), size_t(lines));
        for (int j = 0; j < 4; ++j) {
            const SignPicture& picture = surface.picture(config.pictures.names[j]);
            QCOMPARE(picture.visible, conjunctionSign != 0);
            if (conjunctionSign != 0) {
                QCOMPARE(picture.sign, (conjunctionSign + j - 1) % 12 + 1);
            }
        }
    }

    // A later drawing replaces the earlier one; the two fixed free labels come first.
    void soliLunarRedraw() {
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        RunState state;
        SoliLunarCycle cycle = testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0));
        cycle.table.PhaseSign[2] = " ";
        const CivilDateTime now = makeDateTime(2015, 6, 1, 12, 0);
        affiche_cycle(surface, chart, cycle, 3, now, state, testing::silentSink());
        affiche_libelle(surface, chart, 1.0f, "Paul", kOrange);
        QVERIFY(surface.picture("pb2").visible);
        QCOMPARE(state.CycleNewMoonSign, int16_t(9 % 12 + 1));
        affiche_cycle(surface, chart, cycle, 1, now, state, testing::silentSink());

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
        QCOMPARE(surface.label("lage(4)").caption, std::to_string(cycle.table.PhaseAge[5]) + " ans");
        const std::string& sortable = cycle.table.LifeDateText[3];
        QCOMPARE(surface.label("ladate(2)").caption,
                 sortable.substr(8, 2) + "/" + sortable.substr(5, 2) + "/" + sortable.substr(0, 4));
    }

    void cycleOutsideTheTableDrawsNothing_data() {
        QTest::addColumn<int>("cycle");
        QTest::newRow("zero") << 0;
        QTest::newRow("six") << 6;
        QTest::newRow("negative") << -1;
    }
    void cycleOutsideTheTableDrawsNothing() {
        QFETCH(int, cycle);
        ChartSurface surface = makeSoliLunarSurface();
        const ChartSurface before = surface;
        SoliLunarChartState chart;
        RunState state;
        affiche_cycle(surface, chart, testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0)), cycle,
                      makeDateTime(2015, 6, 1), state, testing::silentSink());
        QVERIFY(surface == before);
        QCOMPARE(chart.ShownLunarCycle, int16_t(0));
        ChartSurface planet = makePlanetSurface(kJupiterDial);
        const ChartSurface planetBefore = planet;
        affiche_cycle_jupiter(planet, testing::makeJupiterTable1950(), cycle < 1 ? cycle : cycle + 2, {},
                              state);
        QVERIFY(planet == planetBefore);
    }

    void signCells_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("sign");
        QTest::newRow("capricorne") << "10" << 10;
        QTest::newRow("blanks around") << " 3 " << 3;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("blank") << "   " << 0;
        QTest::newRow("thirteen") << "13" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("undecoded digit") << "A" << 0;
        QTest::newRow("minus") << "-1" << 0;
    }
    void signCells() {
        QFETCH(QString, text);
        QFETCH(int, sign);
        QCOMPARE(signIndexFromText(text.toStdString()), sign);
    }
};

QTEST_GUILESS_MAIN(DialGeometryTest)
#include "test_dial_geometry.moc"
