// Random input through the real main window (offscreen): random text in the entry fields and the
// persons/events rows, random time-zone rows and cycle entries, buttons and menus in random order.
// Every message is recorded instead of shown and every step is checked against what the window must
// do. A failure names the seed and the last steps; replay it with
//   SELENARC_RANDOM_SEED=<seed> SELENARC_RANDOM_STEPS=<steps> ui_test_random_input randomRun:<profile>
#include <QPrinter>
#include <QtTest>
#include <QtWidgets>
#include <random>

#include "app/help_text.h"
#include "app/qt/help_window.h"
#include "app/qt/main_window.h"
#include "app/qt/open_window.h"
#include "app/qt/person_files_ui.h"
#include "calendar/entry_checks.h"
#include "charts/qt/dial_widget.h"
#include "interpretation/qt/interpret_window.h"
#include "qt_support/message_box.h"

using namespace selenarc;

namespace {

constexpr quint64 kDefaultSeed = 20261206;
constexpr int kDefaultSteps = 5000;  // about 10 s in all

const QStringList kForbidden = {"*", "?", "/", "\\", "&", "@", "%", "!", ":", "#", ",", ";", "."};
const QStringList kNamePieces = {"Jean",   "Zoë",     "Émile", "D'Arc",  "Dupont-Martin", "Œdipe",
                                 "Αλέξης", "Дмитрий", "山田",  "太郎 🌙", "🙂🎂",      "  "};
// The tables' edges, 29 February, days that do not exist, and shapes the checks refuse.
const QStringList kEdgeDates = {"31/12/1819", "01/01/1820", "31/12/2280", "01/01/2281", "29/02/2000",
                                "29/02/1900", "29/02/2280", "31/04/1950", "00/01/1950"};
const QStringList kBadShapes = {"1/1/1950", " 01/01/1950", "01-01-1950", "３１/12/1950",
                                "12H00",    "12:00",       "1h00",       ""};

const QString kSpan = "Date de naissance : hors des tables (du 01/01/1820 au 31/12/2280)";
const QStringList kNameRefused = {kFirstNameForbiddenMessage, kLastNameForbiddenMessage};
// What the date and time checks answer, after the name of the field.
const QString kReason = " : format incorrect( \\((10|5) caractères requis\\)| : __/__/____| : __h__)$";
const QRegularExpression kRowMessage("^Date ligne ([1-9]|1[0-2])" + kReason);
// Every message a step may give; a person file that cannot be written (a 10 000-letter name) too.
const QRegularExpression kKnownMessage(
    "^((Date|Heure) de naissance" + kReason + "|Date ligne ([1-9]|1[0-2])" + kReason +
    "|Le (pré)?nom doit être saisi$|Le fichier |Enregistrement (effectué$|impossible))");
const QStringList kTitles = {"Cycle de vie", "Cycle socio-professionnel", "Cycle d'individuation"};
const QStringList kInterpretButtons = {"Command4", "Command5", "Command7"};
const QStringList kKnownTexts = {kSpan, kNameRefused[0], kNameRefused[1], kAboutText};

// A Mersenne twister (a seed replays the same run) and the texts a user might type.
struct Random {
    std::mt19937_64 engine;
    int below(qsizetype n) { return static_cast<int>(engine() % static_cast<quint64>(n)); }
    bool percent(int p) { return below(100) < p; }
    QString pick(const QStringList& items) { return items[below(items.size())]; }
    QString longText() { return (percent(50) ? "é" : pick(kNamePieces)).repeated(10000).left(10000); }
    // Empty, 10 000 characters, a forbidden character inside, two pieces or one.
    QString name() {
        QString piece = pick(kNamePieces),
                forbidden = QString(piece).insert(below(piece.size() + 1), pick(kForbidden));
        return QStringList{"", longText(), forbidden, piece + ' ' + pick(kNamePieces),
                           piece}[std::min(below(10), 4)];
    }
    // An edge, a refused shape, 10 000 characters, the right shape with any numbers, a plain date.
    QString date() {
        const QString numbers = QString::asprintf("%02d/%02d/%04d", below(40), below(20), below(3000));
        return QStringList{pick(kEdgeDates), pick(kBadShapes), longText(), numbers,
                           validDate(1800, 500)}[std::min(below(10), 4)];
    }
    QString validDate(int from, int years) {
        return QString::asprintf("%02d/%02d/%d", 1 + below(28), 1 + below(12), from + below(years));
    }
    // 00h00..29h59 mostly, sometimes beyond or of a refused shape.
    QString time() {
        return percent(20) ? pick(kBadShapes)
                           : QString::asprintf("%02dh%02d", below(percent(25) ? 100 : 30), below(60));
    }
};

// The messages "Calculer" may give (one of them) for these fields; none when the run must go through.
QStringList expectedRunMessages(const PersonRecord& person) {
    const bool first = hasForbiddenNameCharacter(person.firstName);
    if (first || hasForbiddenNameCharacter(person.lastName)) {
        return {kNameRefused[first ? 0 : 1],
                kNameRefused[hasForbiddenNameCharacter(person.lastName) ? 1 : 0]};
    }
    if (const auto failure = checkEntries(person)) {
        return {fromUtf8(failure->message)};
    }
    const std::string year = person.birthDate.substr(6);
    return year < "1820" || year > "2280" ? QStringList{kSpan} : QStringList{};
}

// Rows whose date is neither blank (spaces only) nor valid.
qsizetype badEventRows(const PersonRecord& person) {
    return std::count_if(person.events.begin(), person.events.end(), [](const EventRow& row) {
        return row.date.find_first_not_of(' ') != std::string::npos && !CheckDateText(row.date).empty();
    });
}

}  // namespace

class RandomInputTest : public QObject {
    Q_OBJECT

    using Self = RandomInputTest;
    using Step = void (Self::*)(Random&);

    QTemporaryDir scratch_;
    DataFolder folder_;
    QStringList messages_;  // the texts of the messages shown, in order
    MessageSink record_ = [this](const Message& message) { messages_ << fromUtf8(message.text); };
    std::unique_ptr<MainWindow> window_;
    QTimer modalWatch_;
    QStringList unexpectedDialogs_;
    quint64 seed_ = kDefaultSeed;
    int stepCount_ = kDefaultSteps;
    QStringList history_;  // the last steps, for the failure message
    QString problem_;      // the first thing the current step found wrong
    // The steps a profile weighs (the history names them by their index).
    const std::array<Step, 9> steps_ = {&Self::typeField,     &Self::checkCalculer, &Self::useEventsPanel,
                                        &Self::chooseCycle,   &Self::checkEffacer,  &Self::useMenu,
                                        &Self::useOpenWindow, &Self::interpret,     &Self::printOrExport};

    template <typename T = QPushButton>
    T* child(const QString& name) const {
        T* found = window_->findChild<T*>(name);
        return found ? found : (qFatal("no child %s", qPrintable(name)), nullptr);
    }
    QLineEdit* field(const QString& name) const { return child<QLineEdit>(name); }
    QComboBox* list(int index) const { return child<QComboBox>(QString("Combo%1").arg(index)); }
    bool listsFilled() const { return list(2)->count() && list(3)->count() && list(4)->count(); }
    static bool hasForbidden(const QString& name) { return hasForbiddenNameCharacter(toUtf8(name)); }
    bool nameRefused() const { return hasForbidden(field("t_prenom")->text() + field("t_nom")->text()); }
    void expect(bool right, const QString& what) {
        problem_ = right || !problem_.isEmpty() ? problem_ : what;
    }
    void showTab(int tab) { child<QTabWidget>("SSTab1")->setCurrentIndex(tab); }
    // Brings the window forward and lets queued work run (the name fields check their text just after the
    // focus has left).
    void settle() {
        window_->activateWindow();
        (void)QTest::qWaitForWindowActive(window_.get(), 200);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    // Clicks a main-window button like a user (it takes the focus, then acts) and returns the messages it
    // gave. Any click is refused, with the name's message alone, while a name holds a forbidden character.
    QStringList click(QPushButton* button) {
        const bool refused = nameRefused();
        settle();
        const qsizetype before = messages_.size();
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
        const QStringList shown = messages_.mid(before);
        expect(!refused || (shown.size() == 1 && kNameRefused.contains(shown[0])),
               QString("« %1 » a montré [%2] malgré un nom refusé").arg(button->text(), shown.join(" | ")));
        return shown;
    }
    // Typing goes where the focus is: a field that cannot be entered (a refused name keeps the focus) is left
    // as it is.
    void type(QLineEdit* target, const QString& text) {
        history_.last() += QString(" %1 := « %2 »").arg(target->objectName(), text.left(40));
        settle();
        target->setFocus(Qt::MouseFocusReason);
        settle();
        if (target->hasFocus()) {
            target->selectAll();
            target->insert(text);
        }
    }

    // A field, a time-zone row, the Tab key or a whole valid person.
    void typeField(Random& random) {
        auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        const int which = random.below(8);
        if (focused && hasForbidden(focused->text()) && random.percent(60)) {
            // Most users correct a refused name at once.
            type(focused, random.pick(kNamePieces));
        } else if (which < 4) {
            const QString text = which == 2 ? random.date() : which == 3 ? random.time() : random.name();
            type(field(QStringList{"t_prenom", "t_nom", "Text1", "Text2"}[which]), text);
        } else if (which == 4) {
            list(1)->setCurrentIndex(random.below(26));
        } else if (which == 5 && focused) {
            QTest::keyClick(focused, Qt::Key_Tab);
        } else if (which > 5) {
            type(field("t_prenom"), "Jean Pierre");
            type(field("t_nom"), random.pick(kNamePieces).remove(' ') + "x");
            type(field("Text1"), random.validDate(1820, 461));
            type(field("Text2"), QString::asprintf("%02dh%02d", random.below(30), random.below(60)));
        }
    }

    // "Calculer" on the current fields: the one expected message, or the three lists filled.
    void checkCalculer(Random&) {
        const QStringList expected = expectedRunMessages(window_->person());
        const QStringList shown = click(child("Command1"));
        const bool right = shown.isEmpty() ? expected.isEmpty() && listsFilled()
                                           : shown.size() == 1 && expected.contains(shown[0]);
        expect(right,
               QString("« Calculer » : [%1] au lieu de [%2]").arg(shown.join(" | "), expected.join(" | ")));
    }

    // A row typed in, or the panel shown or hidden, or "Ok": one message per bad row.
    void useEventsPanel(Random& random) {
        if (const bool date = random.percent(40); random.percent(50)) {
            auto* row = field(
                QString("s_%1_%2").arg(date ? "date" : "pers").arg(random.below(PersonRecord::kEventRows)));
            row->setText(date ? random.date() : random.name());
        } else if ((!child<QWidget>("Frame1")->isVisible() || random.percent(20)) &&
                   child("Command2")->isEnabled()) {
            showTab(0);
            click(child("Command2"));
        } else if (child("Command8")->isVisible() && !nameRefused()) {
            const qsizetype rows = badEventRows(window_->person());
            const QStringList shown = click(child("Command8"));
            expect(shown.size() == rows && shown.filter(kRowMessage).size() == rows,
                   QString("« Ok » a montré [%1] pour %2 lignes refusées").arg(shown.join(" | ")).arg(rows));
        }
    }

    // A cycle entry on a tab: the dial still paints.
    void chooseCycle(Random& random) {
        const int tab = random.below(3);
        showTab(tab);
        list(2 + tab)->setCurrentIndex(list(2 + tab)->count() ? random.below(list(2 + tab)->count()) : -1);
        expect(!child<DialWidget>(QString("Picture%1").arg(1 + tab))->grab().isNull(), "cadran non dessiné");
    }

    void checkEffacer(Random&) {
        const bool refused = nameRefused();  // then the click does not take place
        click(child("Command3"));
        int left =
            list(2)->count() + list(3)->count() + list(4)->count() + child<QWidget>("Frame1")->isVisible();
        for (const char* name : {"t_prenom", "t_nom", "Text1", "Text2", "s_date_0", "s_pers_11"}) {
            left += field(name)->text().size();
        }
        expect(refused || left == 0, "« Effacer » a laissé un champ, une liste ou le panneau");
    }
    // "A propos" (its box and nothing else), "Sauvegarder", "Ouvrir" or the help.
    void useMenu(Random& random) {
        const QString action = random.pick({"m_apropos", "m_sauce", "m_ouvrir", "m_aide"});
        const qsizetype before = messages_.size();
        child<QAction>(action)->trigger();
        settle();
        expect(action != "m_apropos" || messages_.mid(before) == QStringList{kAboutText}, "« A propos »");
    }
    // Picks a line (or none) of the open window and presses "Abandonner" or "Ouvrir".
    void useOpenWindow(Random& random) {
        if (OpenWindow* open = OpenWindow::existing()) {
            auto* lines = open->findChild<QListWidget*>("List1");
            lines->setCurrentRow(random.below(lines->count() + 1) - 1);
            open->findChild<QPushButton*>(random.percent(25) ? "Command1" : "Command2")->click();
        }
    }
    void interpret(Random& random) {
        const int tab = random.below(3);
        if (QPushButton* button = child(kInterpretButtons[tab]); button->isEnabled()) {
            showTab(tab);
            const bool refused = nameRefused();
            click(button);
            const InterpretWindow* shown = InterpretWindow::current();
            expect(refused || (shown && shown->title() == kTitles[tab] && !shown->plainText().isEmpty()),
                   "« Interpréter » n'a pas montré « " + kTitles[tab] + " »");
        }
    }
    // "Imprimer" or "Exporter en PDF..." into a file, or cancelled; sometimes the window is closed.
    void printOrExport(Random& random) {
        if (InterpretWindow* shown = InterpretWindow::current()) {
            const QString pdf = scratch_.filePath("interpretation.pdf");  // the suffix makes a PDF printer
            const bool accept = random.percent(30);
            shown->setMessageSink(record_);
            shown->setPrinterChooser([=](QPrinter& p) { return p.setOutputFileName(pdf), accept; });
            shown->setPdfFileChooser([=] { return accept ? pdf : QString(); });
            shown->findChild<QPushButton*>(random.percent(50) ? "Command1" : "exportPdf")->click();
            random.percent(30) && shown->close();
        }
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        folder_ = prepareDataFolder(scratch_.filePath("donnees").toStdString(),
                                    std::filesystem::path(scratch_.filePath("programme").toStdString()));
        QVERIFY(folder_.usable);
        seed_ = qEnvironmentVariable("SELENARC_RANDOM_SEED", QString::number(kDefaultSeed)).toULongLong();
        stepCount_ = qEnvironmentVariable("SELENARC_RANDOM_STEPS", QString::number(kDefaultSteps)).toInt();
        qInfo("graine %llu, %d pas (SELENARC_RANDOM_SEED, SELENARC_RANDOM_STEPS)", seed_, stepCount_);
        // A dialog that opens despite the recording sinks would block the run: note it and close it.
        modalWatch_.callOnTimeout(
            this, [this] {
                if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    unexpectedDialogs_
                        << QString("%1 « %2 »").arg(modal->metaObject()->className(), modal->windowTitle());
                    modal->reject();
                }
            });
        modalWatch_.start(50);
    }

    void init() {
        messages_.clear();
        unexpectedDialogs_.clear();
        history_ = QStringList{"début"};
        problem_.clear();
        window_ = std::make_unique<MainWindow>(SELENARC_SOURCE_DIR "/data", record_,
                                               [] { return makeDateTime(2026, 12, 6, 10, 30); });
        connectPersonFileMenus(*window_, folder_, record_, [](const Message&) { return true; });
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() {
        delete OpenWindow::existing();
        delete HelpWindow::existing();
        delete InterpretWindow::current();
        window_.reset();
        QVERIFY2(unexpectedDialogs_.isEmpty(), qPrintable(unexpectedDialogs_.join(", ")));
    }

    // Long random runs, each weighing the steps (in the order of steps_) its own way.
    void randomRun_data() {
        QTest::addColumn<QList<int>>("profile");  // the weight of each step
        QTest::addColumn<int>("share");           // percent of the steps
        QTest::newRow("mixed") << QList<int>{4, 2, 2, 2, 1, 1, 1, 1, 1} << 40;
        QTest::newRow("entry fields") << QList<int>{16, 8, 0, 2, 1, 0, 0, 1, 0} << 25;
        QTest::newRow("events panel") << QList<int>{4, 2, 16, 4, 1, 0, 0, 1, 0} << 20;
        QTest::newRow("windows and files") << QList<int>{4, 2, 2, 2, 2, 3, 3, 2, 2} << 15;
    }
    void randomRun() {
        QFETCH(QList<int>, profile);
        QFETCH(int, share);
        Random random{std::mt19937_64(seed_ ^ std::hash<std::string_view>{}(QTest::currentDataTag()))};
        std::discrete_distribution<int> pickStep(profile.begin(), profile.end());
        for (int i = 0; i < std::max(1, stepCount_ * share / 100); ++i) {
            const int which = pickStep(random.engine);
            history_ = history_.mid(history_.size() - 11) << QString("pas %1 : étape %2").arg(i).arg(which);
            const qsizetype before = messages_.size();
            (this->*steps_[which])(random);
            settle();
            for (const QString& text : messages_.mid(before)) {
                expect(kKnownTexts.contains(text) || kKnownMessage.match(text).hasMatch(),
                       "message inconnu « " + text + " »");
            }
            expect(unexpectedDialogs_.isEmpty(), "dialogue : " + unexpectedDialogs_.join(", "));
            if (!problem_.isEmpty()) {
                const QString where = QString("graine %1, pas %2 : ").arg(seed_).arg(i);
                QFAIL(qPrintable(where + problem_ + "\nderniers pas :\n  " + history_.join("\n  ")));
            }
        }
    }
};

QTEST_MAIN(RandomInputTest)
#include "test_random_input.moc"
