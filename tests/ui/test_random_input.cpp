// Random input through the real main window (offscreen): random text in the entry fields and the
// persons/events rows, random time-zone rows and cycle entries, buttons and menus in random order.
// Every message the window would show is recorded instead of opening a box, and every step is checked
// against what the window must do. A failure names the seed and the step; replay it with
//   SELENARC_RANDOM_SEED=<seed> SELENARC_RANDOM_STEPS=<steps> ui_test_random_input randomRun:<profile>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

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

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

constexpr quint64 kDefaultSeed = 20261206;
// About 10 s in the normal build, 10 s under the sanitizers too.
constexpr int kDefaultSteps = kSanitized ? 5000 : 10000;

const std::string kSpanMessage = "Date de naissance : hors des tables (du 01/01/1820 au 31/12/2280)";
constexpr int kFirstTableYear = 1820;
constexpr int kLastTableYear = 2280;

CivilDateTime fixedNow() {
    return makeDateTime(2026, 12, 6, 10, 30);
}

quint64 environmentNumber(const char* name, quint64 fallback) {
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

// Draws from a Mersenne twister (defined bit for bit by the C++ standard, so a seed replays anywhere).
class Random {
  public:
    Random(quint64 seed, quint64 stream) {
        std::seed_seq sequence{seed & 0xffffffffU, seed >> 32, stream};
        engine_.seed(sequence);
    }
    int below(int n) { return static_cast<int>(engine_() % static_cast<quint64>(n)); }
    bool percent(int p) { return below(100) < p; }
    template <typename T, size_t N>
    const T& pick(const std::array<T, N>& items) {
        return items[below(static_cast<int>(N))];
    }

  private:
    std::mt19937_64 engine_;
};

QString twoDigits(int n) {
    return QString::number(n).rightJustified(2, '0');
}

const std::array<const char*, 13> kForbidden = {"*", "?", "/", "\\", "&", "@", "%",
                                                "!", ":", "#", ",",  ";", "."};
const std::array<const char*, 16> kNamePieces = {
    "Jean",    "Dupont", "Zoë",    "Émile",    "D'Arc", "Dupont-Martin", "Ørsted", "François", "Αλέξης",
    "Дмитрий", "山田",   "太郎 🌙", "🙂🎂", "  ",    "Jean Pierre",   "Œdipe"};
// Dates that sit on the tables' edges and on 29 February.
const std::array<const char*, 14> kEdgeDates = {
    "31/12/1819", "01/01/1820", "31/12/2280", "01/01/2281", "29/02/2000", "29/02/1900", "29/02/2280",
    "29/02/2100", "28/02/2281", "01/01/1950", "31/04/1950", "00/01/1950", "06/12/2026", "29/02/1820"};
const std::array<const char*, 9> kBadShapes = {
    "1/1/1950", " 01/01/1950", "01-01-1950", "01/01/1950 ", "３１/12/1950", "12H00", "12:00", "1h00", ""};

QString longText(Random& random) {
    const QString unit = random.percent(50) ? QString("é") : QString::fromUtf8(random.pick(kNamePieces));
    QString text = unit.repeated(10000 / std::max<qsizetype>(1, unit.size()) + 1);
    text.truncate(10000);
    return text;
}

QString randomName(Random& random) {
    switch (random.below(10)) {
        case 0:
            return {};
        case 1:
            return longText(random);
        case 2: {  // a plausible name with one forbidden character somewhere
            QString name = QString::fromUtf8(random.pick(kNamePieces));
            name.insert(random.below(static_cast<int>(name.size()) + 1),
                        QString::fromUtf8(random.pick(kForbidden)));
            return name;
        }
        default: {
            QString name = QString::fromUtf8(random.pick(kNamePieces));
            if (random.percent(40)) {
                name += ' ' + QString::fromUtf8(random.pick(kNamePieces));
            }
            return name;
        }
    }
}

QString randomDate(Random& random) {
    switch (random.below(10)) {
        case 0:
            return QString::fromUtf8(random.pick(kEdgeDates));
        case 1:
            return QString::fromUtf8(random.pick(kBadShapes));
        case 2:
            return longText(random);
        case 3:  // anything the position table lets through, existing date or not
            return twoDigits(random.below(40)) + '/' + twoDigits(random.below(20)) + '/' +
                   QString::number(random.below(3000)).rightJustified(4, '0');
        default:  // an existing date, mostly inside the tables
            return twoDigits(1 + random.below(28)) + '/' + twoDigits(1 + random.below(12)) + '/' +
                   QString::number(1800 + random.below(500));
    }
}

QString randomTime(Random& random) {
    switch (random.below(5)) {
        case 0:
            return QString::fromUtf8(random.pick(kBadShapes));
        case 1:
            return twoDigits(random.below(100)) + 'h' + twoDigits(random.below(100));
        default:
            return twoDigits(random.below(30)) + 'h' + twoDigits(random.below(60));
    }
}

QString anyText(Random& random) {
    switch (random.below(3)) {
        case 0:
            return randomName(random);
        case 1:
            return randomDate(random);
        default:
            return randomTime(random);
    }
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.rfind(prefix, 0) == 0;
}

// What the date and time checks may answer, with the prefix of the field.
bool isCheckMessage(const std::string& text, const std::string& prefix) {
    for (const char* reason : {"format incorrect (10 caractères requis)", "format incorrect : __/__/____",
                               "format incorrect (5 caractères requis)", "format incorrect : __h__"}) {
        if (text == prefix + reason) {
            return true;
        }
    }
    return false;
}

bool isEventRowMessage(const std::string& text) {
    for (int row = 1; row <= PersonRecord::kEventRows; ++row) {
        if (isCheckMessage(text, "Date ligne " + std::to_string(row) + " : ")) {
            return true;
        }
    }
    return false;
}

bool isRunMessage(const std::string& text) {
    return text == "Le prénom doit être saisi" || text == "Le nom doit être saisi" || text == kSpanMessage ||
           text == kFirstNameForbiddenMessage || text == kLastNameForbiddenMessage ||
           isCheckMessage(text, "Date de naissance : ") || isCheckMessage(text, "Heure de naissance : ");
}

// Every message any step may produce; a person file that cannot be written (a 10 000-letter name)
// is reported too.
bool isKnownMessage(const std::string& text) {
    return isRunMessage(text) || isEventRowMessage(text) || text == "Enregistrement effectué" ||
           text == kAboutText || startsWith(text, "Le fichier ") ||
           startsWith(text, "Enregistrement impossible");
}

// The message "Calculer" must give for the fields as they are; "" when the run must go through.
std::string expectedRunMessage(const PersonRecord& person) {
    if (hasForbiddenNameCharacter(person.t_prenom) || hasForbiddenNameCharacter(person.t_nom)) {
        return "forbidden";  // the message of the name field that was left
    }
    if (const auto failure = checkEntries(person)) {
        return failure->message;
    }
    const int year = std::stoi(person.Text1.substr(6, 4));
    return year < kFirstTableYear || year > kLastTableYear ? kSpanMessage : "";
}

int badEventRows(const PersonRecord& person) {
    int bad = 0;
    for (const EventRow& row : person.events) {
        // An empty row is one of spaces only; the untrimmed text is checked.
        if (row.date.find_first_not_of(' ') != std::string::npos && !CheckDateText(row.date).empty()) {
            ++bad;
        }
    }
    return bad;
}

// Weights of the kinds of step in one random run.
struct Profile {
    int typing = 0;  // entry fields, time zone, Tab key
    int calculer = 0;
    int events = 0;   // rows, "Ok", the panel button
    int charts = 0;   // tabs, cycle lists, painting the dials
    int windows = 0;  // menus, help, Ouvrir, interpretations, "Effacer"
};

}  // namespace

Q_DECLARE_METATYPE(Profile)

class RandomInputTest : public QObject {
    Q_OBJECT

    QTemporaryDir scratch_;
    DataFolder folder_;
    std::vector<Message> messages_;
    std::unique_ptr<MainWindow> window_;
    QTimer modalWatch_;
    QStringList unexpectedDialogs_;
    quint64 seed_ = kDefaultSeed;
    int steps_ = kDefaultSteps;
    std::deque<QString> history_;  // the last steps, for the failure message
    // What a random run got done, so that a run that never computes anything shows.
    struct Tally {
        int runs = 0, computed = 0, plotted = 0, interpreted = 0, opened = 0;
    } tally_;

    template <typename T>
    T* child(const char* name) const {
        auto* found = window_->findChild<T*>(name);
        if (!found) {
            qFatal("no child %s", name);
        }
        return found;
    }
    QLineEdit* field(const QString& name) const { return child<QLineEdit>(name.toUtf8().constData()); }
    QComboBox* list(const char* name) const { return child<QComboBox>(name); }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }
    bool listsFilled() const {
        return list("Combo2")->count() > 0 && list("Combo3")->count() > 0 && list("Combo4")->count() > 0;
    }

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
    // Clicks like a user: the window comes forward, the button takes the focus, then it acts.
    void click(QWidget* widget) {
        bringForward();
        QTest::mouseClick(widget, Qt::LeftButton);
        settle();
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

    // "Calculer" on the current fields; "" when the window did what it must.
    QString checkCalculer() {
        const PersonRecord person = window_->person();
        const std::string expected = expectedRunMessage(person);
        const size_t before = messages_.size();
        click(button("Command1"));
        ++tally_.runs;
        const std::vector<Message> shown(messages_.begin() + static_cast<long>(before), messages_.end());
        if (expected.empty()) {
            if (!shown.empty()) {
                return "un calcul valide a montré « " + fromUtf8(shown.front().text) + " »";
            }
            if (!listsFilled() || !button("Command4")->isEnabled()) {
                return "un calcul valide n'a pas rempli les trois listes";
            }
            ++tally_.computed;
            return {};
        }
        if (shown.size() != 1) {
            return QString("%1 messages au lieu d'un (attendu « %2 »)")
                .arg(shown.size())
                .arg(fromUtf8(expected));
        }
        const std::string& text = shown.front().text;
        const bool right =
            expected == "forbidden"
                ? (text == kFirstNameForbiddenMessage && hasForbiddenNameCharacter(person.t_prenom)) ||
                      (text == kLastNameForbiddenMessage && hasForbiddenNameCharacter(person.t_nom))
                : text == expected;
        if (!right) {
            return "message « " + fromUtf8(text) + " » au lieu de « " + fromUtf8(expected) + " »";
        }
        return {};
    }

    // Shows the persons/events panel, as a user must before typing in it or pressing "Ok".
    void showPanel() {
        if (button("Command2")->isEnabled() && !child<QWidget>("Frame1")->isVisible()) {
            child<QTabWidget>("SSTab1")->setCurrentIndex(0);
            click(button("Command2"));
        }
    }

    // A name field that holds a forbidden character and the focus: the next click elsewhere is refused
    // with the field's message.
    bool nameRefused() const {
        const auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        return focused && (focused == field("t_prenom") || focused == field("t_nom")) &&
               hasForbiddenNameCharacter(toUtf8(focused->text()));
    }

    // A click on any button of the main window is refused while a name holds a forbidden character.
    bool clickRefused() const {
        return hasForbiddenNameCharacter(toUtf8(field("t_prenom")->text())) ||
               hasForbiddenNameCharacter(toUtf8(field("t_nom")->text()));
    }

    QString checkOk() {
        showPanel();
        auto* ok = button("Command8");
        if (!ok->isVisible()) {
            return {};
        }
        bringForward();
        const PersonRecord person = window_->person();
        const int refused = clickRefused() ? 1 : 0;
        const size_t before = messages_.size();
        click(ok);
        ++tally_.plotted;
        int rowMessages = 0;
        int nameMessages = 0;
        for (size_t i = before; i < messages_.size(); ++i) {
            const std::string& text = messages_[i].text;
            if (isEventRowMessage(text)) {
                ++rowMessages;
            } else if (text == kFirstNameForbiddenMessage || text == kLastNameForbiddenMessage) {
                ++nameMessages;
            } else {
                return "« Ok » a montré « " + fromUtf8(text) + " »";
            }
        }
        // A refused name stops the click: its message only.
        const int expectedRows = refused ? 0 : badEventRows(person);
        if (rowMessages != expectedRows || nameMessages != refused) {
            return QString(
                       "« Ok » : %1 messages de ligne pour %2 lignes refusées, %3 messages de nom pour %4")
                .arg(rowMessages)
                .arg(expectedRows)
                .arg(nameMessages)
                .arg(refused);
        }
        return {};
    }

    QString checkEffacer() {
        const bool refused = clickRefused();
        click(button("Command3"));
        if (refused) {
            return {};  // the click did not take place
        }
        for (const char* name : {"t_prenom", "t_nom", "Text1", "Text2", "s_date_0", "s_pers_11"}) {
            if (!field(name)->text().isEmpty()) {
                return QString("« Effacer » a laissé %1").arg(name);
            }
        }
        if (list("Combo2")->count() + list("Combo3")->count() + list("Combo4")->count() != 0 ||
            child<QWidget>("Frame1")->isVisible()) {
            return "« Effacer » a laissé une liste ou le panneau";
        }
        return {};
    }

    QString interpret(Random& random) {
        static constexpr std::array<std::pair<const char*, const char*>, 3> kButtons = {
            {{"Command4", "Cycle de vie"},
             {"Command5", "Cycle socio-professionnel"},
             {"Command7", "Cycle d'individuation"}}};
        const int tab = random.below(3);
        if (!button(kButtons[tab].first)->isEnabled()) {
            return {};
        }
        child<QTabWidget>("SSTab1")->setCurrentIndex(tab);
        if (clickRefused()) {
            click(button(kButtons[tab].first));  // refused with the name's message, nothing shown
            return {};
        }
        click(button(kButtons[tab].first));
        InterpretWindow* shown = InterpretWindow::current();
        if (!shown || shown->title() != QString::fromUtf8(kButtons[tab].second) ||
            shown->plainText().isEmpty()) {
            return QString("« Interpréter » n'a pas montré le texte « %1 »").arg(kButtons[tab].second);
        }
        ++tally_.interpreted;
        return {};
    }

    void printOrExport(Random& random) {
        InterpretWindow* shown = InterpretWindow::current();
        if (!shown) {
            return;
        }
        const QString pdf = scratch_.filePath("interpretation.pdf");
        const bool accept = random.percent(30);
        shown->setMessageSink([this](const Message& message) { messages_.push_back(message); });
        shown->setPrinterChooser([accept, pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return accept;
        });
        shown->setPdfFileChooser([accept, pdf] { return accept ? pdf : QString(); });
        const char* name = random.percent(50) ? "Command1" : "exportPdf";
        QTest::mouseClick(shown->findChild<QPushButton*>(name), Qt::LeftButton);
        settle();
        if (random.percent(30)) {
            shown->close();
            settle();
        }
    }

    void useOpenWindow(Random& random) {
        OpenWindow* open = OpenWindow::existing();
        if (!open) {
            child<QAction>("m_ouvrir")->trigger();
            settle();
            return;
        }
        auto* lines = open->findChild<QListWidget*>("List1");
        if (lines->count() > 0 && random.percent(80)) {
            lines->setCurrentRow(random.below(lines->count()));
        }
        switch (random.below(4)) {
            case 0:
                QTest::mouseClick(open->findChild<QPushButton*>("Command1"), Qt::LeftButton);
                break;
            case 1:
                if (QListWidgetItem* item = lines->currentItem()) {
                    ++tally_.opened;
                    QTest::mouseDClick(lines->viewport(), Qt::LeftButton, {},
                                       lines->visualItemRect(item).center());
                    break;
                }
                [[fallthrough]];
            default:
                ++tally_.opened;
                QTest::mouseClick(open->findChild<QPushButton*>("Command2"), Qt::LeftButton);
                break;
        }
        settle();
    }

    QString typingStep(Random& random, QString& what) {
        static constexpr std::array<const char*, 4> kFields = {"t_prenom", "t_nom", "Text1", "Text2"};
        // A refused name keeps the focus: most users correct it at once.
        auto* focused = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (focused && (focused->objectName() == kFields[0] || focused->objectName() == kFields[1]) &&
            hasForbiddenNameCharacter(toUtf8(focused->text())) && random.percent(60)) {
            what = focused->objectName() + " corrigé";
            type(focused, QString::fromUtf8(random.pick(kNamePieces)));
            return {};
        }
        switch (random.below(7)) {
            case 6:  // a whole valid person, as most users type it
                what = "personne valide";
                type(field(kFields[0]), "Jean Pierre");
                type(field(kFields[1]), QString::fromUtf8(random.pick(kNamePieces)).remove(' ') + "x");
                type(field(kFields[2]), twoDigits(1 + random.below(28)) + '/' +
                                            twoDigits(1 + random.below(12)) + '/' +
                                            QString::number(kFirstTableYear + random.below(461)));
                type(field(kFields[3]), twoDigits(random.below(30)) + 'h' + twoDigits(random.below(60)));
                return {};
            case 0: {
                const int row = random.below(26);
                what = QString("fuseau %1").arg(row);
                list("Combo1")->setCurrentIndex(row);
                return {};
            }
            case 1:
                what = "touche Tab";
                bringForward();
                if (QWidget* current = QApplication::focusWidget()) {
                    QTest::keyClick(current, Qt::Key_Tab);
                }
                settle();
                return {};
            default: {
                const int which = random.below(static_cast<int>(kFields.size()));
                const char* name = kFields[which];
                const QString text = which == 2           ? randomDate(random)
                                     : which == 3         ? randomTime(random)
                                     : random.percent(10) ? anyText(random)
                                                          : randomName(random);
                what = QString("%1 := « %2 »").arg(name, text.left(40));
                type(field(name), text);
                return {};
            }
        }
    }

    QString eventsStep(Random& random, QString& what) {
        switch (random.below(5)) {
            case 0:
                what = "Parents, relations, évenements";
                if (button("Command2")->isEnabled()) {
                    child<QTabWidget>("SSTab1")->setCurrentIndex(0);
                    click(button("Command2"));
                }
                return {};
            case 1:
                what = "Ok";
                return checkOk();
            default: {
                const int row = random.below(PersonRecord::kEventRows);
                const bool date = random.percent(60);
                const QString text = date ? randomDate(random) : randomName(random);
                what = QString("%1_%2 := « %3 »").arg(date ? "s_date" : "s_pers").arg(row).arg(text.left(40));
                field(QString("%1_%2").arg(date ? "s_date" : "s_pers").arg(row))->setText(text);
                return {};
            }
        }
    }

    QString chartsStep(Random& random, QString& what) {
        static constexpr std::array<const char*, 3> kLists = {"Combo2", "Combo3", "Combo4"};
        static constexpr std::array<const char*, 3> kDials = {"Picture1", "Picture2", "Picture3"};
        const int tab = random.below(3);
        switch (random.below(3)) {
            case 0:
                what = QString("onglet %1").arg(tab);
                child<QTabWidget>("SSTab1")->setCurrentIndex(tab);
                return {};
            case 1: {
                QComboBox* cycles = list(kLists[tab]);
                if (cycles->count() == 0) {
                    return {};
                }
                const int entry = random.below(cycles->count());
                what = QString("%1 entrée %2").arg(kLists[tab]).arg(entry);
                const size_t before = messages_.size();
                cycles->setCurrentIndex(entry);
                return messages_.size() == before ? QString() : "choisir un cycle a montré un message";
            }
            default: {
                what = QString("dessin %1").arg(kDials[tab]);
                const QPixmap drawn = child<DialWidget>(kDials[tab])->grab();
                return drawn.isNull() ? "le cadran n'a pas pu être dessiné" : QString();
            }
        }
    }

    QString windowsStep(Random& random, QString& what) {
        switch (random.below(9)) {
            case 0:
                what = "Effacer";
                return checkEffacer();
            case 1: {
                what = "A propos";
                const size_t before = messages_.size();
                child<QAction>("m_apropos")->trigger();
                settle();
                return messages_.size() == before + 1 && messages_.back().title == "A propos"
                           ? QString()
                           : "« A propos » n'a pas montré sa boîte";
            }
            case 2:
                what = "aide";
                if (HelpWindow* help = HelpWindow::existing(); help && random.percent(50)) {
                    QTest::mouseClick(help->findChild<QPushButton*>("Command1"), Qt::LeftButton);
                } else {
                    child<QAction>("m_aide")->trigger();
                }
                settle();
                return {};
            case 3:
                what = "Sauvegarder";
                child<QAction>("m_sauce")->trigger();
                settle();
                return {};
            case 4:
            case 5:
                what = "fenêtre Ouvrir";
                useOpenWindow(random);
                return {};
            case 6:
                what = "Interpréter";
                return interpret(random);
            default:
                what = "Imprimer ou exporter";
                printOrExport(random);
                return {};
        }
    }

    QString step(Random& random, const Profile& profile, QString& what) {
        const int total =
            profile.typing + profile.calculer + profile.events + profile.charts + profile.windows;
        int roll = random.below(total);
        if ((roll -= profile.typing) < 0) {
            return typingStep(random, what);
        }
        if ((roll -= profile.calculer) < 0) {
            what = "Calculer";
            return checkCalculer();
        }
        if ((roll -= profile.events) < 0) {
            return eventsStep(random, what);
        }
        if ((roll -= profile.charts) < 0) {
            return chartsStep(random, what);
        }
        return windowsStep(random, what);
    }

    QString failureText(const QString& problem, int stepIndex) const {
        QString text =
            QString("graine %1, pas %2 : %3\nderniers pas :").arg(seed_).arg(stepIndex).arg(problem);
        for (const QString& line : history_) {
            text += "\n  " + line;
        }
        return text;
    }

    void closeSideWindows() {
        delete OpenWindow::existing();
        delete HelpWindow::existing();
        delete InterpretWindow::current();
    }

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(scratch_.isValid());
        folder_ = prepareDataFolder(scratch_.filePath("donnees").toStdString(),
                                    std::filesystem::path(scratch_.filePath("programme").toStdString()));
        QVERIFY(folder_.usable);
        seed_ = environmentNumber("SELENARC_RANDOM_SEED", kDefaultSeed);
        steps_ = static_cast<int>(environmentNumber("SELENARC_RANDOM_STEPS", kDefaultSteps));
        qInfo("graine %llu, %d pas (SELENARC_RANDOM_SEED, SELENARC_RANDOM_STEPS)", seed_, steps_);
        // A dialog that opens despite the recording sinks would block the run: note it and close it.
        modalWatch_.setInterval(50);
        connect(&modalWatch_, &QTimer::timeout, this, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                unexpectedDialogs_ << modal->metaObject()->className() + QString(" « ") +
                                          modal->windowTitle() + " »";
                if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                    dialog->reject();
                } else {
                    modal->close();
                }
            }
        });
        modalWatch_.start();
    }

    void init() {
        messages_.clear();
        unexpectedDialogs_.clear();
        history_.clear();
        tally_ = {};
        const auto record = [this](const Message& message) { messages_.push_back(message); };
        window_ = std::make_unique<MainWindow>(SELENARC_SOURCE_DIR "/data", record, fixedNow);
        connectPersonFileMenus(*window_, folder_, record);
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }

    void cleanup() {
        closeSideWindows();
        window_.reset();
        QVERIFY2(unexpectedDialogs_.isEmpty(), qPrintable(unexpectedDialogs_.join(", ")));
    }

    // Single runs on the edges of what the window accepts.
    void calculerEdges_data() {
        QTest::addColumn<QString>("prenom");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("heure");
        QTest::addColumn<int>("zone");
        QTest::addColumn<QString>("message");  // "" when the three lists must be filled
        const auto row = [](const char* tag, const QString& date, const char* time, int zone,
                            const QString& message, const QString& first = "Jean",
                            const QString& last = "Dupont") {
            QTest::newRow(tag) << first << last << date << QString(time) << zone << message;
        };
        const QString span = QString::fromStdString(kSpanMessage);
        const QString badDate = "Date de naissance : format incorrect : __/__/____";
        row("first day, far east", "01/01/1820", "00h00", 25, "");
        row("first day, hour 29 east", "01/01/1820", "29h59", 25, "");
        row("day before the tables", "31/12/1819", "23h59", 0, span);
        row("last day, far west", "31/12/2280", "23h59", 0, "");
        row("last day, hour 29 west", "31/12/2280", "29h59", 0, "");
        row("day after the tables", "01/01/2281", "00h00", 25, span);
        row("year 0100", "01/01/0100", "12h00", 13, span);
        row("29 February 2000", "29/02/2000", "12h00", 13, "");
        row("29 February 2280, 24h00", "29/02/2280", "24h00", 12, "");
        row("29 February 1900", "29/02/1900", "12h00", 13, badDate);
        row("29 February 2100", "29/02/2100", "12h00", 13, badDate);
        // Ten characters, not ten bytes: the shape check fails on the letter, not on the length.
        row("fullwidth digits", "３１/12/1950", "12h00", 13, badDate);
        row("accented month", "01/0é/1950", "12h00", 13, badDate);
        row("hour 30", "01/01/1950", "30h00", 13, "Heure de naissance : format incorrect : __h__");
        row("time with an accent", "01/01/1950", "12é00", 13,
            "Heure de naissance : format incorrect : __h__");
        row("greek and cyrillic", "01/01/1950", "12h00", 13, "", "Αλέξης", "Дмитрий");
        row("cjk and emoji", "15/06/1985", "06h30", 21, "", "太郎 🌙", "🙂🎂");
        row("ten thousand letters", "01/01/1950", "12h00", 13, "", QString("é").repeated(10000),
            QString("Ж").repeated(10000));
        row("blank first name", "01/01/1950", "12h00", 13, "Le prénom doit être saisi", "   ");
        for (const char* forbidden : kForbidden) {
            const QByteArray tag = QByteArray("last name with ") + forbidden;
            row(tag.constData(), "01/01/1950", "12h00", 13, QString::fromUtf8(kLastNameForbiddenMessage),
                "Jean", QString("Dup%1ont").arg(forbidden));
        }
        row("first name with a colon", "01/01/1950", "12h00", 13,
            QString::fromUtf8(kFirstNameForbiddenMessage), "Je:an");
    }
    void calculerEdges() {
        QFETCH(QString, prenom);
        QFETCH(QString, nom);
        QFETCH(QString, date);
        QFETCH(QString, heure);
        QFETCH(int, zone);
        QFETCH(QString, message);
        type(field("Text1"), date);
        type(field("Text2"), heure);
        list("Combo1")->setCurrentIndex(zone);
        type(field("t_prenom"), prenom);
        type(field("t_nom"), nom);
        QCOMPARE(checkCalculer(), QString());
        QCOMPARE(listsFilled(), message.isEmpty());
        if (!message.isEmpty()) {
            QCOMPARE(fromUtf8(messages_.back().text), message);
        }
        // Whatever the outcome, the dials can be painted.
        for (const char* dial : {"Picture1", "Picture2", "Picture3"}) {
            QVERIFY(!child<DialWidget>(dial)->grab().isNull());
        }
    }

    // Long random runs, each leaning on one part of the window.
    void randomRun_data() {
        QTest::addColumn<Profile>("profile");
        QTest::addColumn<int>("share");   // percent of the steps
        QTest::addColumn<int>("stream");  // each profile draws from its own stream of the one seed
        QTest::newRow("mixed") << Profile{4, 2, 2, 2, 2} << 40 << 1;
        QTest::newRow("entry fields") << Profile{8, 4, 0, 1, 1} << 25 << 2;
        QTest::newRow("events panel") << Profile{2, 1, 8, 2, 1} << 20 << 3;
        QTest::newRow("windows and files") << Profile{2, 1, 1, 1, 6} << 15 << 4;
    }
    void randomRun() {
        QFETCH(Profile, profile);
        QFETCH(int, share);
        QFETCH(int, stream);
        const int steps = std::max(1, steps_ * share / 100);
        Random random(seed_, static_cast<quint64>(stream));
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < steps; ++i) {
            QString what;
            const size_t before = messages_.size();
            QString problem = step(random, profile, what);
            history_.push_back(QString("%1 %2").arg(i).arg(what));
            if (history_.size() > 12) {
                history_.pop_front();
            }
            for (size_t m = before; problem.isEmpty() && m < messages_.size(); ++m) {
                if (!isKnownMessage(messages_[m].text)) {
                    problem = "message inconnu « " + fromUtf8(messages_[m].text) + " »";
                }
            }
            if (problem.isEmpty() && !unexpectedDialogs_.isEmpty()) {
                problem = "boîte de dialogue ouverte : " + unexpectedDialogs_.join(", ");
            }
            if (!problem.isEmpty()) {
                QFAIL(qPrintable(failureText(problem, i)));
            }
        }
        qInfo(
            "graine %llu, profil %s : %d pas en %lld ms ; %d « Calculer » dont %d calculés, %d « Ok », "
            "%d interprétations, %d ouvertures, %zu messages",
            seed_, QTest::currentDataTag(), steps, clock.elapsed(), tally_.runs, tally_.computed,
            tally_.plotted, tally_.interpreted, tally_.opened, messages_.size());
    }
};

QTEST_MAIN(RandomInputTest)
#include "test_random_input.moc"
