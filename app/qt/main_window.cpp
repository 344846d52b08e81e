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
#include "app/qt/message_box.h"
#include "app/qt/pdf_report.h"
#include "app/qt/twips.h"
#include "app/time_zones.h"
#include "calendar/entry_checks.h"
#include "charts/qt/dial_widget.h"
#include "charts/qt/sign_pictures.h"
#include "interpretation/assembly.h"
#include "interpretation/qt/interpret_window.h"

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
    for (DialWidget* dial : {Picture1_, Picture2_, Picture3_}) {
        installDialImageMenu(dial, presenter_);
    }
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildEntryStrip(QWidget* client) {
    addLabel(client, "Label12", "Prénom :", {120, 165, 735, 255});
    t_prenom_ = addField(client, "t_prenom", "", {840, 120, 975, 285});
    addLabel(client, "Label13", "Nom :", {1920, 165, 495, 255});
    t_nom_ = addField(client, "t_nom", "", {2400, 120, 1335, 285});
    addLabel(client, "Label1", "Né(e) le", {3840, 165, 615, 255});
    Text1_ = addField(client, "Text1", "01/01/1950", {4460, 120, 1095, 285});
    addLabel(client, "Label6", "à", {5620, 165, 135, 255});
    Text2_ = addField(client, "Text2", "12h00", {5840, 120, 615, 285});

    Combo1_ = new QComboBox(client);
    Combo1_->setObjectName("Combo1");
    for (const auto row : kTimeZoneRows) {
        Combo1_->addItem(QString::fromUtf8(row.data(), qsizetype(row.size())));
    }
    Combo1_->setCurrentIndex(PersonRecord::kDefaultTimeZoneRow);
    placeInTwips(Combo1_, 6560, 90, 6300, 315);

    Command1_ = addButton(client, "Command1", "Calculer", {12960, 70, 975, 315});
    Command3_ = addButton(client, "Command3", "Effacer", {14040, 70, 735, 315});
    onClick(Command1_, [this] { calculer(); });
    onClick(Command3_, [this] { effacer(); });

    t_prenom_->installEventFilter(this);
    t_nom_->installEventFilter(this);
    QWidget::setTabOrder(t_prenom_, t_nom_);
    QWidget::setTabOrder(t_nom_, Text1_);
    QWidget::setTabOrder(Text1_, Text2_);
    QWidget::setTabOrder(Text2_, Combo1_);
    QWidget::setTabOrder(Combo1_, Command1_);
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
    SSTab1_ = new QTabWidget(client);
    SSTab1_->setObjectName("SSTab1");
    placeInTwips(SSTab1_, 120, 600, 14655, 8655);

    QWidget* life = buildCyclePage("Picture1", session_->lunarSurface(), "Combo2", "Command4", &Picture1_,
                                   &Combo2_, &Command4_);
    QWidget* jupiter = buildCyclePage("Picture2", session_->jupiterSurface(), "Combo3", "Command5",
                                      &Picture2_, &Combo3_, &Command5_);
    QWidget* saturn = buildCyclePage("Picture3", session_->saturnSurface(), "Combo4", "Command7", &Picture3_,
                                     &Combo4_, &Command7_);
    SSTab1_->addTab(life, "Cycle de vie");
    SSTab1_->addTab(jupiter, "Cycle socio-professionnel");
    SSTab1_->addTab(saturn, "Cycle d'individuation");
    SSTab1_->setCurrentIndex(0);

    Command2_ = addButton(life, "Command2", "Parents, relations, évenements",
                          {10800, 960 - kTabStripTwips, 3615, 495});
    Command2_->setEnabled(false);
    buildEventsPanel(life);
    connectCyclePages();
    onClick(Command2_, [this] {
        Frame1_->setVisible(!Frame1_->isVisible());
        if (Frame1_->isVisible()) {
            s_date_[0]->setFocus();
        }
    });
}

void MainWindow::buildEventsPanel(QWidget* page) {
    Frame1_ = new QFrame(page);
    Frame1_->setObjectName("Frame1");
    Frame1_->setFrameShape(QFrame::StyledPanel);
    placeInTwips(Frame1_, 10800, 1440 - kTabStripTwips, 3615, 6500);
    Frame1_->hide();

    auto* explanation =
        addLabel(Frame1_, "Label7",
                 "Insérer les dates de naissance de vos parents, grands-parents... ou des "
                 "événements importants de votre vie pour voir où ils tombent dans votre cycle.",
                 {30, 120, 3540, 1215});
    explanation->setWordWrap(true);
    paintBackground(explanation, QColor(255, 192, 128));

    auto* rows = new QWidget(Frame1_);
    rows->setObjectName("Picture4");
    paintBackground(rows, kWindowYellow);
    placeInTwips(rows, 0, 1320, 3615, 5175);
    rows->lower();
    addLabel(rows, "Label8", "Date (jj/mm/aaaa)", {120, 0, 1335, 255});
    addLabel(rows, "Label9", "Evenement ou personne", {1680, 0, 1815, 255});

    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        s_date_[i] = addField(Frame1_, QString("s_date_%1").arg(i), "", {360, 1680 + 360 * i, 975, 285});
        s_pers_[i] = addField(Frame1_, QString("s_pers_%1").arg(i), "", {1680, 1680 + 360 * i, 1815, 285});
    }
    Command8_ = addButton(Frame1_, "Command8", "Ok", {960, 6000, 2055, 375});
    Command8_->setEnabled(false);
    onClick(Command8_, [this] { plotEvents(); });
}

// Selecting a cycle redraws that tab's dial only; the "Interpréter" buttons read the run state.
void MainWindow::connectCyclePages() {
    connect(Combo2_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_->selectLunarCycle(index, now_());
        refreshDials();
    });
    connect(Combo3_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_->selectJupiterCycle(index, now_());
        refreshDials();
    });
    connect(Combo4_, &QComboBox::currentIndexChanged, this, [this](int index) {
        session_->selectSaturnCycle(index, now_());
        refreshDials();
    });
    onClick(Command4_, [this] { interpret("Cycle de vie", &SoliLunarText); });
    onClick(Command5_, [this] { interpret("Cycle socio-professionnel", &JupiterText); });
    onClick(Command7_, [this] { interpret("Cycle d'individuation", &SaturnText); });
}

void MainWindow::interpret(const char* title, std::string (*text)(const RunState&, const ParagraphSet&)) {
    const ParagraphSet* paragraphs = session_->paragraphs();
    if (!paragraphs) {
        return;
    }
    InterpretWindow::setOwner(this);
    SetInterpretationTitle(title);
    SetInterpretationText(text(session_->state(), *paragraphs));
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
    show(Picture1_, session_->lunarSurface());
    show(Picture2_, session_->jupiterSurface());
    show(Picture3_, session_->saturnSurface());
    // A list with entries and none chosen: a note in the middle of its empty dial.
    for (auto [dial, list] : {std::pair{Picture1_, Combo2_}, {Picture2_, Combo3_}, {Picture3_, Combo4_}}) {
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
    m_rapport_ = file->addAction("&Exporter le rapport PDF...");
    m_rapport_->setObjectName("m_rapport");
    m_rapport_->setEnabled(false);
    connect(m_rapport_, &QAction::triggered, this,
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
    person.t_prenom = toUtf8(t_prenom_->text());
    person.t_nom = toUtf8(t_nom_->text());
    person.Text1 = toUtf8(Text1_->text());
    person.Text2 = toUtf8(Text2_->text());
    person.timeZoneRow = Combo1_->currentIndex();
    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        person.events[i] = {toUtf8(s_date_[i]->text()), toUtf8(s_pers_[i]->text())};
    }
    return person;
}

void MainWindow::setPerson(const PersonRecord& person) {
    t_prenom_->setText(fromUtf8(person.t_prenom));
    t_nom_->setText(fromUtf8(person.t_nom));
    Text1_->setText(fromUtf8(person.Text1));
    Text2_->setText(fromUtf8(person.Text2));
    if (person.timeZoneRow >= 0 && person.timeZoneRow < Combo1_->count()) {
        Combo1_->setCurrentIndex(person.timeZoneRow);
    }
    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        s_date_[i]->setText(fromUtf8(person.events[i].date));
        s_pers_[i]->setText(fromUtf8(person.events[i].name));
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
        const char* text = field == t_nom_ ? kLastNameForbiddenMessage : kFirstNameForbiddenMessage;
        presenter_(Message{text, "Erreur", MessageIcon::Exclamation});
        field->setFocus(Qt::OtherFocusReason);
        refusingName_ = false;
    }
    return true;
}

// A click that took the focus from a refused name field does not take place.
void MainWindow::onClick(QPushButton* button, std::function<void()> action) {
    connect(button, &QPushButton::clicked, this, [this, action = std::move(action)] {
        for (QLineEdit* name : {t_prenom_, t_nom_}) {
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
    if (event->type() == QEvent::FocusOut && (watched == t_nom_ || watched == t_prenom_)) {
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
            t_prenom_->setFocus();
            break;
        case EntryField::LastName:
            t_nom_->setFocus();
            break;
        case EntryField::BirthDate:
            Text1_->setFocus();
            break;
        case EntryField::BirthTime:
            Text2_->setFocus();
            break;
    }
}

bool MainWindow::calculer() {
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
    refreshLists();
    enableRunActions(true);
    lastRunPerson_ = person();
    return true;
}

// What needs a computed person: the persons/events panel and its "Ok", the interpretations, the PDF.
void MainWindow::enableRunActions(bool enabled) {
    for (QPushButton* button : {Command2_, Command8_, Command4_, Command5_, Command7_}) {
        button->setEnabled(enabled);
    }
    m_rapport_->setEnabled(enabled);
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
    fill(Combo2_, session_->lunar().Combo2, session_->lunar().Combo2Selected);
    fill(Combo3_, session_->jupiter().comboEntries, session_->jupiter().selectedIndex);
    fill(Combo4_, session_->saturn().comboEntries, session_->saturn().selectedIndex);
    refreshDials();
}

void MainWindow::effacer() {
    for (QLineEdit* field : {t_prenom_, t_nom_, Text1_, Text2_}) {
        field->clear();
    }
    for (QComboBox* list : {Combo2_, Combo3_, Combo4_}) {
        const QSignalBlocker blocker(list);
        list->clear();
    }
    for (int i = 0; i < PersonRecord::kEventRows; ++i) {
        s_date_[i]->clear();
        s_pers_[i]->clear();
    }
    Frame1_->hide();
    enableRunActions(false);  // they would draw, explain or print the person just cleared
    session_->clearCharts();
    refreshDials();
}

}  // namespace selenarc
