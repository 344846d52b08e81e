#include "app/qt/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

#include "app/help_text.h"
#include "app/qt/dial_image_export.h"
#include "app/qt/entry_strip.h"
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
#include "qt_support/program_icon.h"
#include "qt_support/twips.h"

namespace selenarc {

namespace {

const QColor kWindowYellow(255, 255, 192);

const QString kNoCurrentCycleNote =
    QStringLiteral("Aucun cycle ne contient la date du jour : choisissez un cycle dans la liste.");

// The design's client area, in twips; and the column of lists and buttons beside each dial.
constexpr int kDesignWidthTwips = 14955;
constexpr int kDesignHeightTwips = 9360;
constexpr int kSideColumnTwips = 3615;
// Pixels kept free around the window for the frame and title bar of the window manager.
constexpr int kFrameAllowance = 24;

// Busy pointer for the duration of a run.
class BusyPointer {
  public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::BusyCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
};

QLineEdit* addField(const QString& name, const QString& text) {
    auto* field = new QLineEdit(text);
    field->setObjectName(name);
    return field;
}

// A button of the design's size in twips, or sized by its layout when none is given.
QPushButton* addButton(const char* name, const QString& caption, QSize twips = {}) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    if (twips.isValid()) {
        button->setFixedSize(twipsToPixels(twips.width()), twipsToPixels(twips.height()));
    }
    return button;
}

// The 26 rows; the list is narrower than its longest rows: each row and the list itself tell their
// whole text as a tooltip, and the list opens as wide as its rows.
void fillTimeZoneList(QComboBox* list) {
    for (const auto row : kTimeZoneRows) {
        const QString text = fromUtf8(std::string(row));
        list->addItem(text);
        list->setItemData(list->count() - 1, text, Qt::ToolTipRole);
    }
    list->setMinimumContentsLength(1);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) +
                                  list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                                  2 * list->view()->frameWidth());
    QObject::connect(list, &QComboBox::currentIndexChanged, list,
                     [list](int row) { list->setToolTip(list->itemText(row)); });
    list->setCurrentIndex(PersonRecord::kDefaultTimeZoneRow);
}

// A word-wrapped label of a fixed width that asks for its design height and lets a low window take it
// down to the height of its text.
class DesignHeightLabel : public QLabel {
  public:
    DesignHeightLabel(QSize design, const QString& text) : QLabel(text), design_(design) {
        setWordWrap(true);
    }
    bool hasHeightForWidth() const override { return false; }
    QSize sizeHint() const override { return {design_.width(), std::max(design_.height(), textHeight())}; }
    QSize minimumSizeHint() const override { return {design_.width(), textHeight()}; }

  private:
    int textHeight() const { return QLabel::heightForWidth(design_.width()); }
    QSize design_;
};

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
    setWindowIcon(programIcon());
    // The design sizes were made for a small 8-point interface font; DejaVu Sans runs wider.
    QFont interfaceFont = font();
    interfaceFont.setPointSizeF(7.5);
    setFont(interfaceFont);

    auto* client = new QWidget(this);
    paintBackground(client, kWindowYellow);
    setCentralWidget(client);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(buildEntryStrip(client));
    buildTabs(client);
    auto* tabs = new QHBoxLayout;
    tabs->setContentsMargins(twipsToPixels(120), 0, twipsToPixels(180), twipsToPixels(105));
    tabs->addWidget(cycleTabs_);
    column->addLayout(tabs, 1);

    buildMenus();
    for (DialWidget* dial : {lunarDial_, jupiterDial_, saturnDial_}) {
        installDialImageMenu(dial, presenter_);
    }
    unsaved_.markSaved(person());
    fitToScreen();
}

MainWindow::~MainWindow() = default;

// The design size when the screen has room for it, else the screen's room (the layouts shrink the
// dials and wrap the entry strip); never below what shows every control.
void MainWindow::fitToScreen() {
    const QSize design(twipsToPixels(kDesignWidthTwips),
                       twipsToPixels(kDesignHeightTwips) + menuBar()->sizeHint().height());
    QSize size = design;
    if (const QScreen* shown = screen()) {
        // Room for the frame the window manager adds around the window.
        const QSize room = shown->availableGeometry().size() - QSize(kFrameAllowance, 2 * kFrameAllowance);
        size = size.boundedTo(room);
    }
    resize(size.expandedTo(minimumSizeHint()));
}

// The strip's items in tab order; each measures its text in the window's font, hence the parent.
EntryStrip* MainWindow::buildEntryStrip(QWidget* client) {
    auto* strip = new EntryStrip(client);
    firstNameEdit_ = addField("t_prenom", "");
    lastNameEdit_ = addField("t_nom", "");
    birthDateEdit_ = addField("Text1", "01/01/1950");
    birthTimeEdit_ = addField("Text2", "12h00");
    strip->addCaptioned("Label12", "Prénom :", 735, firstNameEdit_, 975);
    strip->addCaptioned("Label13", "Nom :", 495, lastNameEdit_, 1335);
    strip->addCaptioned("Label1", "Né(e) le", 615, birthDateEdit_, 1095);
    strip->addCaptioned("Label6", "à", 135, birthTimeEdit_, 615);

    timeZoneList_ = new QComboBox;
    timeZoneList_->setObjectName("Combo1");
    fillTimeZoneList(timeZoneList_);
    // The birthplace, between the time and the zone list it can stand in for.
    placeField_ = new PlaceField(client, timeZoneList_, [this] {
        std::string error;
        return session_->gazetteer(error);
    });
    strip->addCaptioned("LabelLieu", "Lieu :", 450, placeField_->edit(), 2100);
    for (QLineEdit* field : {birthDateEdit_, birthTimeEdit_}) {
        connect(field, &QLineEdit::textEdited, placeField_, &PlaceField::forgetHourChoice);
    }
    strip->addStretching(timeZoneList_, 2700, EntryStrip::Kind::List);

    calculateButton_ = addButton("Command1", "&Calculer");
    clearButton_ = addButton("Command3", "&Effacer");
    strip->addItem(calculateButton_, 975, EntryStrip::Kind::Button, true);
    strip->addItem(clearButton_, 735, EntryStrip::Kind::Button, true);
    onClick(calculateButton_, [this] { calculer(); });
    onClick(clearButton_, [this] { effacer(); });
    // Enter in a field or the list of the strip: "Calculer", refused names included.
    connect(strip, &EntryStrip::entered, calculateButton_, &QPushButton::click);

    firstNameEdit_->installEventFilter(this);
    lastNameEdit_->installEventFilter(this);
    QWidget::setTabOrder(firstNameEdit_, lastNameEdit_);
    QWidget::setTabOrder(lastNameEdit_, birthDateEdit_);
    QWidget::setTabOrder(birthDateEdit_, birthTimeEdit_);
    QWidget::setTabOrder(birthTimeEdit_, placeField_->edit());
    QWidget::setTabOrder(placeField_->edit(), timeZoneList_);
    QWidget::setTabOrder(timeZoneList_, calculateButton_);
    return strip;
}

// A tab page: the dial on the left, growing with the window; on the right a column of the design's
// width with the cycle list, the page's own `extras`, and "Interpréter" at the bottom.
QWidget* MainWindow::buildCyclePage(const QString& pictureName, const ChartSurface& surface,
                                    const QString& listName, const QString& buttonName, DialWidget** dial,
                                    QComboBox** list, QPushButton** interpret, QWidget* extras) {
    auto* page = new QWidget;
    paintBackground(page, kWindowYellow);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(twipsToPixels(120), twipsToPixels(120), twipsToPixels(120), twipsToPixels(120));
    row->setSpacing(twipsToPixels(225));

    *dial = new DialWidget(surface, &SignPictures::ofDataFolder(session_->programFolder()));
    (*dial)->setObjectName(pictureName);
    row->addWidget(*dial, 1);
    // Said in the middle of the empty dial when no cycle contains today.
    auto* note = new QLabel(kNoCurrentCycleNote);
    note->setObjectName(pictureName + "Note");
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    note->setMaximumWidth(twipsToPixels(8055));
    auto* centre = new QVBoxLayout(*dial);
    centre->addWidget(note, 0, Qt::AlignCenter);
    note->hide();

    auto* side = new QVBoxLayout;
    side->setSpacing(0);
    *list = new QComboBox;
    (*list)->setObjectName(listName);
    (*list)->setFixedWidth(twipsToPixels(kSideColumnTwips));
    (*list)->setMinimumContentsLength(1);
    (*list)->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    side->addWidget(*list);
    if (extras) {
        side->addSpacing(twipsToPixels(165));
        side->addWidget(extras, 1);
    } else {
        side->addStretch(1);
    }
    side->addSpacing(twipsToPixels(100));
    *interpret = addButton(qPrintable(buttonName), "&Interpréter", {2055, 495});
    (*interpret)->setEnabled(false);
    auto* bottom = new QHBoxLayout;
    bottom->addSpacing(twipsToPixels(960));
    bottom->addWidget(*interpret);
    bottom->addStretch(1);
    side->addLayout(bottom);
    row->addLayout(side);
    return page;
}

void MainWindow::buildTabs(QWidget* client) {
    cycleTabs_ = new QTabWidget(client);
    cycleTabs_->setObjectName("SSTab1");

    // The soli-lunar page's column: "Parents, relations, évenements" and its panel below the list.
    auto* lifeExtras = new QWidget;
    auto* extrasColumn = new QVBoxLayout(lifeExtras);
    extrasColumn->setContentsMargins(0, 0, 0, 0);
    extrasColumn->setSpacing(0);
    eventsButton_ = addButton("Command2", "&Parents, relations, évenements", {kSideColumnTwips, 495});
    eventsButton_->setEnabled(false);
    extrasColumn->addWidget(eventsButton_);
    buildEventsPanel(lifeExtras);
    extrasColumn->addWidget(eventsPanel_, 1);
    extrasColumn->addStretch(0);  // the room below the button while the panel is hidden

    QWidget* life = buildCyclePage("Picture1", session_->lunarSurface(), "Combo2", "Command4", &lunarDial_,
                                   &lunarCycleList_, &lunarInterpretButton_, lifeExtras);
    QWidget* jupiter = buildCyclePage("Picture2", session_->jupiterSurface(), "Combo3", "Command5",
                                      &jupiterDial_, &jupiterCycleList_, &jupiterInterpretButton_);
    QWidget* saturn = buildCyclePage("Picture3", session_->saturnSurface(), "Combo4", "Command7",
                                     &saturnDial_, &saturnCycleList_, &saturnInterpretButton_);
    cycleTabs_->addTab(life, "Cycle de vie");
    cycleTabs_->addTab(jupiter, "Cycle socio-professionnel");
    cycleTabs_->addTab(saturn, "Cycle d'individuation");
    cycleTabs_->setCurrentIndex(0);

    connectCyclePages();
    onClick(eventsButton_, [this] {
        eventsPanel_->setVisible(!eventsPanel_->isVisible());
        if (eventsPanel_->isVisible()) {
            eventDateEdits_[0]->setFocus();
        }
    });
}

// The panel: the explanation and the column captions stay in view; the twelve rows scroll when the
// window is too low for them; "Ok" stays at the bottom.
void MainWindow::buildEventsPanel(QWidget* page) {
    eventsPanel_ = new QFrame(page);
    eventsPanel_->setObjectName("Frame1");
    eventsPanel_->setFrameShape(QFrame::StyledPanel);
    eventsPanel_->hide();
    auto* panel = new QVBoxLayout(eventsPanel_);
    panel->setContentsMargins(twipsToPixels(30), twipsToPixels(120), twipsToPixels(30), twipsToPixels(60));
    panel->setSpacing(0);

    auto* explanation = new DesignHeightLabel(
        QSize(twipsToPixels(3540), twipsToPixels(1215)),
        "Insérer les dates de naissance de vos parents, grands-parents... ou des "
        "événements importants de votre vie pour voir où ils tombent dans votre cycle.");
    explanation->setObjectName("Label7");
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    paintBackground(explanation, QColor(255, 192, 128));
    panel->addWidget(explanation);

    // Captions and rows share two columns: the dates, then the names.
    const auto columns = [](QGridLayout* grid) {
        grid->setContentsMargins(twipsToPixels(90), 0, 0, 0);
        grid->setHorizontalSpacing(twipsToPixels(105));
        grid->setVerticalSpacing(twipsToPixels(75));
        grid->setColumnMinimumWidth(0, twipsToPixels(1455));
        grid->setColumnStretch(1, 1);
    };
    auto* captions = new QGridLayout;
    columns(captions);
    auto* dateCaption = new QLabel("Date (jj/mm/aaaa)");
    dateCaption->setObjectName("Label8");
    auto* nameCaption = new QLabel("Evenement ou personne");
    nameCaption->setObjectName("Label9");
    captions->addWidget(dateCaption, 0, 0);
    captions->addWidget(nameCaption, 0, 1);
    panel->addSpacing(twipsToPixels(45));
    panel->addLayout(captions);

    auto* rows = new QWidget;
    rows->setObjectName("Picture4");
    paintBackground(rows, kWindowYellow);
    auto* grid = new QGridLayout(rows);
    columns(grid);
    grid->setContentsMargins(twipsToPixels(90), twipsToPixels(30), 0, 0);
    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        eventDateEdits_[i] = addField(QString("s_date_%1").arg(i), "");
        eventNameEdits_[i] = addField(QString("s_pers_%1").arg(i), "");
        eventDateEdits_[i]->setFixedSize(twipsToPixels(975), twipsToPixels(285));
        eventNameEdits_[i]->setFixedHeight(twipsToPixels(285));
        grid->addWidget(eventDateEdits_[i], i, 0, Qt::AlignHCenter);
        grid->addWidget(eventNameEdits_[i], i, 1);
    }
    grid->setRowStretch(PersonRecord::kEventRows, 1);
    auto* scroll = new QScrollArea;
    scroll->setObjectName("eventRows");
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumHeight(twipsToPixels(3 * 360));
    panel->addWidget(scroll, 1);

    plotEventsButton_ = addButton("Command8", "&Ok", {2055, 375});
    plotEventsButton_->setEnabled(false);
    auto* ok = new QHBoxLayout;
    ok->addSpacing(twipsToPixels(930));
    ok->addWidget(plotEventsButton_);
    ok->addStretch(1);
    panel->addSpacing(twipsToPixels(75));
    panel->addLayout(ok);
    onClick(plotEventsButton_, [this] { plotEvents(); });
    // Enter in a row: "Ok".
    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        for (QLineEdit* field : {eventDateEdits_[i], eventNameEdits_[i]}) {
            connect(field, &QLineEdit::returnPressed, plotEventsButton_, &QPushButton::click);
        }
    }
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
    onClick(lunarInterpretButton_, [this] { interpret(0); });
    onClick(jupiterInterpretButton_, [this] { interpret(1); });
    onClick(saturnInterpretButton_, [this] { interpret(2); });
}

// The interpretation of a tab (0 .. 2) in the interpretation window, titled with the tab's caption;
// its printout names the person and the day it was made.
void MainWindow::interpret(int tab) {
    using TextOf = std::string (*)(const RunState&, const ParagraphSet&);
    static constexpr std::array<TextOf, 3> kTexts{&SoliLunarText, &JupiterText, &SaturnText};
    const ParagraphSet* paragraphs = session_->paragraphs();
    if (!paragraphs || tab < 0 || tab >= static_cast<int>(kTexts.size())) {
        return;
    }
    InterpretWindow::setOwner(this);
    SetInterpretationTitle(toUtf8(cycleTabs_->tabText(tab)));
    // With a birthplace, the text opens on the place and the clock its birth time was read on.
    const std::string place = birthPlaceLine(session_->birth().clock);
    SetInterpretationText((place.empty() ? "" : place + "\r\n\r\n") +
                          kTexts[tab](session_->state(), *paragraphs));
    InterpretWindow::instance().setSubject(
        fromUtf8(interpretationSubject(lastRunPerson_, CivilDate{now_().day})));
    showInterpretation();
}

// Ctrl+P: the current tab's interpretation, shown and printed.
void MainWindow::printInterpretation() {
    if (!lunarInterpretButton_->isEnabled()) {
        return;
    }
    interpret(cycleTabs_->currentIndex());
    if (InterpretWindow* window = InterpretWindow::current()) {
        window->printText();
    }
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
    const auto entry = [](QMenu* menu, const char* name, const QString& caption, QKeySequence keys) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        action->setShortcut(keys);
        return action;
    };
    QMenu* file = menuBar()->addMenu("&Fichier");
    file->setObjectName("m_fichier");
    entry(file, "m_ouvrir", "&Ouvrir...", QKeySequence::Open);
    entry(file, "m_sauce", "&Sauvegarder", QKeySequence::Save);
    printAction_ = entry(file, "m_imprimer", "&Imprimer l'interprétation...", QKeySequence::Print);
    printAction_->setEnabled(false);
    connect(printAction_, &QAction::triggered, this, &MainWindow::printInterpretation);
    pdfReportAction_ = entry(file, "m_rapport", "&Exporter le rapport PDF...", Qt::CTRL | Qt::Key_E);
    pdfReportAction_->setEnabled(false);
    connect(pdfReportAction_, &QAction::triggered, this,
            [this] { exportPdfReport(this, *session_, lastRunPerson_, presenter_); });
    file->addSeparator();
    QAction* quit = entry(file, "m_quitter", "&Quitter", Qt::CTRL | Qt::Key_Q);
    // Closing the window asks about unsaved changes; the other windows go with it.
    connect(quit, &QAction::triggered, this, [this] {
        if (close()) {
            QApplication::closeAllWindows();
        }
    });

    QMenu* help = menuBar()->addMenu("&?");
    help->setObjectName("m_interro");
    QAction* about = entry(help, "m_apropos", "&A propos...", {});
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);
    QAction* aide = entry(help, "m_aide", "a&ide...", QKeySequence::HelpContents);
    connect(aide, &QAction::triggered, this, [] { HelpWindow::showHelp(); });
}

void MainWindow::showAbout() {
    presenter_(Message{kAboutText, "A propos", MessageIcon::Program});
}

bool MainWindow::mayLeavePerson() {
    const AskChoice ask = askChoice_ ? askChoice_ : [this](const Message& question) {
        const std::optional<bool> yes = askYesNoCancel(this, question);
        return !yes ? Answer::Cancel : *yes ? Answer::Yes : Answer::No;
    };
    return unsaved_.settle(person(), ask, [this] { return savePerson(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (mayLeavePerson()) {
        event->accept();
    } else {
        event->ignore();
    }
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
            // One check at a time, of the field left last: leaving a second field before the first check
            // ran adds no second message.
            const bool queued = pendingRefusal_ != nullptr;
            pendingRefusal_ = static_cast<QLineEdit*>(watched);
            if (!queued) {
                QTimer::singleShot(0, this, [this] {
                    QLineEdit* field = std::exchange(pendingRefusal_, nullptr);
                    nameFieldRefuses(field);
                });
            }
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
    printAction_->setEnabled(enabled);
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
