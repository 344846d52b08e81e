#include <QtTest>
#include <cmath>

#include "charts/dial_geometry.h"
#include "charts/qt/dial_renderer.h"
#include "charts/qt/dial_widget.h"
#include "charts/qt/sign_pictures.h"
#include "charts/soli_lunar_dial.h"
#include "support/shipped_cycles.h"

using namespace selenarc;

const float kEventAngle = 4.0f;

// The soli-lunar dial after a run, with an orange event radius.
static ChartSurface drawnDial() {
    ChartSurface surface = makeSoliLunarSurface();
    SoliLunarChartState chart;
    const SoliLunarCycle cycle = testing::cycle1950();
    const CivilDateTime now = makeDateTime(2015, 6, 1, 12, 0);
    affiche_cycle(surface, chart, cycle, 2, now, phaseAngles(cycle, now, testing::kSilent));
    affiche_ligne(surface, kEventAngle, kOrange);
    return surface;
}

// Whether some pixel within `reach` twips of the point lies within `t` of the colour on each channel.
static bool colourNear(const QImage& image, double zoom, DialPoint twips, Rgb c, double reach = 30,
                       int t = 40) {
    const double s = DialRenderer::kPixelsPerTwip * zoom;
    const QImage area = image.copy(
        QRectF((twips.x - reach) * s, (twips.y - reach) * s, 2 * reach * s, 2 * reach * s).toRect());
    for (int i = 0; i < area.width() * area.height(); ++i) {
        const QColor p = area.pixelColor(i % area.width(), i / area.width());
        if (std::abs(p.red() - c.r) <= t && std::abs(p.green() - c.g) <= t && std::abs(p.blue() - c.b) <= t) {
            return true;
        }
    }
    return false;
}

class DialRenderingTest : public QObject {
    Q_OBJECT
  private slots:
    // At 200 %: the birth radius and a ring in their colours where the geometry puts them, the sign
    // picture of the new moon painted in its box.
    void paintedColours() {
        const double zoom = 2.0;
        const SignPictures pictures(QStringLiteral(SELENARC_SOURCE_DIR "/data/signs"));
        QVERIFY(pictures.isComplete() && !pictures.has(0) && !pictures.has(13));
        const ChartSurface surface = drawnDial();
        const QImage image = renderDialImage(surface, &pictures, zoom);
        QCOMPARE(image.size(), QSize(1394, 1074));
        const ChartLine& birth = surface.lines[32];  // the first line after the ticks
        QVERIFY(colourNear(image, zoom, {(birth.x1 + birth.x2) / 2, (birth.y1 + birth.y2) / 2}, kRed));
        QVERIFY(colourNear(image, zoom, dialGeometry(surface).point(0.3, kInnerRingRadius), kBlue));
        const SignPicture& box = surface.pictures[0];
        QVERIFY(box.visible && colourNear(image, zoom, {box.left + 150, box.top + 150}, kBlack, 150, 160));
    }

    // At 100 %: the widget paints the surface it holds, the event radius in orange, and follows changes to
    // it.
    void widgetShowsItsSurface() {
        DialWidget widget(drawnDial());
        QCOMPARE(widget.sizeHint(), QSize(697, 537));
        widget.resize(widget.sizeHint());
        const DialPoint radius = dialGeometry(widget.surface()).point(kEventAngle, 0.3);
        QVERIFY(colourNear(widget.grab().toImage(), 1.0, radius, kOrange));
        widget.surface().clearDrawing();
        QVERIFY(!colourNear(widget.grab().toImage(), 1.0, radius, kOrange));
    }
};

QTEST_MAIN(DialRenderingTest)
#include "test_dial_rendering.moc"
