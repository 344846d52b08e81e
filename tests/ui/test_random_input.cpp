// Random input through the real main window (offscreen): random text in the entry fields and the
// persons/events rows, random time-zone rows and cycle entries, buttons and menus in random order.
// Every message is recorded instead of shown and every step is checked against what the window must
// do. A failure names the seed and the last steps; replay it with
//   SELENARC_RANDOM_SEED=<seed> SELENARC_RANDOM_STEPS=<steps> ui_test_random_input randomRun:<profile>
#include <QPrinter>
#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <numeric>
#include <random>

#include "app/entry_validation.h"
#include "app/help_text.h"
#include "app/qt/help_window.h"
#include "app/qt/main_window.h"
#include "app/qt/message_box.h"
#include "app/qt/open_window.h"
#include "app/qt/person_files_ui.h"
#include "calendar/entry_checks.h"
#include "charts/qt/dial_widget.h"
#include "interpretation/qt/interpret_window.h"

using namespace selenarc;

namespace {

constexpr quint64 kDefaultSeed = 20261206;
constexpr int kDefaultSteps = 5000;  // about 10 s in all

const QStringList kForbidden = {"*", "?", "/", "\\", "&", "@", "%", "!", ":", "#", ",", ";", "."};
const QStringList kNamePieces = {"Jean",   "Zoë",     "Émile", "D'Arc",  "Dupont-Martin", "Œdipe",
                                 "Αλέξης", "Дмитрий", "山田",  "太郎 🌙", "🙂🎂",      "  "};
// The tables' edges, 29 February, days that do not exist.
const QStringList kEdgeDates = {"31/12/1819", "01/01/1820", "31/12/2280", "01/01/2281",
                                "29/02/2000", "29/02/1900", "29/02/2280", "29/02/1820",
                                "31/04/1950", "00/01/1950", "06/12/2026"};
const QStringList kBadShapes = {"1/1/1950", " 01/01/1950", "01-01-1950", "３１/12/1950",
                                "12H00",    "12:00",       "1h00",       ""};

const QString kSpan = "Date de naissance : hors des tables (du 01/01/1820 au 31/12/2280)";
const QStringList kNameRefused = {kFirstNameForbiddenMessage, kLastNameForbiddenMessage};
// What the date and time checks answer, after the name of the field.
const QString kReason = " : format incorrect( \\((10|5) caractères requis\\)| : __/__/____| : __h__)$";
const QRegularExpression kRowMessage("^Date ligne ([1-9]|1[0-2])" + kReason);
// Every message a step may produce; a person file that cannot be written (a 10 000-letter name) is
// reported too.
const QRegularExpression kKnownMessage(
    "^((Date|Heure) de naissance" + kReason + "|Date ligne ([1-9]|1[0-2])" + kReason +
    "|Le (pré)?nom doit être saisi$|Le fichier |Enregistrement (effectué$|impossible))");
const QStringList kKnownTexts = {kSpan, kNameRefused[0], kNameRefused[1], kAboutText};

// Draws from a Mersenne twister (a seed replays the same run), and the texts a user might type:
// forbidden characters, accents, non-Latin scripts, 10 000 characters, dates at the tables' edges,
// times 00h00..29h59 and beyond.
class Random {
  public:
    Random(quint64 seed, quint64 stream) {
        std::seed_seq sequence{seed & 0xffffffffU, seed >> 32, stream};
        engine_.seed(sequence);
    }
    int below(qsizetype n) { return static_cast<int>(engine_() % static_cast<quint64>(n)); }
    bool percent(int p) { return below(100) < p; }
    QString pick(const QStringList& items) { return items[below(items.size())]; }
    QString longText() { return (percent(50) ? "é" : pick(kNamePieces)).repeated(10000).left(10000); }
    QString name() {
        const int kind = below(10);
        QString piece = pick(kNamePieces);
        return kind == 0     ? QString()
               : kind == 1   ? longText()
               : kind == 2   ? piece.insert(below(piece.size() + 1), pick(kForbidden))
               : percent(40) ? piece + ' ' + pick(kNamePieces)
                             : piece;
    }
    QString date() {
        const int kind = below(10);
        return kind == 0   ? pick(kEdgeDates)
               : kind == 1 ? pick(kBadShapes)
               : kind == 2 ? longText()
               : kind == 3
                   ? QString::asprintf("%02d/%02d/%04d", below(40), below(20), below(3000))  // right shape
                   : validDate(1800, 500);
    }
    QString time() {
        const int kind = below(5);
        return kind == 0   ? pick(kBadShapes)
               : kind == 1 ? QString::asprintf("%02dh%02d", below(100), below(100))
                           : validTime();
    }
    QString validDate(int from, int years) {
        return QString::asprintf("%02d/%02d/%d", 1 + below(28), 1 + below(12), from + below(years));
    }
    QString validTime() { return QString::asprintf("%02dh%02d", below(30), below(60)); }

  private:
    std::mt19937_64 engine_;
};

bool hasForbidden(const QString& name) {
    return hasForbiddenNameCharacter(toUtf8(name));
}

// The messages "Calculer" may give (one of them) for these fields; none when the run must go through.
QStringList expectedRunMessages(const PersonRecord& person) {
    if (hasForbiddenNameCharacter(person.t_prenom) || hasForbiddenNameCharacter(person.t_nom)) {
        // The message of a name field at fault.
        return {kNameRefused[hasForbiddenNameCharacter(person.t_prenom) ? 0 : 1],
                kNameRefused[hasForbiddenNameCharacter(person.t_nom) ? 1 : 0]};
    }
    if (const auto failure = checkEntries(person)) {
        return {fromUtf8(failure->message)};
    }
    const int year = std::stoi(person.Text1.substr(6, 4));
    return year < 1820 || year > 2280 ? QStringList{kSpan} : QStringList{};
}

// Rows whose date is neither blank (spaces only, untrimmed) nor valid.
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
    int steps_ = kDefaultSteps;
    QStringList history_;  // the last steps, for the failure message
    QString problem_;      // the first thing the current step found wrong
    int computed_ = 0;     // so that a run that never computes anything shows
    // The steps of each group a profile weighs: typing, "Calculer", persons/events, charts, other
    // windows and menus. A step listed twice comes twice as often.
    const std::array<std::vector<std::pair<const char*, Step>>, 5> stepsByGroup_ = {{
        {{"personne valide", &Self::typeValidPerson},
         {"fuseau", &Self::pickZone},
         {"touche Tab", &Self::pressTab},
         {"saisie", &Self::typeField},
         {"saisie", &Self::typeField},
         {"saisie", &Self::typeField}},
        {{"Calculer", &Self::checkCalculer}},
        {{"Parents, relations, évenements", &Self::togglePanel},
         {"Ok", &Self::checkOk},
         {"ligne", &Self::typeEventRow},
         {"ligne", &Self::typeEventRow}},
        {{"onglet", &Self::switchTab}, {"cycle", &Self::chooseCycle}, {"dessin", &Self::paintDial}},
        {{"Effacer", &Self::checkEffacer},
         {"A propos", &Self::about},
         {"aide", &Self::useHelp},
         {"Sauvegarder", &Self::save},
         {"Ouvrir", &Self::useOpenWindow},
         {"Ouvrir", &Self::useOpenWindow},
         {"Interpréter", &Self::interpret},
         {"Imprimer ou exporter", &Self::printOrExport},
         {"Imprimer ou exporter", &Self::printOrExport}},
    }};

    template <typename T = QPushButton>
    T* child(const QString& name) const {
        T* found = window_->findChild<T*>(name);
        return found ? found : (qFatal("no child %s", qPrintable(name)), nullptr);
    }
    QLineEdit* field(const QString& name) const { return child<QLineEdit>(name); }
    QComboBox* list(int index) const { return child<QComboBox>(QString("Combo%1").arg(index)); }
    bool listsFilled() const { return list(2)->count() && list(3)->count() && list(4)->count(); }
    // A click on any button of the main window is refused while a name holds a forbidden character.
    bool clickRefused() const {
        return hasForbidden(field("t_prenom")->text()) || hasForbidden(field("t_nom")->text());
    }
    void note(const QString& what) { history_.last() += ' ' + what; }
    void expect(bool right, const QString& problem) {
        problem_ = right || !problem_.isEmpty() ? problem_ : problem;
    }
    void showTab(int tab) { child<QTabWidget>("SSTab1")->setCurrentIndex(tab); }

    // Lets queued work run (the name fields check their text just after the focus has left).
    static void settle() {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    void bringForward() {
        if (!window_->isActiveWindow()) {
            window_->activateWindow();
            (void)QTest::qWaitForWindowActive(window_.get(), 200);
        }
        settle();
    }
    // Clicks like a user (the window comes forward, the button takes the focus, then it acts) and
    // returns the messages the click gave.
    QStringList click(QWidget* widget) {
        bringForward();
        const qsizetype before = messages_.size();
        QTest::mouseClick(widget, Qt::LeftButton);
        settle();
        return messages_.mid(before);
    }
    // Typing goes where the focus is: a field that cannot be entered (a refused name keeps the focus)
    // is left as it is.
    void type(QLineEdit* target, const QString& text) {
        bringForward();
        target->setFocus(Qt::MouseFocusReason);
        settle();
        if (target->hasFocus()) {
            target->selectAll();
            target->insert(text);
        }
    }

    void typeField(Random& random) {
        // A refused name keeps the focus: most users correct it at once.
        auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (focused && (focused == field("t_prenom") || focused == field("t_nom")) &&
            hasForbidden(focused->text()) && random.percent(60)) {
            note(focused->objectName() + " corrigé");
            return type(focused, random.pick(kNamePieces));
        }
        const int which = random.below(4);
        const QString name = QStringList{"t_prenom", "t_nom", "Text1", "Text2"}[which];
        const QString text = which == 2           ? random.date()
                             : which == 3         ? random.time()
                             : random.percent(10) ? random.pick({random.date(), random.time()})
                                                  : random.name();
        note(QString("%1 := « %2 »").arg(name, text.left(40)));
        type(field(name), text);
    }
    void typeValidPerson(Random& random) {
        type(field("t_prenom"), "Jean Pierre");
        type(field("t_nom"), random.pick(kNamePieces).remove(' ') + "x");
        type(field("Text1"), random.validDate(1820, 461));
        type(field("Text2"), random.validTime());
    }
    void pickZone(Random& random) { list(1)->setCurrentIndex(random.below(26)); }
    void pressTab(Random&) {
        bringForward();
        if (QWidget* current = QApplication::focusWidget()) {
            QTest::keyClick(current, Qt::Key_Tab);
        }
    }

    // "Calculer" on the current fields: the one expected message, or the three lists filled.
    void checkCalculer(Random&) {
        const QStringList expected = expectedRunMessages(window_->person());
        const QStringList shown = click(child("Command1"));
        const bool right = expected.isEmpty()
                               ? shown.isEmpty() && listsFilled() && child("Command4")->isEnabled()
                               : shown.size() == 1 && expected.contains(shown[0]);
        computed_ += right && expected.isEmpty();
        expect(right, QString("« Calculer » a montré [%1] au lieu de [%2]")
                          .arg(shown.join(" | "), expected.join(" | ")));
    }

    void togglePanel(Random&) {
        if (child("Command2")->isEnabled()) {
            showTab(0);
            click(child("Command2"));
        }
    }
    void typeEventRow(Random& random) {
        const bool date = random.percent(60);
        const QString name =
            QString(date ? "s_date_%1" : "s_pers_%1").arg(random.below(PersonRecord::kEventRows));
        const QString text = date ? random.date() : random.name();
        note(QString("%1 := « %2 »").arg(name, text.left(40)));
        field(name)->setText(text);
    }
    // "Ok" (the panel shown first, as a user must): one message per bad row, or the name's message
    // alone when the click is refused.
    void checkOk(Random& random) {
        if (!child<QWidget>("Frame1")->isVisible()) {
            togglePanel(random);
        }
        if (child("Command8")->isVisible()) {
            const bool refused = clickRefused();
            const qsizetype rows = refused ? 0 : badEventRows(window_->person());
            const QStringList shown = click(child("Command8"));
            expect(refused ? shown.size() == 1 && kNameRefused.contains(shown[0])
                           : shown.size() == rows && shown.filter(kRowMessage).size() == rows,
                   QString("« Ok » a montré [%1] pour %2 lignes refusées").arg(shown.join(" | ")).arg(rows));
        }
    }

    void switchTab(Random& random) { showTab(random.below(3)); }
    void chooseCycle(Random& random) {
        QComboBox* cycles = list(2 + random.below(3));
        const qsizetype before = messages_.size();
        cycles->setCurrentIndex(cycles->count() ? random.below(cycles->count()) : -1);
        expect(messages_.size() == before, "choisir un cycle a montré un message");
    }
    void paintDial(Random& random) {
        auto* dial = child<DialWidget>(QString("Picture%1").arg(1 + random.below(3)));
        expect(!dial->grab().isNull(), "cadran non dessiné");
    }

    void checkEffacer(Random&) {
        const bool refused = clickRefused();  // then the click does not take place
        click(child("Command3"));
        bool cleared = !list(2)->count() && !list(3)->count() && !list(4)->count() &&
                       !child<QWidget>("Frame1")->isVisible();
        for (const char* name : {"t_prenom", "t_nom", "Text1", "Text2", "s_date_0", "s_pers_11"}) {
            cleared = cleared && field(name)->text().isEmpty();
        }
        expect(refused || cleared, "« Effacer » a laissé un champ, une liste ou le panneau");
    }
    void about(Random&) {
        const qsizetype before = messages_.size();
        child<QAction>("m_apropos")->trigger();
        settle();
        expect(messages_.mid(before) == QStringList{kAboutText}, "« A propos » n'a pas montré sa boîte");
    }
    void useHelp(Random& random) {
        if (HelpWindow* help = HelpWindow::existing(); help && random.percent(50)) {
            QTest::mouseClick(help->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        } else {
            child<QAction>("m_aide")->trigger();
        }
    }
    void save(Random&) { child<QAction>("m_sauce")->trigger(); }
    // Opens the window; or picks a line (or none) and presses "Abandonner" or "Ouvrir".
    void useOpenWindow(Random& random) {
        OpenWindow* open = OpenWindow::existing();
        if (!open) {
            return child<QAction>("m_ouvrir")->trigger();
        }
        auto* lines = open->findChild<QListWidget*>("List1");
        lines->setCurrentRow(random.below(lines->count() + 1) - 1);
        QTest::mouseClick(open->findChild<QPushButton*>(random.percent(25) ? "Command1" : "Command2"),
                          Qt::LeftButton);
    }
    void interpret(Random& random) {
        const int tab = random.below(3);
        const QString button = QStringList{"Command4", "Command5", "Command7"}[tab];
        const QString title =
            QStringList{"Cycle de vie", "Cycle socio-professionnel", "Cycle d'individuation"}[tab];
        if (child(button)->isEnabled()) {
            showTab(tab);
            const bool refused = clickRefused();  // the name's message, nothing shown
            click(child(button));
            const InterpretWindow* shown = InterpretWindow::current();
            expect(refused || (shown && shown->title() == title && !shown->plainText().isEmpty()),
                   "« Interpréter » n'a pas montré « " + title + " »");
        }
    }
    // "Imprimer" or "Exporter en PDF..." into a file, or cancelled; sometimes the window is closed.
    void printOrExport(Random& random) {
        if (InterpretWindow* shown = InterpretWindow::current()) {
            const QString pdf = scratch_.filePath("interpretation.pdf");  // the suffix makes a PDF printer
            const bool accept = random.percent(30);
            shown->setMessageSink(record_);
            shown->setPrinterChooser([accept, pdf](QPrinter& printer) {
                printer.setOutputFileName(pdf);
                return accept;
            });
            shown->setPdfFileChooser([accept, pdf] { return accept ? pdf : QString(); });
            QTest::mouseClick(shown->findChild<QPushButton*>(random.percent(50) ? "Command1" : "exportPdf"),
                              Qt::LeftButton);
            if (random.percent(30)) {
                shown->close();
            }
        }
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(scratch_.isValid());
        folder_ = prepareDataFolder(scratch_.filePath("donnees").toStdString(),
                                    std::filesystem::path(scratch_.filePath("programme").toStdString()));
        QVERIFY(folder_.usable);
        seed_ = qEnvironmentVariable("SELENARC_RANDOM_SEED", QString::number(kDefaultSeed)).toULongLong();
        steps_ = qEnvironmentVariable("SELENARC_RANDOM_STEPS", QString::number(kDefaultSteps)).toInt();
        qInfo("graine %llu, %d pas (SELENARC_RANDOM_SEED, SELENARC_RANDOM_STEPS)", seed_, steps_);
        // A dialog that opens despite the recording sinks would block the run: note it and close it.
        modalWatch_.callOnTimeout(
            this, [this] {
                if (QWidget* modal = QApplication::activeModalWidget()) {
                    unexpectedDialogs_
                        << QString("%1 « %2 »").arg(modal->metaObject()->className(), modal->windowTitle());
                    auto* dialog = qobject_cast<QDialog*>(modal);
                    dialog ? dialog->reject() : (void)modal->close();
                }
            });
        modalWatch_.start(50);
    }

    void init() {
        messages_.clear();
        unexpectedDialogs_.clear();
        history_.clear();
        problem_.clear();
        computed_ = 0;
        window_ = std::make_unique<MainWindow>(SELENARC_SOURCE_DIR "/data", record_,
                                               [] { return makeDateTime(2026, 12, 6, 10, 30); });
        connectPersonFileMenus(*window_, folder_, record_);
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

    // Single runs on the edges of what the window accepts, one per kind.
    void calculerEdges_data() {
        QTest::addColumn<QStringList>("entries");  // date, time, first name, last name, typed in this order
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("message");  // "" when the three lists must be filled
        const auto row = [](const char* tag, const QStringList& entries, int zone, const QString& message) {
            QTest::newRow(tag) << entries << zone << message;
        };
        const QString badDate = "Date de naissance : format incorrect : __/__/____";
        const QString badTime = "Heure de naissance : format incorrect : __h__";
        row("first day, far east", {"01/01/1820", "00h00", "Jean", "Dupont"}, 25, "");
        row("day before the tables", {"31/12/1819", "23h59", "Jean", "Dupont"}, 0, kSpan);
        row("last day, hour 29 west", {"31/12/2280", "29h59", "Jean", "Dupont"}, 0, "");
        row("day after the tables", {"01/01/2281", "00h00", "Jean", "Dupont"}, 25, kSpan);
        row("29 February 2280, 24h00", {"29/02/2280", "24h00", "Jean", "Dupont"}, 12, "");
        row("29 February 1900", {"29/02/1900", "12h00", "Jean", "Dupont"}, 13, badDate);
        // Ten characters, not ten bytes: the shape check fails on the letter, not on the length.
        row("fullwidth digits", {"３１/12/1950", "12h00", "Jean", "Dupont"}, 13, badDate);
        row("time with an accent", {"01/01/1950", "12é00", "Jean", "Dupont"}, 13, badTime);
        row("hour 30", {"01/01/1950", "30h00", "Jean", "Dupont"}, 13, badTime);
        row("non-Latin names", {"15/06/1985", "06h30", "Αλέξης", "太郎 🌙"}, 21, "");
        row("ten thousand letters",
            {"01/01/1950", "12h00", QString("é").repeated(10000), QString("Ж").repeated(10000)}, 13, "");
        row("blank first name", {"01/01/1950", "12h00", "   ", "Dupont"}, 13, "Le prénom doit être saisi");
        row("forbidden in first name", {"01/01/1950", "12h00", "Je:an", "Dupont"}, 13, kNameRefused[0]);
        row("forbidden in last name", {"01/01/1950", "12h00", "Jean", "Dup\\ont"}, 13, kNameRefused[1]);
    }
    void calculerEdges() {
        QFETCH(QStringList, entries);
        QFETCH(int, zone);
        QFETCH(QString, message);
        list(1)->setCurrentIndex(zone);
        for (int i = 0; i < 4; ++i) {
            type(field(QStringList{"Text1", "Text2", "t_prenom", "t_nom"}[i]), entries[i]);
        }
        Random unused(0, 0);
        checkCalculer(unused);
        QCOMPARE(problem_, QString());
        QCOMPARE(listsFilled(), message.isEmpty());
        QCOMPARE(messages_.value(messages_.size() - 1), message);
        // Whatever the outcome, the dials can be painted.
        for (const char* dial : {"Picture1", "Picture2", "Picture3"}) {
            QVERIFY(!child<DialWidget>(dial)->grab().isNull());
        }
    }

    // Long random runs, each leaning on one group of steps (weights of typing, "Calculer", the
    // persons/events panel, the charts, the other windows and menus).
    void randomRun_data() {
        QTest::addColumn<QList<int>>("profile");
        QTest::addColumn<int>("share");   // percent of the steps
        QTest::addColumn<int>("stream");  // each profile draws from its own stream of the one seed
        QTest::newRow("mixed") << QList<int>{4, 2, 2, 2, 2} << 40 << 1;
        QTest::newRow("entry fields") << QList<int>{8, 4, 0, 1, 1} << 25 << 2;
        QTest::newRow("events panel") << QList<int>{2, 1, 8, 2, 1} << 20 << 3;
        QTest::newRow("windows and files") << QList<int>{2, 1, 1, 1, 6} << 15 << 4;
    }
    void randomRun() {
        QFETCH(QList<int>, profile);
        QFETCH(int, share);
        QFETCH(int, stream);
        const int steps = std::max(1, steps_ * share / 100);
        Random random(seed_, static_cast<quint64>(stream));
        for (int i = 0; i < steps; ++i) {
            int roll = random.below(std::accumulate(profile.begin(), profile.end(), 0));
            int group = 0;
            while ((roll -= profile[group]) >= 0) {
                ++group;
            }
            const auto& [name, step] = stepsByGroup_[group][random.below(stepsByGroup_[group].size())];
            // The history keeps the last twelve steps.
            history_ = history_.mid(history_.size() - 11) << QString("%1 %2").arg(i).arg(name);
            const qsizetype before = messages_.size();
            (this->*step)(random);
            settle();
            for (const QString& text : messages_.mid(before)) {
                expect(kKnownTexts.contains(text) || kKnownMessage.match(text).hasMatch(),
                       "message inconnu « " + text + " »");
            }
            expect(unexpectedDialogs_.isEmpty(),
                   "boîte de dialogue ouverte : " + unexpectedDialogs_.join(", "));
            if (!problem_.isEmpty()) {
                QFAIL(qPrintable(QString("graine %1, pas %2 : %3\nderniers pas :\n  %4")
                                     .arg(seed_)
                                     .arg(i)
                                     .arg(problem_, history_.join("\n  "))));
            }
        }
        qInfo("graine %llu, profil %s : %d pas, %d calculs aboutis, %lld messages", seed_,
              QTest::currentDataTag(), steps, computed_, static_cast<long long>(messages_.size()));
    }
};

QTEST_MAIN(RandomInputTest)
#include "test_random_input.moc"
