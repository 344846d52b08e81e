#include <QPainter>
#include <QtTest>
#include <cmath>

#include "charts/planet_dial.h"
#include "charts/qt/dial_renderer.h"
#include "charts/qt/dial_widget.h"
#include "charts/qt/sign_pictures.h"
#include "charts/soli_lunar_dial.h"
#include "support/dial_test_cycle.h"

using namespace selenarc;

namespace {

const CivilDateTime kNow = makeDateTime(2015, 6, 1, 12, 0);
const float kEventAngle = 4.0f;
const QString kSignFolder = QStringLiteral(SELENARC_SOURCE_DIR "/data/signs");

// Whether some pixel of the area passes the test.
template <typename Test>
bool anyPixel(const QImage& image, const QRect& area, Test test) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.valid(x, y) && test(image.pixel(x, y))) {
                return true;
            }
        }
    }
    return false;
}

// Whether a pixel near that colour lies within two pixels of the twip point.
bool colourAt(const QImage& image, double zoom, DialPoint twips, Rgb c) {
    const double scale = DialRenderer::kPixelsPerTwip * zoom;
    const QPoint centre(static_cast<int>(twips.x * scale), static_cast<int>(twips.y * scale));
    return anyPixel(image, QRect(centre - QPoint(2, 2), QSize(5, 5)), [c](QRgb p) {
        return std::abs(qRed(p) - c.r) <= 40 && std::abs(qGreen(p) - c.g) <= 40 &&
               std::abs(qBlue(p) - c.b) <= 40;
    });
}

// The dials as the window shows them after a run, with an orange event radius on the soli-lunar one.
const std::array<ChartSurface, 3>& drawnDials() {
    static const std::array<ChartSurface, 3> surfaces = [] {
        std::array<ChartSurface, 3> s{makeSoliLunarSurface(), makePlanetSurface(kJupiterDial),
                                      makePlanetSurface(kSaturnDial)};
        SoliLunarChartState chart;
        RunState state;
        affiche_cycle(s[0], chart, testing::makeCycle(makeDateTime(1950, 1, 1, 11, 0)), 2, kNow, state,
                      testing::silentSink());
        affiche_ligne(s[0], kEventAngle, kOrange);
        affiche_cycle_jupiter(s[1], testing::makeJupiterTable1950(), 5, CivilDate{kNow.day}, state);
        affiche_cycle_saturne(s[2], testing::makeSaturnTable1950(), 2, CivilDate{kNow.day});
        return s;
    }();
    return surfaces;
}

}  // namespace

class DialRenderingTest : public QObject {
    Q_OBJECT
  private slots:
    void signPicturesLoad() {
        const SignPictures pictures(kSignFolder);
        QVERIFY(pictures.isComplete());
        QVERIFY(!pictures.has(0) && !pictures.has(13));
        QVERIFY(!SignPictures(QStringLiteral(SELENARC_SOURCE_DIR "/data/no-such-folder")).has(1));
    }

    // Red radii, blue rings and the orange event radius where the geometry puts them, at 100 % and
    // 200 %; the sign pictures are painted inside their boxes.
    void paintedColours_data() {
        QTest::addColumn<int>("dial");  // soli-lunar, Jupiter, Saturn
        QTest::addColumn<double>("zoom");
        for (const double zoom : {1.0, 2.0}) {
            for (const int dial : {0, 1, 2}) {
                QTest::addRow("dial %d at %d %%", dial, int(zoom * 100)) << dial << zoom;
            }
        }
    }
    void paintedColours() {
        QFETCH(int, dial);
        QFETCH(double, zoom);
        static const SignPictures pictures(kSignFolder);
        const ChartSurface& surface = drawnDials()[dial];
        const QImage image = renderDialImage(surface, &pictures, zoom);
        QCOMPARE(image.width(), int(std::ceil(10455 / 15.0 * zoom)));

        const DialGeometry g = dialGeometry(surface);
        // The start or birth radius is the first line after the ticks; halfway along it.
        const ChartLine& birth = surface.lines[std::array{32, 12, 29}[dial]];
        QCOMPARE(birth.colour, kRed);
        QVERIFY(colourAt(image, zoom, {(birth.x1 + birth.x2) / 2, (birth.y1 + birth.y2) / 2}, kRed));
        // The inner ring between two ticks, and a point off every line: white.
        QVERIFY(colourAt(image, zoom, g.point(0.3, kInnerRingRadius), kBlue));
        QVERIFY(colourAt(image, zoom, g.point(0.3, 0.65), kWhite) &&
                !colourAt(image, zoom, g.point(0.3, 0.65), kBlue));
        QVERIFY(dial != 0 || colourAt(image, zoom, g.point(kEventAngle, 0.3), kOrange));
        // Some dark pixel inside the conjunction picture box.
        const SignPicture& box = surface.pictures[0];
        const double scale = zoom / 15;
        QVERIFY(box.visible);
        QVERIFY(anyPixel(
            image, QRectF(box.left * scale, box.top * scale, box.width * scale, box.height * scale).toRect(),
            [](QRgb p) { return qGray(p) < 160; }));
    }

    // The widget paints the state it holds, and still after a repaint.
    void widgetShowsItsSurface() {
        DialWidget widget(drawnDials()[1]);
        widget.resize(widget.sizeHint());
        QCOMPARE(widget.sizeHint(), QSize(697, 537));
        const DialPoint middle = dialGeometry(drawnDials()[1]).point(0.0, 0.35);
        QVERIFY(colourAt(widget.grab().toImage(), 1.0, middle, kRed));
        QVERIFY(colourAt(widget.grab().toImage(), 1.0, middle, kRed));
        widget.surface().clearDrawing();
        QVERIFY(!colourAt(widget.grab().toImage(), 1.0, middle, kRed));
    }
};

QTEST_MAIN(DialRenderingTest)
#include "test_dial_rendering.moc"
