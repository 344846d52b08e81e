#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "app/person_record.h"
#include "app/session.h"

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace selenarc {

class DialWidget;

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

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildEntryStrip(QWidget* client);
    void buildTabs(QWidget* client);
    void buildEventsPanel(QWidget* page);
    void buildMenus();
    QWidget* buildCyclePage(const QString& pictureName, const ChartSurface& surface, const QString& listName,
                            const QString& buttonName, DialWidget** dial, QComboBox** list,
                            QPushButton** interpret);
    void connectCyclePages();
    void plotEvents();
    void interpret(const char* title, std::string (*text)(const RunState&, const ParagraphSet&));
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

    QLineEdit* t_prenom_ = nullptr;
    QLineEdit* t_nom_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QComboBox* Combo1_ = nullptr;
    QPushButton* Command1_ = nullptr;
    QPushButton* Command3_ = nullptr;
    QTabWidget* SSTab1_ = nullptr;
    QComboBox* Combo2_ = nullptr;
    QComboBox* Combo3_ = nullptr;
    QComboBox* Combo4_ = nullptr;
    QPushButton* Command2_ = nullptr;
    QPushButton* Command4_ = nullptr;
    QPushButton* Command5_ = nullptr;
    QPushButton* Command7_ = nullptr;
    QPushButton* Command8_ = nullptr;
    QFrame* Frame1_ = nullptr;
    DialWidget* Picture1_ = nullptr;
    DialWidget* Picture2_ = nullptr;
    DialWidget* Picture3_ = nullptr;
    std::array<QLineEdit*, PersonRecord::kEventRows> s_date_{};
    std::array<QLineEdit*, PersonRecord::kEventRows> s_pers_{};
    QAction* m_rapport_ = nullptr;
    PersonRecord lastRunPerson_;  // the person of the last successful run, for the PDF report
    bool refusingName_ = false;
    bool pendingRefusal_ = false;  // a name field was left with a forbidden character; its message is queued
};

}  // namespace selenarc
