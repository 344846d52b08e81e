#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/qt/main_window.h"

using namespace selenarc;

// Renders the main window after a run, at 100 % and 200 %, into PNG files beside the tests
// (tools/screenshot.sh copies one into the README's folder).
class ScreenshotTest : public QObject {
    Q_OBJECT
  private slots:
    void mainWindowAfterARun() {
        MainWindow window(
            SELENARC_SOURCE_DIR "/data", [](const Message&) {},
            [] { return makeDateTime(2026, 12, 6, 10, 30); });
        window.findChild<QLineEdit*>("t_prenom")->setText("Jeanne");
        window.findChild<QLineEdit*>("t_nom")->setText("Martin");
        window.findChild<QLineEdit*>("Text1")->setText("14/07/1975");
        window.findChild<QLineEdit*>("Text2")->setText("08h45");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.calculer());
        for (int tab = 0; tab < 3; ++tab) {
            window.findChild<QTabWidget*>("SSTab1")->setCurrentIndex(tab);
            for (const qreal scale : {1.0, 2.0}) {
                QPixmap picture(window.size() * scale);
                picture.setDevicePixelRatio(scale);
                window.render(&picture);
                const QString name = QString("%1/main_window_tab%2_%3x.png")
                                         .arg(SELENARC_TEST_BINARY_DIR)
                                         .arg(tab)
                                         .arg(int(scale));
                QVERIFY(picture.save(name));
            }
        }
    }
};

QTEST_MAIN(ScreenshotTest)
#include "test_screenshot.moc"
