#include <QtTest>
#include <QtWidgets>

#include "app/qt/dial_image_export.h"
#include "app/session.h"
#include "charts/qt/dial_renderer.h"
#include "charts/qt/dial_widget.h"
#include "charts/qt/sign_pictures.h"
#include "qt_support/safe_file_write.h"

using namespace selenarc;

class DialImageExportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Session> session_;

  private slots:
    void initTestCase() {
        session_ = std::make_unique<Session>(SELENARC_SOURCE_DIR "/data", [](const Message&) {});
        const PersonRecord jean{"Jean", "Jean", "01/01/1950", "12h00", 13, {}, {}, HourChoice::None};
        QVERIFY(!session_->calculer(jean, makeDateTime(2026, 12, 6, 10, 30)));
    }

    // The format by the extension of the name's last part, in any case: PNG at twice the on-screen
    // size, SVG as vectors (a shape at least per line of the dial); no other file left beside it.
    void write_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("PNG upper case") << "CADRAN.PNG";
        QTest::newRow("svg, two dots") << "cadran.v2.svg";
    }
    void write() {
        QFETCH(QString, target);
        QTemporaryDir scratch;
        const ChartSurface& surface = session_->lunarSurface();
        const QString path = scratch.filePath(target);
        QCOMPARE(writeDialImage(path, surface, &SignPictures::ofDataFolder(session_->programFolder())),
                 QString());
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files), QStringList{target});
        if (target.endsWith(".PNG")) {
            QCOMPARE(QImage(path, "PNG").width(), 2 * qCeil(surface.width * DialRenderer::kPixelsPerTwip));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray s = file.readAll();
            QVERIFY(s.count("<polyline") + s.count("<line") + s.count("<path") >= std::ssize(surface.lines));
        }
    }

    // A full disk is said in French, as Qt words it with the system's reason.
    void fullDiskInFrench() {
        QFile full("/dev/full");
        if (!full.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            QSKIP("no /dev/full here");
        }
        QCOMPARE(full.write("cadran", 6), -1);
        QCOMPARE(frenchFileError(full), "plus de place sur le disque");
    }

    // The context menu's single entry asks for a file, proposing the widget's name, and writes the dial
    // (".png" added to a bare name); one "Erreur" naming a refused file.
    void contextMenu_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("log");  // entries, name proposed, messages, files written
        const QString asked = QString::fromUtf8(kSaveImageAction) + "\nPicture2.png";
        QTest::newRow("bare name becomes png") << "cadran" << asked + "\ncadran.png";
        QTest::newRow("unknown extension") << "a.gif"
                                           << asked +
                                                  "\nErreur|Impossible d'écrire le fichier « %1/a.gif » "
                                                  ":\r\nextension inconnue, « .png » ou « .svg » attendue.";
    }
    void contextMenu() {
        QFETCH(QString, chosen);
        QFETCH(QString, log);
        QTemporaryDir scratch;
        DialWidget dial(session_->jupiterSurface(), &SignPictures::ofDataFolder(session_->programFolder()));
        dial.setObjectName("Picture2");
        QStringList got;
        const MessageSink sink = [&](const Message& m) {
            got << QString::fromStdString(m.title + '|' + m.text);
        };
        installDialImageMenu(&dial, sink, [&](QWidget*, const QString& proposal) {
            got << QFileInfo(proposal).fileName();
            return chosen.isEmpty() ? chosen : scratch.filePath(chosen);
        });
        QTimer::singleShot(0, [&got] {
            QWidget* menu = QApplication::activePopupWidget();
            for (QAction* action : menu ? menu->actions() : QList<QAction*>()) {
                got << action->text();
                action->trigger();
            }
            QVERIFY(menu && menu->close());
        });
        emit dial.customContextMenuRequested(QPoint(10, 10));
        got << QDir(scratch.path()).entryList(QDir::Files);
        QCOMPARE(got.join('\n'), log.replace("%1", QDir::toNativeSeparators(scratch.path())));
    }
};

QTEST_MAIN(DialImageExportTest)
#include "test_dial_image_export.moc"
