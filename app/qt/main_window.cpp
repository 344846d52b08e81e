#include "app/qt/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "app/help_text.h"
#include "app/qt/dial_image_export.h"
#include "app/qt/help_window.h"
#include "app/qt/pdf_report.h"
#include "app/qt/place_field.h"
#include "app/report_content.h"
#include "app/time_zones.h"
#include "calendar/entry_checks.h"
#include "charts/qt/dial_widget.h"
#include "charts/qt/sign_pictures.h"
#include "interpretation/assembly.h"
#include "interpretation/qt/interpret_window.h"
#include "qt_support/message_box.h"
#include "qt_support/twips.h"

namespace selenarc {

namespace {

const QColor kWindowYellow(255, 255, 192);

const QString kNoCurrentCycleNote =
    QStringLiteral("Aucun cycle ne contient la date du jour : choisissez un cycle dans la liste.");

// Height of the tab strip: the pages' design positions count from the top of the tab control.
constexpr int kTabStripTwips = 360;

// Busy pointer for the duration of a run.
class BusyPointer {
  public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, QRect twips) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    placeInTwips(label, twips.x(), twips.y(), twips.width(), twips.height());
    return label;
}

QLineEdit* addField(QWidget* parent, const QString& name, const QString& text, QRect twips) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    placeInTwips(field, twips.x(), twips.y(), twips.width(), twips.height());
    return field;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, QRect twips) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    placeInTwips(button, twips.x(), twips.y(), twips.width(), twips.height());
    return button;
}

void paintBackground(QWidget* widget, const QColor& colour) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
}

}  // namespace

MainWindow::MainWindow(std::filesystem::path programFolder, MessageSink presenter, NowProvider now)
    : presenter_(presenter ? std::move(presenter) : messageBoxSink(this)), now_(std::move(now)) {
    session_ = std::make_unique<Session>(std::move(programFolder),
                                         [this](const Message& message) { presenter_(message); });
    setObjectName("f_principale");
    setWindowTitle("Selenarc");
    setWindowIcon(QIcon::fromTheme("selenarc"));
    // The design sizes were made for a small 8-point interface font; DejaVu Sans runs wider.
    QFont interfaceFont = font();
    interfaceFont.setPointSizeF(7.5);
    setFont(interfaceFont);

    auto* client = new QWidget(this);
    paintBackground(client, kWindowYellow);
    client->setFixedSize(twipsToPixels(14955), twipsToPixels(9360));
    setCentralWidget(client);

    buildEntryStrip(client);
    buildTabs(client);
    buildMenus();
    for (DialWidget* dial : {lunarDial_, jupiterDial_, saturnDial_}) {
        installDialImageMenu(dial, presenter_);
    }
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildEntryStrip(QWidget* client) {
    addLabel(client, "Label12", "Prénom :", {120, 165, 735, 255});
    firstNameEdit_ = addField(client, "t_prenom", "", {840, 120, 975, 285});
    addLabel(client, "Label13", "Nom :", {1920, 165, 495, 255});
    lastNameEdit_ = addField(client, "t_nom", "", {2400, 120, 1335, 285});
    addLabel(client, "Label1", "Né(e) le", {3840, 165, 615, 255});
    birthDateEdit_ = addField(client, "Text1", "01/01/1950", {4460, 120, 1095, 285});
    addLabel(client, "Label6", "à", {5620, 165, 135, 255});
    birthTimeEdit_ = addField(client, "Text2", "12h00", {5840, 120, 615, 285});

    timeZoneList_ = new QComboBox(client);
    timeZoneList_->setObjectName("Combo1");
    for (const auto row : kTimeZoneRows) {
        timeZoneList_->addItem(fromUtf8(std::string(row)));
    }
    timeZoneList_->setCurrentIndex(PersonRecord::kDefaultTimeZoneRow);
    // The birthplace, between the time and the zone list it can stand in for.
    placeField_ = new PlaceField(client, timeZoneList_, [this] {
        std::string error;
        return session_->gazetteer(error);
    });
    placeInTwips(placeField_->label(), 6560, 165, 450, 255);
    placeInTwips(placeField_->edit(), 7020, 120, 2640, 285);
    placeInTwips(timeZoneList_, 9760, 90, 3100, 315);
    for (QLineEdit* field : {birthDateEdit_, birthTimeEdit_}) {
        connect(field, &QLineEdit::textEdited, placeField_, &PlaceField::forgetHourChoice);
    }

    calculateButton_ = addButton(client, "Command1", "Calculer", {12960, 70, 975, 315});
    clearButton_ = addButton(client, "Command3", "Effacer", {14040, 70, 735, 315});
    onClick(calculateButton_, [this] { calculer(); });
    onClick(clearButton_, [this] { effacer(); });

    firstNameEdit_->installEventFilter(this);
    lastNameEdit_->installEventFilter(this);
    QWidget::setTabOrder(firstNameEdit_, lastNameEdit_);
    QWidget::setTabOrder(lastNameEdit_, birthDateEdit_);
    QWidget::setTabOrder(birthDateEdit_, birthTimeEdit_);
    QWidget::setTabOrder(birthTimeEdit_, placeField_->edit());
    QWidget::setTabOrder(placeField_->edit(), timeZoneList_);
    QWidget::setTabOrder(timeZoneList_, calculateButton_);
}

QWidget* MainWindow::buildCyclePage(const QString& pictureName, const ChartSurface& surface,
                                    const QString& listName, const QString& buttonName, DialWidget** dial,
                                    QComboBox** list, QPushButton** interpret) {
    auto* page = new QWidget;
    paintBackground(page, kWindowYellow);
    *dial = new DialWidget(surface, &SignPictures::ofDataFolder(session_->programFolder()), page);
    (*dial)->setObjectName(pictureName);
    placeInTwips(*dial, 120, 480 - kTabStripTwips, 10455, 8055);
    // Said in the middle of the empty dial when no cycle contains today.
    auto* note = new QLabel(kNoCurrentCycleNote, *dial);
    note->setObjectName(pictureName + "Note");
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    placeInTwips(note, 1200, 3600, 8055, 855);
    note->hide();
    *list = new QComboBox(page);
    (*list)->setObjectName(listName);
    placeInTwips(*list, 10800, 480 - kTabStripTwips, 3615, 315);
    *interpret = new QPushButton("Interpréter", page);
    (*interpret)->setObjectName(buttonName);
    (*interpret)->setEnabled(false);
    placeInTwips(*interpret, 11760, 8040 - kTabStripTwips, 2055, 495);
    return page;
}

void MainWindow::buildTabs(QWidget* client) {
    cycleTabs_ = new QTabWidget(client);
    cycleTabs_->setObjectName("SSTab1");
    placeInTwips(cycleTabs_, 120, 600, 14655, 8655);

    QWidget* life = buildCyclePage("Picture1", session_->lunarSurface(), "Combo2", "Command4", &lunarDial_,
                                   &lunarCycleList_, &lunarInterpretButton_);
    QWidget* jupiter = buildCyclePage("Picture2", session_->jupiterSurface(), "Combo3", "Command5",
                                      &jupiterDial_, &jupiterCycleList_, &jupiterInterpretButton_);
    QWidget* saturn = buildCyclePage("Picture3", session_->saturnSurface(), "Combo4", "Command7",
                                     &saturnDial_, &saturnCycleList_, &saturnInterpretButton_);
    cycleTabs_->addTab(life, "Cycle de vie");
    cycleTabs_->addTab(jupiter, "Cycle socio-professionnel");
    cycleTabs_->addTab(saturn, "Cycle d'individuation");
    cycleTabs_->setCurrentIndex(0);

    eventsButton_ = addButton(life, "Command2", "Parents, relations, évenements",
                              {10800, 960 - kTabStripTwips, 3615, 495});
    eventsButton_->setEnabled(false);
    buildEventsPanel(life);
    connectCyclePages();
    onClick(eventsButton_, [this] {
        eventsPanel_->setVisible(!eventsPanel_->isVisible());
        if (eventsPanel_->isVisible()) {
            eventDateEdits_[0]->setFocus();
        }
    });
}

void MainWindow::buildEventsPanel(QWidget* page) {
    eventsPanel_ = new QFrame(page);
    eventsPanel_->setObjectName("Frame1");
    eventsPanel_->setFrameShape(QFrame::StyledPanel);
    placeInTwips(eventsPanel_, 10800, 1440 - kTabStripTwips, 3615, 6500);
    eventsPanel_->hide();

    auto* explanation =
        addLabel(eventsPanel_, "Label7",
                 "Insérer les dates de naissance de vos parents, grands-parents... ou des "
                 "événements importants de votre vie pour voir où ils tombent dans votre cycle.",
                 {30, 120, 3540, 1215});
    explanation->setWordWrap(true);
    paintBackground(explanation, QColor(255, 192, 128));

    auto* rows = new QWidget(eventsPanel_);
    rows->setObjectName("Picture4");
    paintBackground(rows, kWindowYellow);
    placeInTwips(rows, 0, 1320, 3615, 5175);
    rows->lower();
    addLabel(rows, "Label8", "Date (jj/mm/aaaa)", {120, 0, 1335, 255});
    addLabel(rows, "Label9", "Evenement ou personne", {1680, 0, 1815, 255});

    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        eventDateEdits_[i] =
            addField(eventsPanel_, QString("s_date_%1").arg(i), "", {360, 1680 + 360 * i, 975, 285});
        eventNameEdits_[i] =
            addField(eventsPanel_, QString("s_pers_%1").arg(i), "", {1680, 1680 + 360 * i, 1815, 285});
    }
    plotEventsButton_ = addButton(eventsPanel_, "Command8", "Ok", {960, 6000, 2055, 375});
    plotEventsButton_->setEnabled(false);
    onClick(plotEventsButton_, [this] { plotEvents(); });
}

// Selecting a cycle redraws that tab's dial only; the "Interpréter" buttons read the run state.
void MainWindow::connectCyclePages() {
    connect(lunarCycleList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_->selectLunarCycle(index, now_());
        refreshDials();
    });
    connect(jupiterCycleList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_->selectJupiterCycle(index, now_());
        refreshDials();
    });
    connect(saturnCycleList_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_->selectSaturnCycle(index, now_());
        refreshDials();
    });
    onClick(lunarInterpretButton_, [this] { interpret("Cycle de vie", &SoliLunarText); });
    onClick(jupiterInterpretButton_, [this] { interpret("Cycle socio-professionnel", &JupiterText); });
    onClick(saturnInterpretButton_, [this] { interpret("Cycle d'individuation", &SaturnText); });
}

void MainWindow::interpret(const char* title, std::string (*text)(const RunState&, const ParagraphSet&)) {
    const ParagraphSet* paragraphs = session_->paragraphs();
    if (!paragraphs) {
        return;
    }
    InterpretWindow::setOwner(this);
    SetInterpretationTitle(title);
    // With a birthplace, the text opens on the place and the clock its birth time was read on.
    const std::string place = birthPlaceLine(session_->birth().clock);
    SetInterpretationText((place.empty() ? "" : place + "\r\n\r\n") + text(session_->state(), *paragraphs));
    showInterpretation();
}

void MainWindow::plotEvents() {
    if (session_->plotEvents(person().events, now_())) {
        refreshDials();
    }
}

void MainWindow::refreshDials() {
    const auto show = [](DialWidget* dial, const ChartSurface& surface) {
        if (!(dial->surface() == surface)) {
            dial->surface() = surface;
            dial->update();
        }
    };
    show(lunarDial_, session_->lunarSurface());
    show(jupiterDial_, session_->jupiterSurface());
    show(saturnDial_, session_->saturnSurface());
    // A list with entries and none chosen: a note in the middle of its empty dial.
    for (auto [dial, list] : {std::pair{lunarDial_, lunarCycleList_},
                              {jupiterDial_, jupiterCycleList_},
                              {saturnDial_, saturnCycleList_}}) {
        dial->findChild<QLabel*>(dial->objectName() + "Note")
            ->setVisible(list->count() > 0 && list->currentIndex() < 0);
    }
}

void MainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&Fichier");
    file->setObjectName("m_fichier");
    QAction* open = file->addAction("&Ouvrir...");
    open->setObjectName("m_ouvrir");
    QAction* save = file->addAction("&Sauvegarder");
    save->setObjectName("m_sauce");
    pdfReportAction_ = file->addAction("&Exporter le rapport PDF...");
    pdfReportAction_->setObjectName("m_rapport");
    pdfReportAction_->setEnabled(false);
    connect(pdfReportAction_, &QAction::triggered, this,
            [this] { exportPdfReport(this, *session_, lastRunPerson_, presenter_); });
    QAction* quit = file->addAction("&Quitter");
    quit->setObjectName("m_quitter");
    connect(quit, &QAction::triggered, qApp, &QApplication::quit);

    QMenu* help = menuBar()->addMenu("&?");
    help->setObjectName("m_interro");
    QAction* about = help->addAction("&A propos...");
    about->setObjectName("m_apropos");
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    QAction* aide = help->addAction("&aide...");
    aide->setObjectName("m_aide");
    connect(aide, &QAction::triggered, this, [] { HelpWindow::showHelp(); });
}

void MainWindow::showAbout() {
    presenter_(Message{kAboutText, "A propos", MessageIcon::Information});
}

PersonRecord MainWindow::person() const {
    PersonRecord person;
    person.firstName = toUtf8(firstNameEdit_->text());
    person.lastName = toUtf8(lastNameEdit_->text());
    person.birthDate = toUtf8(birthDateEdit_->text());
    person.birthTime = toUtf8(birthTimeEdit_->text());
    person.timeZoneRow = timeZoneList_->currentIndex();
    placeField_->readInto(person);
    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        person.events[i] = {toUtf8(eventDateEdits_[i]->text()), toUtf8(eventNameEdits_[i]->text())};
    }
    return person;
}

void MainWindow::setPerson(const PersonRecord& person) {
    firstNameEdit_->setText(fromUtf8(person.firstName));
    lastNameEdit_->setText(fromUtf8(person.lastName));
    birthDateEdit_->setText(fromUtf8(person.birthDate));
    birthTimeEdit_->setText(fromUtf8(person.birthTime));
    if (person.timeZoneRow >= 0 && person.timeZoneRow < timeZoneList_->count()) {
        timeZoneList_->setCurrentIndex(person.timeZoneRow);
    }
    placeField_->show(person);
    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        eventDateEdits_[i]->setText(fromUtf8(person.events[i].date));
        eventNameEdits_[i]->setText(fromUtf8(person.events[i].name));
    }
}

// A name field with a forbidden character keeps the focus: the message is shown and the focus put
// back, and "Calculer" refuses to run while a name is refused.
bool MainWindow::nameFieldRefuses(QLineEdit* field) {
    if (!hasForbiddenNameCharacter(toUtf8(field->text()))) {
        return false;
    }
    if (!refusingName_) {
        refusingName_ = true;
        const char* text = field == lastNameEdit_ ? kLastNameForbiddenMessage : kFirstNameForbiddenMessage;
        presenter_(Message{text, "Erreur", MessageIcon::Exclamation});
        field->setFocus(Qt::OtherFocusReason);
        refusingName_ = false;
    }
    return true;
}

// A click that took the focus from a refused name field does not take place.
void MainWindow::onClick(QPushButton* button, std::function<void()> action) {
    connect(button, &QPushButton::clicked, this, [this, action = std::move(action)] {
        for (QLineEdit* name : {firstNameEdit_, lastNameEdit_}) {
            if (hasForbiddenNameCharacter(toUtf8(name->text()))) {
                if (pendingRefusal_) {
                    name->setFocus();  // its message is on its way
                } else {
                    nameFieldRefuses(name);
                }
                return;
            }
        }
        action();
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == lastNameEdit_ || watched == firstNameEdit_)) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving the window or opening a menu is not leaving the field.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !refusingName_) {
            auto* field = static_cast<QLineEdit*>(watched);
            pendingRefusal_ = true;
            QTimer::singleShot(0, this, [this, field] {
                pendingRefusal_ = false;
                nameFieldRefuses(field);
            });
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::focusField(EntryField field) {
    switch (field) {
        case EntryField::FirstName:
            firstNameEdit_->setFocus();
            break;
        case EntryField::LastName:
            lastNameEdit_->setFocus();
            break;
        case EntryField::BirthDate:
            birthDateEdit_->setFocus();
            break;
        case EntryField::BirthTime:
            birthTimeEdit_->setFocus();
            break;
        case EntryField::BirthPlace:
            placeField_->edit()->setFocus();
            break;
    }
}

bool MainWindow::calculer() {
    if (!placeField_->confirmRepeatedHour(person())) {
        return false;
    }
    std::optional<RunFailure> failure;
    {
        BusyPointer busy;
        failure = session_->calculer(person(), now_());
    }
    if (failure) {
        if (failure->field) {
            focusField(*failure->field);
        }
        return false;
    }
    placeField_->showClock(session_->birth());
    refreshLists();
    enableRunActions(true);
    lastRunPerson_ = person();
    return true;
}

// What needs a computed person: the persons/events panel and its "Ok", the interpretations, the PDF.
void MainWindow::enableRunActions(bool enabled) {
    for (QPushButton* button : {eventsButton_, plotEventsButton_, lunarInterpretButton_,
                                jupiterInterpretButton_, saturnInterpretButton_}) {
        button->setEnabled(enabled);
    }
    pdfReportAction_->setEnabled(enabled);
}

void MainWindow::lancer() {
    calculer();
    plotEvents();
}

void MainWindow::refreshLists() {
    const auto fill = [](QComboBox* list, const std::vector<std::string>& entries, int selected) {
        const QSignalBlocker blocker(list);
        list->clear();
        for (const auto& entry : entries) {
            list->addItem(fromUtf8(entry));
        }
        list->setCurrentIndex(selected);
    };
    fill(lunarCycleList_, session_->lunar().cycleEntries, session_->lunar().currentCycleEntry);
    fill(jupiterCycleList_, session_->jupiter().comboEntries, session_->jupiter().selectedIndex);
    fill(saturnCycleList_, session_->saturn().comboEntries, session_->saturn().selectedIndex);
    refreshDials();
}

void MainWindow::effacer() {
    for (QLineEdit* field : {firstNameEdit_, lastNameEdit_, birthDateEdit_, birthTimeEdit_}) {
        field->clear();
    }
    placeField_->clear();
    for (QComboBox* list : {lunarCycleList_, jupiterCycleList_, saturnCycleList_}) {
        const QSignalBlocker blocker(list);
        list->clear();
    }
    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        eventDateEdits_[i]->clear();
        eventNameEdits_[i]->clear();
    }
    eventsPanel_->hide();
    enableRunActions(false);  // they would draw, explain or print the person just cleared
    session_->clearCharts();
    refreshDials();
}

}  // namespace selenarc
