#include <QtTest>
#include <cmath>

#include "charts/events_overlay.h"
#include "charts/radius_notes.h"
#include "charts/rim_labels.h"
#include "support/shipped_cycles.h"

using namespace selenarc;

namespace {

const DialGeometry kDesign{5227, 4027};
const ChartBox kDesignArea{0, 0, 10455, 8055};
constexpr double kW = 1455, kH = 255;

ChartBox ruleBox(float angle) {
    const RimLabelPlacement p = placeRimLabel(kDesign, angle, kW, kH);
    return {p.left, p.top, kW, kH};
}

// Dial angle of a point of the rim.
double angleOf(DialPoint p) {
    return std::atan2(p.x - kDesign.X, p.y - kDesign.Y);
}

}  // namespace

class RimLabelsTest : public QObject {
    Q_OBJECT
  private slots:
    // A label keeps its own place when free, else moves away from what covers it, never onto anything.
    void spotAlongTheRim_data() {
        QTest::addColumn<float>("angle");
        QTest::addColumn<QList<float>>("takenAt");  // angles of labels already placed
        QTest::addColumn<int>("direction");         // 0 own place, +1 counter-clockwise, -1 clockwise
        QTest::newRow("free") << 1.0f << QList<float>{2.0f} << 0;
        QTest::newRow("neighbour clockwise") << 1.0f << QList<float>{0.98f} << 1;
        QTest::newRow("neighbour counter-clockwise") << 1.0f << QList<float>{1.02f} << -1;
        QTest::newRow("hemmed in on both sides") << 1.0f << QList<float>{0.97f, 1.0f, 1.03f, 0.94f} << 1;
        QTest::newRow("across the bottom") << 6.2f << QList<float>{6.2f, 6.1f} << 1;
    }
    void spotAlongTheRim() {
        QFETCH(float, angle);
        QFETCH(QList<float>, takenAt);
        QFETCH(int, direction);
        std::vector<ChartBox> taken;
        for (const float a : takenAt) {
            taken.push_back(ruleBox(a));
        }
        const RimLabelSpot spot = findRimLabelSpot(kDesign, angle, kW, kH, taken, kDesignArea);
        const ChartBox box{spot.placement.left, spot.placement.top, kW, kH};
        QVERIFY(box.inside(kDesignArea));
        for (const ChartBox& t : taken) {
            QVERIFY(!t.overlaps(box));
        }
        QCOMPARE(spot.leader.empty(), direction == 0);
        if (direction != 0) {
            const double turned = std::remainder(angleOf(spot.placement.anchor) - angle, kTwoPi);
            QCOMPARE(turned > 0 ? 1 : -1, direction);
            QVERIFY(std::abs(turned) < 0.5);  // the nearest free place, not any
            // From the radius's end to the edge of the label.
            QCOMPARE(spot.leader.front(), kDesign.roundedPoint(angle, kOuterRingRadius));
            const DialPoint end = spot.leader.back();
            QVERIFY(end.x == box.left || end.x == box.left + kW || end.y == box.top || end.y == box.top + kH);
        }
    }

    void age_data() {
        QTest::addColumn<QStringList>("birthDateAge");
        QTest::newRow("day before the birthday") << QStringList{"01/01/1950", "31/12/1974", "24 ans"};
        QTest::newRow("leap-day birth, 28 February") << QStringList{"29/02/1992", "28/02/1993", "0 an"};
        QTest::newRow("leap-day birth, 1 March") << QStringList{"29/02/1992", "01/03/1993", "1 an"};
        QTest::newRow("months before birth")
            << QStringList{"15/08/1985", "01/09/1984", "moins d'un an avant la naissance"};
        QTest::newRow("parent born before")
            << QStringList{"15/08/1985", "10/03/1955", "30 ans avant la naissance"};
    }
    void age() {
        QFETCH(QStringList, birthDateAge);
        const auto date = [&](int i) { return *parseDayMonthYear(birthDateAge[i].toStdString()); };
        QCOMPARE(QString::fromStdString(ageText(date(0), date(1))), birthDateAge[2]);
    }

    // Each cycle from its new moon up to the next one, the boundary day in the later cycle.
    void cycleOfADate_data() {
        QTest::addColumn<int>("row");  // phase row whose life date is taken
        QTest::addColumn<int>("dayShift");
        QTest::addColumn<QString>("cycle");
        QTest::newRow("before the first new moon") << 1 << -1 << "avant le cycle préparatoire";
        QTest::newRow("second new moon") << 5 << 0 << "dans le 1er cycle";
        QTest::newRow("day before the last") << 21 << -1 << "dans le 4ème cycle";
        QTest::newRow("last new moon") << 21 << 0 << "après le 4ème cycle";
    }
    void cycleOfADate() {
        QFETCH(int, row);
        QFETCH(int, dayShift);
        QFETCH(QString, cycle);
        const PhaseTable table = testing::cycle1950().table;
        CivilDateTime date = table.LifeDate[row];
        date.day += std::chrono::days{dayShift};
        QCOMPARE(QString::fromStdString(lunarCycleText(lunarCycleNumberOf(table, date))), cycle);
    }

    // Plotted on cycle 2: an event of that cycle solid, one of another cycle dashed and in italics,
    // each with its note; the note is found on the radius and on the label, nowhere else.
    void eventNotesAndStyles() {
        const SoliLunarCycle cycle = testing::cycle1950();
        ChartSurface surface = makeSoliLunarSurface();
        SoliLunarChartState chart;
        EventPlot events;
        const CivilDateTime now = makeDateTime(2015, 6, 1, 12, 0);
        const PhaseAngles angles = phaseAngles(cycle, now, testing::kSilent);
        affiche_cycle(surface, chart, cycle, 2, now, angles);
        EventRows rows;
        rows[0] = {formatDayMonthYear(CivilDate{cycle.table.LifeDate[6].day}), "Mère"};
        rows[1] = {"01/01/2040", ""};
        QVERIFY(plotEvents(rows, events, surface, chart, cycle, now, angles, testing::kSilent));
        const ChartLabel &inCycle = surface.label("Texte(2)"), &outside = surface.label("Texte(3)");
        const ChartLine &inLine = surface.lines[34], &outLine = surface.lines[35];
        QVERIFY(inLine.style == LineStyle::Solid && !inCycle.italic);
        QVERIFY(outLine.style == LineStyle::Dashed && outside.italic);
        QCOMPARE(inCycle.tooltip, inLine.tooltip);
        QVERIFY(QString::fromStdString(inLine.tooltip).startsWith("Mère\n"));
        QVERIFY(inLine.tooltip.ends_with("\ndans le 1er cycle"));
        QCOMPARE(outLine.tooltip, std::string("01/01/2040, 90 ans\ndans le 3ème cycle"));

        QCOMPARE(noteAt(surface, {inCycle.left + 10, inCycle.top + 10}, 60), inCycle.tooltip);
        const DialPoint middle{(outLine.x1 + outLine.x2) / 2 + 30, (outLine.y1 + outLine.y2) / 2};
        QCOMPARE(noteAt(surface, middle, 60), outLine.tooltip);
        QCOMPARE(noteAt(surface, {100, 7900}, 60), std::string());
    }
};

QTEST_GUILESS_MAIN(RimLabelsTest)
#include "test_rim_labels.moc"
