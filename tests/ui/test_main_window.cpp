#include <QtTest>
#include <QtWidgets>
#include <clocale>

#include "app/help_text.h"
#include "app/qt/help_window.h"
#include "app/qt/main_window.h"
#include "charts/qt/dial_widget.h"
#include "interpretation/qt/interpret_window.h"
#include "qt_support/message_box.h"

using namespace selenarc;
using namespace Qt::StringLiterals;

class MainWindowTest : public QObject {
    Q_OBJECT

    std::vector<Message> messages_;  // what the window would show, recorded instead
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    T* child(const char* name) {
        T* found = window_->findChild<T*>(name);
        return found ? found : (qFatal("no child %s", name), nullptr);
    }
    void type(const char* field, const QString& text) { child<QLineEdit>(field)->setText(text); }
    void typePerson(const QStringList& entries) {
        for (int i = 0; i < entries.size(); ++i) {
            type(std::array{"t_prenom", "t_nom", "Text1", "Text2"}[i], entries[i]);
        }
    }
    // "field=text|field=text": typed into the named fields.
    void typeFields(const QString& entries) {
        for (const QString& entry : entries.split('|', Qt::SkipEmptyParts)) {
            type(qPrintable(entry.section('=', 0, 0)), entry.section('=', 1));
        }
    }
    // Jean Dupont, the default date and time, computed.
    void calculer() {
        typePerson({"Jean", "Dupont"});
        QVERIFY(window_->calculer());
    }

  private slots:
    // ctest runs this binary in the French locale of a user's machine (decimal comma, French
    // month names): without it installed, every check below would run in C and prove nothing.
    void initTestCase() {
        if (qEnvironmentVariable("LC_ALL").startsWith("fr_FR")) {
            // The C library falls back to "C" when the locale is not installed; Qt would not say so.
            QCOMPARE(QByteArray(std::setlocale(LC_ALL, nullptr)), qgetenv("LC_ALL"));
            QCOMPARE(QLocale::system().decimalPoint(), ",");
        }
    }
    void init() {
        messages_.clear();
        window_ = std::make_unique<MainWindow>(
            SELENARC_SOURCE_DIR "/data", [this](const Message& message) { messages_.push_back(message); },
            [] { return makeDateTime(2026, 12, 6, 10, 30); });
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    void cleanup() { window_.reset(); }

    // Before any run: the design's date, time and zone; nothing to plot, explain or print.
    void defaults() {
        QCOMPARE(child<QLineEdit>("Text1")->text() + child<QLineEdit>("Text2")->text(), "01/01/195012h00");
        QCOMPARE(child<QComboBox>("Combo1")->currentIndex(), 13);
        for (const char* name : {"Command2", "Command4", "Command5", "Command7"}) {
            QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
        }
    }

    // Each failed check: its message, the box's title and icon, the focus on the field at fault.
    void failedChecks_data() {
        QTest::addColumn<QStringList>("entries");  // first name, last name, date, time
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("blank first name")
            << QStringList{"   ", "", "01/01/1950", "12h00"} << "Le prénom doit être saisi"
            << "t_prenom";
        QTest::newRow("bad time") << QStringList{"Jean", "Dupont", "01/01/1950", "12:00"}
                                  << "Heure de naissance : format incorrect : __h__"
                                  << "Text2";
    }
    void failedChecks() {
        QFETCH(QStringList, entries);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        typePerson(entries);
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(messages_.size(), size_t(1));
        QCOMPARE(fromUtf8(messages_[0].text), message);
        QCOMPARE(messages_[0].title, "Erreur");
        QVERIFY(messages_[0].icon == MessageIcon::Exclamation);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
        QVERIFY(!child<QPushButton>("Command4")->isEnabled());
        QCOMPARE(child<QLineEdit>("t_prenom")->text(), entries[0]);  // never trimmed in place
    }

    // While a name holds a forbidden character, every click is refused with that name's message and
    // the focus goes back to it: nothing computed, cleared, plotted or explained.
    void forbiddenNameRefusesEveryClick_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        const QString last = "Le nom ne peut contenir les caractères * ? / \\ : & @ % ! # , ; .";
        const QString first = "Le prénom ne peut contenir les caractères * ? / \\ : & @ % ! # , ; .";
        const QStringList buttons{"Command1", "Command3", "Command4", "Command8"};
        for (const QString& button : buttons) {
            QTest::addRow("nom, %s", qPrintable(button)) << "t_nom"
                                                         << "D'Arc." << button << last;
            QTest::addRow("prénom, %s", qPrintable(button)) << "t_prenom"
                                                            << "Zoë?" << button << first;
        }
    }
    void forbiddenNameRefusesEveryClick() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QString, message);
        calculer();
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        type("s_date_0", "15/05/1975");
        window_->activateWindow();  // as a user's window is
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        auto* name = child<QLineEdit>(qPrintable(field));
        name->setFocus();
        QTRY_VERIFY(name->hasFocus());
        name->setText(text);
        const ChartSurface before = child<DialWidget>("Picture1")->surface();
        QTest::mouseClick(child<QPushButton>(qPrintable(button)), Qt::LeftButton);
        QTRY_VERIFY(!messages_.empty());
        QCoreApplication::processEvents();
        QCOMPARE(messages_.size(), size_t(1));
        QCOMPARE(fromUtf8(messages_[0].text), message);
        QTRY_VERIFY(name->hasFocus());
        QCOMPARE(name->text(), text);
        QCOMPARE(child<QLineEdit>("s_date_0")->text(), "15/05/1975");
        QVERIFY(child<DialWidget>("Picture1")->surface() == before);
        QVERIFY(InterpretWindow::current() == nullptr);
    }

    void effacerEmptiesFieldsListsAndDials() {
        calculer();
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        type("s_date_0", "15/05/1975");
        QTest::mouseClick(child<QPushButton>("Command3"), Qt::LeftButton);
        for (const char* field : {"t_prenom", "t_nom", "Text1", "Text2", "s_date_0"}) {
            QVERIFY2(child<QLineEdit>(field)->text().isEmpty(), field);
        }
        QCOMPARE(child<QComboBox>("Combo2")->count() + child<QComboBox>("Combo4")->count(), 0);
        QVERIFY(!child<QWidget>("Frame1")->isVisible());
        const ChartSurface& lunar = child<DialWidget>("Picture1")->surface();
        QVERIFY(lunar.lines.empty() && lunar.circles.empty());
        // Nothing left to plot, explain or print until the next run.
        for (const char* name : {"Command2", "Command8", "Command4", "Command5", "Command7"}) {
            QVERIFY2(!child<QPushButton>(name)->isEnabled(), name);
        }
        QVERIFY(!child<QAction>("m_rapport")->isEnabled() && !child<QAction>("m_imprimer")->isEnabled());
    }

    // Jean Dupont, then a birth whose cycles all ended before today: no dial, label, picture or
    // event of the first run is left, each dial says why it is empty, and choosing an entry of its
    // list draws that cycle (the other dials keep their note).
    void runWithoutCurrentCycleLeavesNoDial_data() {
        QTest::addColumn<int>("tab");
        QTest::newRow("cycle de vie") << 0;
        QTest::newRow("Jupiter") << 1;
        QTest::newRow("Saturne") << 2;
    }
    void runWithoutCurrentCycleLeavesNoDial() {
        QFETCH(int, tab);
        const QString dial = QString("Picture%1").arg(tab + 1);
        const QString list = QString("Combo%1").arg(tab + 2);
        calculer();
        type("s_date_0", "15/05/1975");
        type("s_pers_0", "Mariage");
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>("Command8"), Qt::LeftButton);
        QCOMPARE(child<DialWidget>("Picture1")->surface().findLabel("Texte(2)")->caption, "Mariage");
        const auto note = [this](const QString& name) { return child<QLabel>(qPrintable(name + "Note")); };
        QVERIFY(note(dial)->isHidden());

        type("Text1", "01/01/1820");
        QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
        QVERIFY(messages_.empty());
        auto* entries = child<QComboBox>(qPrintable(list));
        QVERIFY(entries->count() > 0);
        QCOMPARE(entries->currentIndex(), -1);
        const ChartSurface& surface = child<DialWidget>(qPrintable(dial))->surface();
        QVERIFY(surface.lines.empty() && surface.circles.empty());
        for (const ChartLabel& label : surface.labels) {
            QVERIFY2(!label.visible || label.name.starts_with("Label"), label.name.c_str());
        }
        for (const SignPicture& picture : surface.pictures) {
            QVERIFY2(!picture.visible, picture.name.c_str());
        }
        QVERIFY(!note(dial)->isHidden());
        QCOMPARE(note(dial)->text(),
                 "Aucun cycle ne contient la date du jour : choisissez un cycle dans la liste.");

        child<QTabWidget>("SSTab1")->setCurrentIndex(tab);
        entries->setCurrentIndex(0);
        QVERIFY(!surface.lines.empty());
        QVERIFY(note(dial)->isHidden());
        for (const QString other : {"Picture1", "Picture2", "Picture3"}) {
            QCOMPARE(note(other)->isHidden(), other == dial);
        }
        QVERIFY(!child<DialWidget>("Picture1")->surface().findLabel("Texte(2)")->visible);
    }

    // Enter in a field or the list of the strip runs "Calculer"; in an event row it runs "Ok"; on a
    // button it does nothing.
    void enterKey_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<bool>("computed");
        for (const char* field : {"t_nom", "Combo1"}) {
            QTest::newRow(field) << field << true;
        }
        QTest::newRow("button Effacer") << "Command3" << false;
    }
    void enterKey() {
        QFETCH(QString, focus);
        QFETCH(bool, computed);
        typePerson({"Jean", "Dupont"});
        auto* target = child<QWidget>(qPrintable(focus));
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
        QTest::keyClick(target, Qt::Key_Return);
        QCOMPARE(child<QPushButton>("Command4")->isEnabled(), computed);
        QVERIFY(messages_.empty());
        if (computed) {
            QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
            type("s_date_0", "15/05/1975");
            type("s_pers_0", "Mariage");
            QTest::keyClick(child<QLineEdit>("s_pers_0"), Qt::Key_Enter);
            QCOMPARE(child<DialWidget>("Picture1")->surface().findLabel("Texte(2)")->caption, "Mariage");
        }
    }

    // Closing (by the frame or "Quitter") after typing: « Enregistrer les modifications de ... ? » only
    // when the fields differ from the last save or open; "Oui" saves then closes, a failed save or
    // "Annuler" keeps the window.
    void unsavedChanges_data() {
        QTest::addColumn<QString>("saved");    // typed, then saved
        QTest::addColumn<QString>("changes");  // typed after
        QTest::addColumn<int>("answer");       // Answer; -1: no question expected
        QTest::addColumn<bool>("saveWorks");
        QTest::addColumn<bool>("closed");
        const QString jean = "t_prenom=Jean|t_nom=Dupont";
        QTest::newRow("fresh window") << ""
                                      << "" << -1 << true << true;
        QTest::newRow("only a date, no name") << ""
                                              << "Text1=02/02/1960" << -1 << true << true;
        QTest::newRow("typed, Oui") << "" << jean << int(Answer::Yes) << true << true;
        QTest::newRow("typed, Oui, save fails") << "" << jean << int(Answer::Yes) << false << false;
        QTest::newRow("typed, Annuler") << "" << jean << int(Answer::Cancel) << true << false;
        QTest::newRow("saved, then typed back") << jean << "t_nom=Durand|t_nom=Dupont" << -1 << true << true;
        QTest::newRow("saved, event row") << jean << "s_pers_3=Mère" << int(Answer::No) << true << true;
    }
    void unsavedChanges() {
        QFETCH(QString, saved);
        QFETCH(QString, changes);
        QFETCH(int, answer);
        QFETCH(bool, saveWorks);
        QFETCH(bool, closed);
        QStringList asked;
        int saves = 0;
        window_->setAskChoice([&](const Message& question) {
            asked << fromUtf8(question.text);
            return Answer(answer);
        });
        window_->setSavePerson([&] {
            ++saves;
            if (saveWorks) {
                window_->markPersonSaved();
            }
            return saveWorks;
        });
        typeFields(saved);
        if (!saved.isEmpty()) {
            QVERIFY(window_->savePerson());
        }
        typeFields(changes);
        const int savesBefore = saves;
        const bool byMenu = QTest::currentDataTag() == QByteArray("typed, Oui");
        byMenu ? child<QAction>("m_quitter")->trigger() : void(window_->close());
        QCOMPARE(asked, answer < 0 ? QStringList()
                                   : QStringList{"Enregistrer les modifications de Jean Dupont\u00A0?"});
        QCOMPARE(saves - savesBefore, answer == int(Answer::Yes) ? 1 : 0);
        QCOMPARE(window_->isVisible(), !closed);
    }

    // A screen of 700 × 500 (1400 × 1000 at 200 %): every control inside the window and wide enough
    // for its text.
    void fitsTheScreen() {
        calculer();
        QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);
        window_->resize(700, 500);
        QTRY_COMPARE(window_->size(), QSize(700, 500));
        auto* rows = child<QScrollArea>("eventRows");
        for (QWidget* widget : window_->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QLineEdit*>(widget) ||
                                 qobject_cast<QComboBox*>(widget) || qobject_cast<QLabel*>(widget);
            if (!control || !widget->isVisible() || rows->widget()->isAncestorOf(widget)) {
                continue;  // the event rows scroll inside their area
            }
            const QRect place(widget->mapTo(window_.get(), QPoint(0, 0)), widget->size());
            QVERIFY2(window_->rect().contains(place), qPrintable(widget->objectName()));
            const auto* label = qobject_cast<QLabel*>(widget);
            if (label && !label->wordWrap()) {
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
            }
            if (auto* button = qobject_cast<QPushButton*>(widget)) {
                QVERIFY2(
                    button->width() >= button->fontMetrics().horizontalAdvance(button->text().remove('&')),
                    qPrintable(button->text()));
            }
        }
    }

    // One mnemonic per menu entry and per button, none twice in a menu or among the buttons that a
    // tab page shows with the menu bar.
    void mnemonics() {
        const auto mnemonicOf = [](const QString& text) { return QKeySequence::mnemonic(text).toString(); };
        QList<QStringList> groups;
        for (QMenu* menu : window_->menuBar()->findChildren<QMenu*>()) {
            QStringList& keys = groups.emplaceBack();
            for (QAction* action : menu->actions()) {
                keys << (action->isSeparator() ? "-" : mnemonicOf(action->text()));
            }
            keys.removeAll("-");
        }
        for (int tab = 0; tab < 3; ++tab) {
            QStringList& keys = groups.emplaceBack();
            for (QAction* menu : window_->menuBar()->actions()) {
                keys << mnemonicOf(menu->text());
            }
            const QWidget* page = child<QTabWidget>("SSTab1")->widget(tab);
            for (QPushButton* button : window_->findChildren<QPushButton*>()) {
                if (page->isAncestorOf(button) || child<QWidget>("entryStrip")->isAncestorOf(button)) {
                    keys << mnemonicOf(button->text());
                }
            }
        }
        for (QStringList keys : groups) {
            QVERIFY2(!keys.contains("") && keys.removeDuplicates() == 0, qPrintable(keys.join(' ')));
        }
    }

    void helpWindowIsOneInstanceWithTheExactText() {
        HelpWindow* first = HelpWindow::showHelp();
        QCOMPARE(HelpWindow::showHelp(), first);
        QCOMPARE(first->helpText(), QString::fromUtf8(kHelpText).replace("\r\n", "\n"));
        QCOMPARE(first->windowTitle(), "Aide");
        QVERIFY(first->findChild<QPlainTextEdit*>()->isReadOnly() && !first->windowIcon().isNull());
        QTest::mouseClick(first->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        QTRY_VERIFY(HelpWindow::existing() == nullptr);
    }

    // A place typed and picked in the completion list: the zone list shows its clock and the saved row
    // nearest to it; a row chosen by hand drops the place.
    void placeThenCalculer_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("pick");  // row of the completion list
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<int>("savedRow");  // "FUS=": nearest to the standard time
        QTest::newRow("summer time") << "st eti" << 0 << "01/07/1980"
                                     << "Saint-Étienne (Loire, France)"
                                     << "Saint-Étienne : UTC+2, heure d'été" << 13;
        QTest::newRow("second of two, own mean time") << "brest" << 1 << "01/01/1880"
                                                      << "Brest (Finistère, France)"
                                                      << "Brest : UTC\u22120h17m57s, temps moyen local" << 12;
    }
    void placeThenCalculer() {
        QFETCH(QString, typed);
        QFETCH(int, pick);
        QFETCH(QString, date);
        QFETCH(QString, place);
        QFETCH(QString, clock);
        QFETCH(int, savedRow);
        typePerson({"Jean", "Dupont", date});
        auto* field = child<QLineEdit>("t_lieu");
        field->setFocus();
        QTest::keyClicks(field, typed);
        QAbstractItemView* popup = field->completer() ? field->completer()->popup() : nullptr;
        QVERIFY(popup);
        QTRY_VERIFY(popup->isVisible());
        for (int i = 0; i <= pick; ++i) {
            QTest::keyClick(popup, Qt::Key_Down);
        }
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(field->text(), place);
        QVERIFY(window_->calculer());
        auto* zones = child<QComboBox>("Combo1");
        QCOMPARE(zones->currentText(), clock);
        QCOMPARE(window_->person().timeZoneRow, savedRow);

        zones->setCurrentIndex(5);
        emit zones->activated(5);
        QVERIFY(field->text().isEmpty());
        QCOMPARE(zones->count(), 26);
        QCOMPARE(window_->person().timeZoneRow, 5);
        QVERIFY(window_->person().birthPlace.empty());
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
