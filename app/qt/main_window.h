#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "app/person_record.h"
#include "app/session.h"
#include "app/unsaved_changes.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace selenarc {

class DialWidget;
class EntryStrip;
class PlaceField;

// The program's clock, injected so tests fix "now".
using NowProvider = std::function<CivilDateTime()>;

// The main window f_principale: entry strip, the three tabs with their lists, dials and
// "Interpréter" buttons, the persons/events panel, the menus. It holds no astrology: every result
// comes from the Session it drives.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    MainWindow(std::filesystem::path programFolder, MessageSink presenter, NowProvider now);
    ~MainWindow() override;

    // The person as the entry fields hold it now.
    PersonRecord person() const;
    // Fills the entry fields (used by the person files).
    void setPerson(const PersonRecord& person);

    // The run sequence ("Calculer"); false when a check stopped it.
    bool calculer();
    // The run sequence, then the persons/events plotting whatever its outcome.
    void lancer();
    void effacer();

    Session& session() { return *session_; }

    // Unsaved changes: `save` writes the person's file (true when saved), `ask` replaces the question
    // box « Enregistrer les modifications de ... ? » (Oui / Non / Annuler).
    void setSavePerson(std::function<bool()> save) { savePerson_ = std::move(save); }
    // "Sauvegarder": true when saved.
    bool savePerson() { return savePerson_ && savePerson_(); }
    void setAskChoice(AskChoice ask) { askChoice_ = std::move(ask); }
    // The fields now hold the person as saved or opened.
    void markPersonSaved() { unsaved_.markSaved(person()); }
    // Before the person is left (quit, open another): true when nothing changed, or after "Non", or
    // after "Oui" and a successful save; false for "Annuler" or a failed save.
    bool mayLeavePerson();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    EntryStrip* buildEntryStrip(QWidget* client);
    void buildTabs(QWidget* client);
    void buildEventsPanel(QWidget* page);
    void buildMenus();
    QWidget* buildCyclePage(const QString& pictureName, const ChartSurface& surface, const QString& listName,
                            const QString& buttonName, DialWidget** dial, QComboBox** list,
                            QPushButton** interpret, QWidget* extras = nullptr);
    void connectCyclePages();
    void fitToScreen();
    void plotEvents();
    void interpret(int tab);
    void printInterpretation();
    void refreshDials();
    void enableRunActions(bool enabled);

    bool nameFieldRefuses(QLineEdit* field);
    void onClick(QPushButton* button, std::function<void()> action);
    void refreshLists();
    void focusField(EntryField field);
    void showAbout();

    std::unique_ptr<Session> session_;
    MessageSink presenter_;
    NowProvider now_;

    QLineEdit* firstNameEdit_ = nullptr;
    QLineEdit* lastNameEdit_ = nullptr;
    QLineEdit* birthDateEdit_ = nullptr;
    QLineEdit* birthTimeEdit_ = nullptr;
    QComboBox* timeZoneList_ = nullptr;
    PlaceField* placeField_ = nullptr;
    QPushButton* calculateButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QTabWidget* cycleTabs_ = nullptr;
    QComboBox* lunarCycleList_ = nullptr;
    QComboBox* jupiterCycleList_ = nullptr;
    QComboBox* saturnCycleList_ = nullptr;
    QPushButton* eventsButton_ = nullptr;
    QPushButton* lunarInterpretButton_ = nullptr;
    QPushButton* jupiterInterpretButton_ = nullptr;
    QPushButton* saturnInterpretButton_ = nullptr;
    QPushButton* plotEventsButton_ = nullptr;
    QFrame* eventsPanel_ = nullptr;
    DialWidget* lunarDial_ = nullptr;
    DialWidget* jupiterDial_ = nullptr;
    DialWidget* saturnDial_ = nullptr;
    std::array<QLineEdit*, PersonRecord::kEventRows> eventDateEdits_{};
    std::array<QLineEdit*, PersonRecord::kEventRows> eventNameEdits_{};
    QAction* pdfReportAction_ = nullptr;
    QAction* printAction_ = nullptr;
    UnsavedChanges unsaved_;
    std::function<bool()> savePerson_;
    AskChoice askChoice_;
    PersonRecord lastRunPerson_;  // the person of the last successful run, for the PDF report
    bool refusingName_ = false;
    QLineEdit* pendingRefusal_ = nullptr;  // the name field left last, whose check is queued
};

}  // namespace selenarc
