#include <QtTest>
#include <QtWidgets>

#include "app/qt/main_window.h"
#include "charts/dial_geometry.h"
#include "charts/qt/dial_widget.h"
#include "charts/rim_labels.h"

using namespace selenarc;

// Twelve persons/events rows with close dates, on the real window: on every dial, whatever cycle is
// drawn, no label or sign picture covers another, and every radius tells what it stands for.
class DialLabelsTest : public QObject {
    Q_OBJECT

    static void checkDial(const ChartSurface& surface, const QString& where) {
        std::vector<std::pair<ChartBox, std::string>> placed;
        for (const ChartLabel& label : surface.labels) {
            if (label.visible) {
                placed.emplace_back(boxOf(label), label.name);
            }
        }
        for (const SignPicture& picture : surface.pictures) {
            if (picture.visible) {
                placed.emplace_back(boxOf(picture), picture.name);
            }
        }
        const ChartBox area{0, 0, surface.width, surface.height};
        for (size_t i = 0; i < placed.size(); ++i) {
            QVERIFY2(placed[i].first.inside(area), qPrintable(where + " " + placed[i].second.c_str()));
            for (size_t j = i + 1; j < placed.size(); ++j) {
                QVERIFY2(
                    !placed[i].first.overlaps(placed[j].first),
                    qPrintable(where + " " + placed[i].second.c_str() + " / " + placed[j].second.c_str()));
            }
        }
        const DialGeometry g = dialGeometry(surface);
        for (const ChartLine& line : surface.lines) {
            const bool radius = line.x1 == g.X && line.y1 == g.Y;
            QVERIFY2(!radius || !line.tooltip.empty(), qPrintable(where + " radius without a note"));
        }
    }

  private slots:
    void noLabelHidesAnother_data() {
        QTest::addColumn<QStringList>("birth");  // date, time, time-zone row
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDate>("firstEvent");
        QTest::addColumn<int>("daysApart");
        const QDateTime late2026(QDate(2026, 12, 6), QTime(10, 30));
        // One progressed lunation after birth: the events gather at the birth's phase.
        QTest::newRow("events at the phase of birth")
            << QStringList{"01/01/1950", "12h00", "13"} << late2026 << QDate(1979, 6, 20) << 7;
        // Today a few days into a Saturn cycle, "Aujourd'hui" beside "Naissance".
        QTest::newRow("today at the start of a Saturn cycle")
            << QStringList{"01/01/1950", "12h00", "13"} << QDateTime(QDate(2008, 12, 10), QTime(9, 0))
            << QDate(2008, 10, 1) << 3;
        QTest::newRow("today at the start of a Jupiter cycle")
            << QStringList{"01/01/1950", "12h00", "13"} << QDateTime(QDate(2009, 10, 2), QTime(9, 0))
            << QDate(1950, 1, 2) << 1;
        QTest::newRow("leap-day birth, events a day apart")
            << QStringList{"29/02/1992", "23h59", "25"} << late2026 << QDate(2021, 8, 1) << 1;
    }
    void noLabelHidesAnother() {
        QFETCH(QStringList, birth);
        QFETCH(QDateTime, now);
        QFETCH(QDate, firstEvent);
        QFETCH(int, daysApart);
        const CivilDateTime today =
            makeDateTime(now.date().year(), now.date().month(), now.date().day(), now.time().hour(), 0);
        MainWindow window(
            SELENARC_SOURCE_DIR "/data", [](const Message&) {}, [today] { return today; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto child = [&](const QString& name) { return window.findChild<QWidget*>(name); };
        static_cast<QLineEdit*>(child("t_prenom"))->setText("Anne");
        static_cast<QLineEdit*>(child("t_nom"))->setText("Martin");
        static_cast<QLineEdit*>(child("Text1"))->setText(birth[0]);
        static_cast<QLineEdit*>(child("Text2"))->setText(birth[1]);
        static_cast<QComboBox*>(child("Combo1"))->setCurrentIndex(birth[2].toInt());
        QVERIFY(window.calculer());
        for (int i = 0; i < 12; ++i) {
            static_cast<QLineEdit*>(child(QString("s_date_%1").arg(i)))
                ->setText(firstEvent.addDays(i * daysApart).toString("dd/MM/yyyy"));
            static_cast<QLineEdit*>(child(QString("s_pers_%1").arg(i)))
                ->setText(i % 3 ? QString("Événement %1").arg(i + 1) : "Grand-mère maternelle Joséphine");
        }
        auto* cycles = static_cast<QComboBox*>(child("Combo2"));
        for (int shown = 0; shown < cycles->count(); ++shown) {
            cycles->setCurrentIndex(shown);
            QTest::mouseClick(static_cast<QPushButton*>(child("Command8")), Qt::LeftButton);
            const ChartSurface& lunar = static_cast<DialWidget*>(child("Picture1"))->surface();
            for (int i = 0; i < 14; ++i) {
                QVERIFY(lunar.findLabel(QString("Texte(%1)").arg(i).toStdString())->visible);
            }
            QCOMPARE(lunar.findLabel("Texte(0)")->caption, "Naissance");
            QCOMPARE(lunar.findLabel("Texte(1)")->caption, "Aujourd'hui");
            checkDial(lunar, QString("cycle de vie %1").arg(shown + 1));
        }
        for (const auto& [list, dial] : {std::pair{"Combo3", "Picture2"}, std::pair{"Combo4", "Picture3"}}) {
            auto* planetCycles = static_cast<QComboBox*>(child(list));
            for (int shown = 0; shown < planetCycles->count(); ++shown) {
                planetCycles->setCurrentIndex(shown);
                checkDial(static_cast<DialWidget*>(child(dial))->surface(),
                          QString("%1 %2").arg(dial).arg(shown));
            }
        }
    }
};

QTEST_MAIN(DialLabelsTest)
#include "test_dial_labels.moc"
