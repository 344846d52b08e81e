#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/help_text.h"
#include "app/qt/help_window.h"
#include "app/qt/main_window.h"
#include "app/qt/message_box.h"
#include "charts/qt/dial_widget.h"

using namespace selenarc;

namespace {

// Records the messages the window would show, instead of opening boxes.
struct MessageLog {
    std::vector<Message> messages;
    MessageSink sink() {
        return [this](const Message& message) { messages.push_back(message); };
    }
};

CivilDateTime fixedNow() {
    return makeDateTime(2026, 12, 6, 10, 30);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

    MessageLog log_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* child(const char* name) {
        auto* found = window_->findChild<T*>(name);
        if (!found) {
            qFatal("no child %s", name);
        }
        return found;
    }
    void type(const char* field, const QString& text) { child<QLineEdit>(field)->setText(text); }

  private slots:
    void init() {
        log_.messages.clear();
        window_ = std::make_unique<MainWindow>(SELENARC_SOURCE_DIR "/data", log_.sink(), fixedNow);
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void defaults() {
        QCOMPARE(window_->windowTitle(), "Selenarc");
        QCOMPARE(child<QLineEdit>("Text1")->text(), "01/01/1950");
        QCOMPARE(child<QLineEdit>("Text2")->text(), "12h00");
        QCOMPARE(child<QLineEdit>("t_nom")->text(), "");
        auto* zones = child<QComboBox>("Combo1");
        QCOMPARE(zones->count(), 26);
        QCOMPARE(zones->currentIndex(), 13);
        QCOMPARE(zones->itemText(12),
                 "(GMT      ) Greenwich, Dublin, Lisbonne, Londres, Casablanca, Monrovia, ");
        QCOMPARE(zones->itemText(25), "(GMT +13) Nuku'alofa");
        auto* tabs = child<QTabWidget>("SSTab1");
        QCOMPARE(tabs->count(), 3);
        QCOMPARE(tabs->tabText(1), "Cycle socio-professionnel");
        QCOMPARE(tabs->currentIndex(), 0);
        for (const char* name : {"Command2", "Command4", "Command5", "Command7"}) {
            QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
        }
        QVERIFY(!child<QWidget>("Frame1")->isVisible());
    }

    void failedChecks_data() {
        QTest::addColumn<QString>("prenom");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("heure");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("blank first name") << "   "
                                          << ""
                                          << "01/01/1950"
                                          << "12h00"
                                          << "Le prénom doit être saisi"
                                          << "t_prenom";
        QTest::newRow("no last name") << "Jean"
                                      << " "
                                      << "01/01/1950"
                                      << "12h00"
                                      << "Le nom doit être saisi"
                                      << "t_nom";
        QTest::newRow("bad date and time") << "Jean"
                                           << "Dupont"
                                           << "01-01-1950"
                                           << "12H00"
                                           << "Date de naissance : format incorrect : __/__/____"
                                           << "Text1";
        QTest::newRow("short date") << "Jean"
                                    << "Dupont"
                                    << "1/1/1950"
                                    << "12h00"
                                    << "Date de naissance : format incorrect (10 caractères requis)"
                                    << "Text1";
        QTest::newRow("bad time") << "Jean"
                                  << "Dupont"
                                  << "01/01/1950"
                                  << "12:00"
                                  << "Heure de naissance : format incorrect : __h__"
                                  << "Text2";
    }
    void failedChecks() {
        QFETCH(QString, prenom);
        QFETCH(QString, nom);
        QFETCH(QString, date);
        QFETCH(QString, heure);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        type("t_prenom", prenom);
        type("t_nom", nom);
        type("Text1", date);
        type("Text2", heure);
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(log_.messages.size(), size_t(1));
        QCOMPARE(fromUtf8(log_.messages[0].text), message);
        QCOMPARE(log_.messages[0].title, "Erreur");
        QVERIFY(log_.messages[0].icon == MessageIcon::Exclamation);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!child<QPushButton>("Command4")->isEnabled());
        QCOMPARE(child<QLineEdit>("t_prenom")->text(), prenom);  // never trimmed in place
    }

    void forbiddenNameBlocksCalculer() {
        type("t_prenom", "Jeanne");
        auto* nom = child<QLineEdit>("t_nom");
        nom->setFocus();
        QTRY_VERIFY(nom->hasFocus());
        nom->setText("D'Arc.");
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        QTRY_COMPARE(log_.messages.size(), size_t(1));
        QCOMPARE(log_.messages[0].text,
                 std::string("Le nom ne peut contenir les caractères * ? / \\ : & @ % ! # , ; ."));
        QTRY_VERIFY(nom->hasFocus());
        QVERIFY(!child<QPushButton>("Command4")->isEnabled());
        // Any other click is refused the same way: "Effacer" leaves the fields alone.
        QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
        QTRY_COMPARE(log_.messages.size(), size_t(2));
        QCOMPARE(nom->text(), "D'Arc.");
    }

    void successfulRunEnablesButtons() {
        type("t_prenom", "Jean Pierre");
        type("t_nom", "Dupont-Martin");
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        for (const char* name : {"Command2", "Command4", "Command5", "Command7"}) {
            QVERIFY2(child<QPushButton>(name)->isEnabled(), name);
        }
    }

    void switchingACycleRedrawsOnlyThatDial() {
        type("t_prenom", "Jean");
        type("t_nom", "Dupont");
        QVERIFY(window_->calculer());
        const ChartSurface jupiter = child<DialWidget>("Picture2")->surface();
        const ChartSurface saturn = child<DialWidget>("Picture3")->surface();
        auto* lunar = child<DialWidget>("Picture1");
        const ChartSurface before = lunar->surface();
        auto* list = child<QComboBox>("Combo2");
        list->setCurrentIndex(list->currentIndex() == 0 ? 1 : 0);
        QVERIFY(!(lunar->surface() == before));
        QVERIFY(child<DialWidget>("Picture2")->surface() == jupiter);
        QVERIFY(child<DialWidget>("Picture3")->surface() == saturn);
        QCOMPARE(lunar->surface().findLabel("Texte(0)")->caption, "Naissance");
        QCOMPARE(lunar->surface().findLabel("Texte(1)")->caption, "Aujourd'hui");
    }

    void eventsArePlottedInRowOrderAndBadRowsBlockThePlot() {
        type("t_prenom", "Jean");
        type("t_nom", "Dupont");
        QVERIFY(window_->calculer());
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        QVERIFY(child<QWidget>("Frame1")->isVisible());
        type("s_date_0", "15/05/1975");
        type("s_pers_0", "  Mariage ");
        type("s_date_3", "02/02/1990");
        type("s_pers_3", "Naissance de Paul");
        QTest::mouseClick(child<QPushButton>("Command8"), Qt::LeftButton);
        auto* lunar = child<DialWidget>("Picture1");
        QCOMPARE(lunar->surface().findLabel("Texte(2)")->caption, "Mariage");
        QCOMPARE(lunar->surface().findLabel("Texte(3)")->caption, "Naissance de Paul");
        QVERIFY(log_.messages.empty());

        const ChartSurface plotted = lunar->surface();
        type("s_date_1", "31/02/1980");
        type("s_date_4", " 01/01/2000");
        QTest::mouseClick(child<QPushButton>("Command8"), Qt::LeftButton);
        QCOMPARE(log_.messages.size(), size_t(2));
        QCOMPARE(log_.messages[0].text, std::string("Date ligne 2 : format incorrect : __/__/____"));
        QCOMPARE(log_.messages[1].text,
                 std::string("Date ligne 5 : format incorrect (10 caractères requis)"));
        QVERIFY(lunar->surface() == plotted);
    }

    void effacerEmptiesFieldsListsAndDials() {
        type("t_prenom", "Jean");
        type("t_nom", "Dupont");
        QVERIFY(window_->calculer());
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        type("s_date_0", "15/05/1975");
        QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
        for (const char* field : {"t_prenom", "t_nom", "Text1", "Text2", "s_date_0"}) {
            QVERIFY2(child<QLineEdit>(field)->text().isEmpty(), field);
        }
        for (const char* list : {"Combo2", "Combo3", "Combo4"}) {
            QCOMPARE(child<QComboBox>(list)->count(), 0);
        }
        QVERIFY(!child<QWidget>("Frame1")->isVisible());
        QCOMPARE(child<QComboBox>("Combo1")->currentIndex(), 13);
        const ChartSurface& lunar = child<DialWidget>("Picture1")->surface();
        QVERIFY(lunar.lines.empty() && lunar.circles.empty());
        QVERIFY(lunar.findLabel("l_nl")->visible);        // the quarter names stay where they were
        QVERIFY(!lunar.findLabel("ladate(0)")->visible);  // dates and ages are hidden
        QVERIFY(child<QPushButton>("Command4")->isEnabled());
    }

    void helpWindowIsOneInstanceWithTheExactText() {
        HelpWindow* first = HelpWindow::showHelp();
        QCOMPARE(HelpWindow::showHelp(), first);
        QCOMPARE(first->helpText(), QString::fromUtf8(kHelpText).replace("\r\n", "\n"));
        QCOMPARE(first->windowTitle(), "Aide");
        QTest::mouseClick(first->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTRY_VERIFY(HelpWindow::existing() == nullptr);
    }

    void helpTextBytes() {
        const QByteArray text(kHelpText);
        QVERIFY(text.endsWith("Fichier/Ouvrir.\r\n"));
        const QList<QByteArray> lines = text.chopped(2).split('\n');
        QCOMPARE(lines.size(), 16);
        QCOMPARE(lines[6], QByteArray("\r"));
        for (int line : {10, 11, 12, 14, 15}) {
            QVERIFY2(lines[line - 1].endsWith(" \r"), QByteArray::number(line));
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
