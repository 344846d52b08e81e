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

// Stroked shapes of an SVG by "colour shape": QSvgGenerator puts the pen on an enclosing <g stroke="#...">.
std::map<QString, int> strokes(const QByteArray& svg) {
    std::map<QString, int> found;
    QXmlStreamReader reader(svg);
    QString stroke;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement) {
            const auto attribute = reader.attributes().value(QStringLiteral("stroke"));
            stroke = attribute.isEmpty() ? stroke : attribute.toString();
            const QString name = reader.name().toString();
            if (QStringList{"ellipse", "circle", "polyline", "line", "path"}.contains(name)) {
                ++found[stroke + QLatin1Char(' ') + name];
            }
        }
    }
    if (reader.hasError()) {
        found.clear();
    }
    return found;
}

}  // namespace

class DialImageExportTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        session_ = std::make_unique<Session>(SELENARC_SOURCE_DIR "/data", [](const Message&) {});
        PersonRecord person;
        person.t_prenom = person.t_nom = "Jean";
        QVERIFY(!session_->calculer(person, kNow));
        QVERIFY(SignPictures::shared().isComplete());
    }

    void formatOfName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("format");  // "" when refused
        QTest::newRow("PNG upper case") << QString("CADRAN.PNG") << "png";
        QTest::newRow("svg in a folder, two dots") << QString("dossier/cadran.v2.svg") << "svg";
        QTest::newRow("jpeg") << QString("cadran.jpg") << "";
        QTest::newRow("no extension") << QString("cadran") << "";
        QTest::newRow("png folder") << QString("images.png/cadran") << "";
    }
    void formatOfName() {
        QFETCH(QString, name);
        QFETCH(QString, format);
        const auto found = dialImageFormatOf(name);
        QCOMPARE(!found ? "" : *found == DialImageFormat::Png ? "png" : "svg", format);
    }

    // PNG at twice the on-screen size with the red radii and blue rings of the dial; SVG vectors with
    // the two rings as ellipses in blue, the radii and ticks as strokes in red and dark blue.
    void image_data() {
        QTest::addColumn<int>("dial");
        QTest::addColumn<QString>("name");
        for (const QString name : {"cadran.png", "cadran.svg"}) {
            QTest::addRow("soli-lunar %s", qPrintable(name)) << 0 << name;
            QTest::addRow("Jupiter %s", qPrintable(name)) << 1 << name;
            QTest::addRow("Saturn %s", qPrintable(name)) << 2 << name;
        }
    }
    void image() {
        QFETCH(int, dial);
        QFETCH(QString, name);
        const ChartSurface& surface = dial == 0   ? session_->lunarSurface()
                                      : dial == 1 ? session_->jupiterSurface()
                                                  : session_->saturnSurface();
        QTemporaryDir scratch;
        const QString path = scratch.filePath(name);
        QCOMPARE(writeDialImage(path, surface, &SignPictures::shared()), QString());
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files), QStringList{name});
        if (name.endsWith(".png")) {
            QImage image;
            QVERIFY(image.load(path, "PNG"));
            QVERIFY(std::abs(image.width() - 2 * std::ceil(surface.width * DialRenderer::kPixelsPerTwip)) <=
                    1);
            QVERIFY(std::abs(image.height() - 2 * std::ceil(surface.height * DialRenderer::kPixelsPerTwip)) <=
                    1);
            QVERIFY(countColour(image, kRed) > 200);
            QVERIFY(countColour(image, kBlue) > 2000);
            return;
        }
        const QByteArray svg = contents(path);
        QVERIFY(QSvgRenderer(svg).isValid());
        std::map<QString, int> found = strokes(svg);
        QCOMPARE(found["#0000ff ellipse"] + found["#0000ff circle"], 2);
        std::map<QString, int> lines;  // by colour, rings left out
        for (const auto& [key, n] : found) {
            lines[key.section(' ', 0, 0)] += key.endsWith(QLatin1String("ellipse")) ? 0 : n;
        }
        int redLines = 0, tickLines = 0;
        for (const ChartLine& line : surface.lines) {
            redLines += line.colour == kRed;
            tickLines += line.colour == kDarkBlue;
        }
        QVERIFY(redLines > 0);
        QCOMPARE(lines["#ff0000"], redLines);
        QCOMPARE(lines["#00007d"], tickLines);
    }

    // A refused write leaves nothing new and an older file intact.
    void failures_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");  // "%1" is the scratch folder
        QTest::newRow("unknown extension")
            << QString("ancien.jpg") << "extension inconnue, « .png » ou « .svg » attendue.";
        QTest::newRow("missing folder")
            << QString("absent/cadran.png") << "le dossier « %1/absent » n'existe pas.";
        QTest::newRow("folder named like an image") << QString("dossier.svg") << "c'est un dossier.";
    }
    void failures() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir scratch;
        QVERIFY(QDir(scratch.path()).mkdir("dossier.svg"));
        QFile older(scratch.filePath("ancien.jpg"));
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("ancien") == 6);
        older.close();
        const QStringList before = QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(writeDialImage(scratch.filePath(target), session_->lunarSurface(), &SignPictures::shared()),
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
        QTest::newRow("svg") << QString("cadran.svg") << QString("cadran.svg") << 0;
        QTest::newRow("bare name becomes png") << QString("cadran") << QString("cadran.png") << 0;
        QTest::newRow("cancelled") << QString() << QString() << 0;
        QTest::newRow("unknown extension") << QString("cadran.gif") << QString() << 1;
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
    std::unique_ptr<Session> session_;
};

QTEST_MAIN(DialImageExportTest)
#include "test_dial_image_export.moc"
