#include <QtTest>
#include <QtWidgets>

#include "app/qt/main_window.h"
#include "app/qt/person_files_ui.h"

using namespace selenarc;

class OpenWindowTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> home_;  // stands for the user's data folder: the real one is never touched
    DataFolder folder_;
    std::vector<Message> messages_;
    int questions_ = 0;
    int changeQuestions_ = 0;  // « Enregistrer les modifications de ... ? », answered "Non"
    std::unique_ptr<MainWindow> window_;

    QLineEdit* edit(const char* name) { return window_->findChild<QLineEdit*>(name); }
    QComboBox* combo(const char* name) { return window_->findChild<QComboBox*>(name); }
    // "&Ouvrir...": the list of the "Ouvrir" window.
    QListWidget* openList() {
        window_->findChild<QAction*>("m_ouvrir")->trigger();
        return OpenWindow::existing()->findChild<QListWidget*>("List1");
    }

  private slots:
    // A fresh data folder found through the desktop's setting, and a fresh main window wired to it.
    void init() {
        questions_ = 0;
        delete OpenWindow::existing();
        qputenv("XDG_DATA_HOME", home_.emplace().path().toUtf8());
        folder_ = prepareDataFolder(dataFolderBase(), home_->filePath("program").toStdString());
        QCOMPARE(QString::fromStdString(folder_.path.string()), home_->filePath("selenarc"));
        const MessageSink sink = [this](const Message& m) { messages_.push_back(m); };
        window_ = std::make_unique<MainWindow>(SELENARC_SOURCE_DIR "/data", sink,
                                               [] { return makeDateTime(2026, 12, 6, 10, 30); });
        connectPersonFileMenus(*window_, folder_, sink,
                               [this](const Message&) { return ++questions_, true; });
        changeQuestions_ = 0;
        window_->setAskChoice([this](const Message&) { return ++changeQuestions_, Answer::No; });
    }

    // Saved, date and zone changed, then the window ended in each way (the row name): the chosen line,
    // brings everything back and reruns; a file gone since only clears;
    // no line chosen, or "Abandonner", leaves the main window alone.
    void saveThenOpen_data() {
        QTest::addColumn<QString>("after");  // Text1|t_prenom|t_nom|s_pers_11|Combo1|cycles listed
        QTest::addColumn<QString>("message");
        const QString restored = "14/07/1965|Jean Pierre|Dupont|Mère|3|1", saved = "Enregistrement effectué";
        QTest::newRow("open") << restored << saved;
        QTest::newRow("none") << "01/01/2000|Jean Pierre|Dupont|Mère|20|0" << saved;
        QTest::newRow("abandon") << "01/01/2000|Jean Pierre|Dupont|Mère|20|0" << saved;
        // A file that cannot be opened leaves the main window as it was, with a message naming it.
        QTest::newRow("vanished") << "01/01/2000|Jean Pierre|Dupont|Mère|20|0"
                                  << QString("Jean_Pierre#Dupont.atl » est introuvable");
    }
    void saveThenOpen() {
        QFETCH(QString, after);
        QFETCH(QString, message);
        const QString action = QTest::currentDataTag();
        edit("Text1")->setText("14/07/1965");
        edit("s_pers_11")->setText("Mère");
        edit("t_prenom")->setText("Jean Pierre");
        edit("t_nom")->setText("Dupont");
        combo("Combo1")->setCurrentIndex(3);
        window_->findChild<QAction*>("m_sauce")->trigger();
        combo("Combo1")->setCurrentIndex(20);
        edit("Text1")->setText("01/01/2000");
        QListWidget* list = openList();
        QCOMPARE(list->count() == 1 ? list->item(0)->text() : QString(), "Jean Pierre Dupont");
        list->setCurrentRow(action == "none" ? -1 : 0);
        const auto file = folder_.path / "Jean_Pierre#Dupont.atl";
        QVERIFY(action == "open" || action == "none" || action == "abandon" || std::filesystem::remove(file));
        auto* button = list->window()->findChild<QPushButton*>(action == "abandon" ? "Command1" : "Command2");
        button->click();
        QTRY_VERIFY(!OpenWindow::existing());
        const QStringList state{edit("Text1")->text(),
                                edit("t_prenom")->text(),
                                edit("t_nom")->text(),
                                edit("s_pers_11")->text(),
                                QString::number(combo("Combo1")->currentIndex()),
                                QString::number(combo("Combo2")->count() > 0)};
        QCOMPARE(state.join('|'), after);
        QVERIFY2(QString::fromStdString(messages_.back().text).replace("\r\n", "\n").contains(message),
                 messages_.back().text.c_str());
        // The file opened from this window is replaced without a question, whatever its date.
        if (action == "open") {
            edit("Text1")->setText("15/07/1965");
            window_->findChild<QAction*>("m_sauce")->trigger();
            QCOMPARE(messages_.back().text, "Enregistrement effectué");
        }
        QCOMPARE(questions_, 0);
        QCOMPARE(changeQuestions_, 1);  // "Ouvrir" after the changes, not after the save
    }
};

QTEST_MAIN(OpenWindowTest)
#include "test_open_window.moc"
