#include <QPainter>
#include <QtTest>
#include <cmath>

#include "charts/events_overlay.h"
#include "charts/planet_dial.h"
#include "charts/qt/dial_renderer.h"
#include "charts/qt/dial_widget.h"
#include "charts/qt/sign_pictures.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;

namespace {

const CivilDateTime kNow = makeDateTime(2015, 6, 1, 12, 0);

QString signFolder() {
    return QStringLiteral(SELENARC_SOURCE_DIR "/data/signs");
}

bool near(QRgb pixel, Rgb colour, int tolerance = 40) {
    return std::abs(qRed(pixel) - colour.r) <= tolerance && std::abs(qGreen(pixel) - colour.g) <= tolerance &&
           std::abs(qBlue(pixel) - colour.b) <= tolerance;
}

// Whether a pixel of that colour lies within two pixels of the twip point.
bool colourAt(const QImage& image, double zoom, DialPoint twips, Rgb colour) {
    const double scale = DialRenderer::kPixelsPerTwip * zoom;
    const int cx = static_cast<int>(twips.x * scale), cy = static_cast<int>(twips.y * scale);
    for (int y = cy - 2; y <= cy + 2; ++y) {
        for (int x = cx - 2; x <= cx + 2; ++x) {
            if (image.valid(x, y) && near(image.pixel(x, y), colour)) {
                return true;
            }
        }
    }
    return false;
}

// A dial as the window shows it after a run, with the persons/events plotted on the soli-lunar one.
struct DrawnDials {
    ChartSurface soliLunar = makeSoliLunarSurface();
    ChartSurface jupiter = makePlanetSurface(kJupiterDial);
    ChartSurface saturn = makePlanetSurface(kSaturnDial);
    float eventAngle = 0;
    DrawnDials() {
        SoliLunarChartState chart;
        RunState state;
        EventPlot events;
        const SoliLunarCycle cycle = testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0));
        affiche_cycle(soliLunar, chart, cycle, 2, kNow, state, testing::silentSink());
        std::array<EventRow, PersonRecord::kEventRows> rows;
        rows[0] = {"14/07/1985", "Anne"};
        plotEvents(rows, events, soliLunar, chart, cycle, kNow, state, testing::silentSink());
        eventAngle = angle_date(cycle, events.EventDates[1], testing::silentSink());
        affiche_cycle_jupiter(jupiter, testing::makeJupiterTable1950(), 5, CivilDate{kNow.day}, state);
        affiche_cycle_saturne(saturn, testing::makeSaturnTable1950(), 2, CivilDate{kNow.day});
    }
};

}  // namespace

class DialRenderingTest : public QObject {
    Q_OBJECT
  private slots:
    void signPicturesLoad() {
        const SignPictures pictures(signFolder());
        QVERIFY(pictures.isComplete());
        QVERIFY(!pictures.has(0));
        QVERIFY(!pictures.has(13));
        QVERIFY(!SignPictures(QStringLiteral(SELENARC_SOURCE_DIR "/data/no-such-folder")).has(1));
    }

    // Red radii, blue rings and the orange event radius where the geometry puts them, at 100 % and
    // 200 %; the sign pictures are painted inside their boxes.
    void paintedColours_data() {
        QTest::addColumn<QString>("dial");
        QTest::addColumn<double>("zoom");
        for (const double zoom : {1.0, 2.0}) {
            for (const char* dial : {"soli", "jupiter", "saturn"}) {
                QTest::addRow("%s at %d %%", dial, int(zoom * 100)) << QString(dial) << zoom;
            }
        }
    }
    void paintedColours() {
        QFETCH(QString, dial);
        QFETCH(double, zoom);
        static const DrawnDials drawn;
        static const SignPictures pictures(signFolder());
        const ChartSurface& surface = dial == "soli"      ? drawn.soliLunar
                                      : dial == "jupiter" ? drawn.jupiter
                                                          : drawn.saturn;
        const QImage image = renderDialImage(surface, &pictures, zoom);
        QCOMPARE(image.width(), int(std::ceil(10455 / 15.0 * zoom)));

        const DialGeometry g = dialGeometry(surface);
        // The start or birth radius is the first line after the ticks; halfway along it.
        const ChartLine& birth = surface.lines[dial == "soli" ? 32 : (dial == "jupiter" ? 12 : 29)];
        QCOMPARE(birth.colour, kRed);
        const DialPoint middle{(birth.x1 + birth.x2) / 2, (birth.y1 + birth.y2) / 2};
        QVERIFY(colourAt(image, zoom, middle, kRed));
        // The inner ring between two ticks, and a point off every line: white.
        QVERIFY(colourAt(image, zoom, g.point(0.3, kInnerRingRadius), kBlue));
        QVERIFY(colourAt(image, zoom, g.point(0.3, 0.65), kWhite) &&
                !colourAt(image, zoom, g.point(0.3, 0.65), kBlue));
        if (dial == "soli") {
            QVERIFY(colourAt(image, zoom, g.point(drawn.eventAngle, 0.3), kOrange));
        }
        // Some non-white pixel inside the conjunction picture box.
        const SignPicture& box = surface.pictures[0];
        QVERIFY(box.visible);
        const double scale = zoom / 15;
        const QImage inside = image.copy(
            QRectF(box.left * scale, box.top * scale, box.width * scale, box.height * scale).toRect());
        bool inked = false;
        for (int y = 0; y < inside.height() && !inked; ++y) {
            for (int x = 0; x < inside.width() && !inked; ++x) {
                inked = qGray(inside.pixel(x, y)) < 160;
            }
        }
        QVERIFY(inked);
    }

    // The widget paints the state it holds, and still after a repaint.
    void widgetShowsItsSurface() {
        static const DrawnDials drawn;
        DialWidget widget(drawn.jupiter);
        widget.resize(widget.sizeHint());
        QCOMPARE(widget.sizeHint(), QSize(697, 537));
        const DialPoint middle = dialGeometry(drawn.jupiter).point(0.0, 0.35);
        for (int paint = 0; paint < 2; ++paint) {
            const QImage shown = widget.grab().toImage();
            QVERIFY(colourAt(shown, 1.0, middle, kRed));
        }
        widget.surface().clearDrawing();
        QVERIFY(!colourAt(widget.grab().toImage(), 1.0, middle, kRed));
    }
};

QTEST_MAIN(DialRenderingTest)
#include "test_dial_rendering.moc"
