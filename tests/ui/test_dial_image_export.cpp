#include <QtTest>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <cmath>
#include <map>
#include <vector>

#include "app/qt/dial_image_export.h"
#include "app/session.h"
#include "charts/qt/dial_renderer.h"
#include "charts/qt/dial_widget.h"
#include "charts/qt/sign_pictures.h"

using namespace selenarc;

Q_DECLARE_METATYPE(std::optional<selenarc::DialImageFormat>)

namespace {

const CivilDateTime kNow = makeDateTime(2026, 12, 6, 10, 30);

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Pixels near a colour, counted over the whole image.
int countColour(const QImage& image, Rgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::abs(qRed(p) - colour.r) < 40 && std::abs(qGreen(p) - colour.g) < 40 &&
                     std::abs(qBlue(p) - colour.b) < 40;
        }
    }
    return count;
}

// How many elements of each name the SVG holds, and their stroke colours.
struct SvgCensus {
    std::map<QString, int> elements;
    std::map<QString, int> strokes;
    bool wellFormed = false;
};

SvgCensus census(const QByteArray& svg) {
    SvgCensus result;
    QXmlStreamReader reader(svg);
    QString stroke;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            ++result.elements[reader.name().toString()];
            // QSvgGenerator puts the pen on an enclosing <g stroke="#...">.
            const auto attribute = reader.attributes().value(QStringLiteral("stroke"));
            if (!attribute.isEmpty()) {
                stroke = attribute.toString();
            }
            const QString name = reader.name().toString();
            if (name == QLatin1String("ellipse") || name == QLatin1String("circle") ||
                name == QLatin1String("polyline") || name == QLatin1String("line") ||
                name == QLatin1String("path")) {
                ++result.strokes[stroke + QLatin1Char(' ') + name];
            }
        }
    }
    result.wellFormed = !reader.hasError();
    return result;
}

}  // namespace

class DialImageExportTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        session_ = std::make_unique<Session>(SELENARC_SOURCE_DIR "/data", [](const Message&) {});
        PersonRecord person;
        person.t_prenom = "Jean";
        person.t_nom = "Dupont";
        QVERIFY(!session_->calculer(person, kNow));
        QVERIFY(SignPictures::shared().isComplete());
    }

    void formatOfName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<std::optional<DialImageFormat>>("format");
        QTest::newRow("png") << "cadran.png" << std::optional(DialImageFormat::Png);
        QTest::newRow("PNG upper case") << "CADRAN.PNG" << std::optional(DialImageFormat::Png);
        QTest::newRow("svg") << "dossier/cadran.svg" << std::optional(DialImageFormat::Svg);
        QTest::newRow("two dots") << "cadran.v2.svg" << std::optional(DialImageFormat::Svg);
        QTest::newRow("jpeg") << "cadran.jpg" << std::optional<DialImageFormat>();
        QTest::newRow("no extension") << "cadran" << std::optional<DialImageFormat>();
        QTest::newRow("png folder") << "images.png/cadran" << std::optional<DialImageFormat>();
    }
    void formatOfName() {
        QFETCH(QString, name);
        QFETCH(std::optional<DialImageFormat>, format);
        QCOMPARE(dialImageFormatOf(name), format);
    }

    // PNG at twice the on-screen size with the red radii and blue rings of the dial.
    void png_data() {
        QTest::addColumn<int>("dial");
        QTest::newRow("soli-lunar") << 0;
        QTest::newRow("Jupiter") << 1;
        QTest::newRow("Saturn") << 2;
    }
    void png() {
        QFETCH(int, dial);
        const ChartSurface& surface = surfaceOf(dial);
        QTemporaryDir scratch;
        const QString path = scratch.filePath("cadran.png");
        QCOMPARE(writeDialImage(path, surface, &SignPictures::shared()), QString());
        QImage image;
        QVERIFY(image.load(path, "PNG"));
        const QSize onScreen(static_cast<int>(std::ceil(surface.width * DialRenderer::kPixelsPerTwip)),
                             static_cast<int>(std::ceil(surface.height * DialRenderer::kPixelsPerTwip)));
        QVERIFY(std::abs(image.width() - 2 * onScreen.width()) <= 1);
        QVERIFY(std::abs(image.height() - 2 * onScreen.height()) <= 1);
        QVERIFY(countColour(image, kRed) > 200);
        QVERIFY(countColour(image, kBlue) > 2000);
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files), QStringList{"cadran.png"});
    }

    // SVG vectors: the two rings as ellipses in blue, the radii and ticks as strokes in red and dark blue.
    void svg_data() { png_data(); }
    void svg() {
        QFETCH(int, dial);
        const ChartSurface& surface = surfaceOf(dial);
        QTemporaryDir scratch;
        const QString path = scratch.filePath("cadran.svg");
        QCOMPARE(writeDialImage(path, surface, &SignPictures::shared()), QString());
        const QByteArray svg = contents(path);
        SvgCensus found = census(svg);
        QVERIFY(found.wellFormed);
        QVERIFY(QSvgRenderer(svg).isValid());
        const int rings = found.strokes[QStringLiteral("#0000ff ellipse")] + found.strokes["#0000ff circle"];
        QCOMPARE(rings, 2);
        const auto strokesIn = [&found](const QString& colour) {
            int count = 0;
            for (const auto& [key, n] : found.strokes) {
                count += key.startsWith(colour) && !key.endsWith(QLatin1String("ellipse")) ? n : 0;
            }
            return count;
        };
        int redLines = 0, tickLines = 0;
        for (const ChartLine& line : surface.lines) {
            redLines += line.colour == kRed;
            tickLines += line.colour == kDarkBlue;
        }
        QVERIFY(redLines > 0);
        QCOMPARE(strokesIn(QStringLiteral("#ff0000")), redLines);
        QCOMPARE(strokesIn(QStringLiteral("#00007d")), tickLines);
    }

    // A refused write leaves nothing new and an older file intact.
    void failures_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");  // "%1" is the scratch folder
        QTest::newRow("unknown extension") << "ancien.jpg"
                                           << "extension inconnue, « .png » ou « .svg » attendue.";
        QTest::newRow("missing folder") << "absent/cadran.png"
                                        << "le dossier « %1/absent » n'existe pas.";
        QTest::newRow("folder named like an image") << "dossier.svg"
                                                    << "c'est un dossier.";
    }
    void failures() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir scratch;
        QVERIFY(QDir(scratch.path()).mkdir("dossier.svg"));
        QFile older(scratch.filePath("ancien.jpg"));
        QVERIFY(older.open(QIODevice::WriteOnly));
        older.write("ancien");
        older.close();
        const QStringList before = QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(writeDialImage(scratch.filePath(target), surfaceOf(0), &SignPictures::shared()),
                 reason.replace(QStringLiteral("%1"), QDir::toNativeSeparators(scratch.path())));
        QCOMPARE(QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(contents(scratch.filePath("ancien.jpg")), QByteArray("ancien"));
        QVERIFY(QDir(scratch.filePath("dossier.svg")).isEmpty());
    }

    // The context menu's single entry asks for a file and writes the dial shown by the widget.
    void contextMenu_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<int>("messages");
        QTest::newRow("svg") << "cadran.svg"
                             << "cadran.svg" << 0;
        QTest::newRow("bare name becomes png") << "cadran"
                                               << "cadran.png" << 0;
        QTest::newRow("cancelled") << ""
                                   << "" << 0;
        QTest::newRow("unknown extension") << "cadran.gif"
                                           << "" << 1;
    }
    void contextMenu() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(int, messages);
        QTemporaryDir scratch;
        DialWidget dial(session_->jupiterSurface(), &SignPictures::shared());
        dial.setObjectName("Picture2");
        dial.show();
        std::vector<Message> shown;
        QString suggested;
        installDialImageMenu(
            &dial, [&shown](const Message& m) { shown.push_back(m); },
            [&](QWidget*, const QString& proposal) {
                suggested = proposal;
                return chosen.isEmpty() ? QString() : scratch.filePath(chosen);
            });
        QCOMPARE(dial.contextMenuPolicy(), Qt::CustomContextMenu);

        QStringList entries;
        QTimer::singleShot(0, [&entries] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) {
                return;
            }
            for (QAction* action : menu->actions()) {
                entries << action->text();
            }
            menu->actions().first()->trigger();
            menu->close();
        });
        emit dial.customContextMenuRequested(QPoint(10, 10));

        QCOMPARE(entries, QStringList{QString::fromUtf8(kSaveImageAction)});
        QVERIFY(suggested.endsWith(QStringLiteral("Picture2.png")));
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files),
                 written.isEmpty() ? QStringList() : QStringList{written});
        QCOMPARE(static_cast<int>(shown.size()), messages);
        if (messages > 0) {
            QCOMPARE(QString::fromStdString(shown[0].title), QStringLiteral("Erreur"));
            QVERIFY(QString::fromStdString(shown[0].text)
                        .contains(QDir::toNativeSeparators(scratch.filePath(chosen))));
        }
    }

  private:
    const ChartSurface& surfaceOf(int dial) const {
        return dial == 0   ? session_->lunarSurface()
               : dial == 1 ? session_->jupiterSurface()
                           : session_->saturnSurface();
    }

    std::unique_ptr<Session> session_;
};

QTEST_MAIN(DialImageExportTest)
#include "test_dial_image_export.moc"
