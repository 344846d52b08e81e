#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <fstream>

#include "app/person_file.h"
#include "app/qt/main_window.h"
#include "app/qt/open_window.h"
#include "app/qt/person_files_ui.h"

using namespace selenarc;
namespace fs = std::filesystem;

namespace {

CivilDateTime fixedNow() {
    return makeDateTime(2026, 12, 6, 10, 30);
}

}  // namespace

class OpenWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;  // stands for the user's data folder: the real one is never touched
    DataFolder folder_;
    std::vector<Message> messages_;
    std::unique_ptr<MainWindow> window_;

    template <typename T>
    static T* child(QObject* parent, const char* name) {
        auto* found = parent->findChild<T*>(name);
        if (!found) {
            qFatal("no child %s", name);
        }
        return found;
    }
    QLineEdit* field(const char* name) { return child<QLineEdit>(window_.get(), name); }
    void menu(const char* name) { child<QAction>(window_.get(), name)->trigger(); }
    QString lastMessage() const {
        return messages_.empty() ? QString() : QString::fromStdString(messages_.back().text);
    }
    OpenWindow* openWindow() {
        menu("m_ouvrir");
        return OpenWindow::existing();
    }
    QStringList listed(OpenWindow* open) {
        QStringList lines;
        auto* list = child<QListWidget>(open, "List1");
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        return lines;
    }
    void select(OpenWindow* open, const QString& line) {
        auto* list = child<QListWidget>(open, "List1");
        list->setCurrentRow(int(listed(open).indexOf(line)));
    }

  private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        folder_ = prepareDataFolder(dataFolderBase(), fs::path(home_.path().toStdString()) / "program");
    }
    void init() {
        messages_.clear();
        fs::remove_all(folder_.path);
        fs::create_directory(folder_.path);
        window_ = std::make_unique<MainWindow>(
            SELENARC_SOURCE_DIR "/data", [this](const Message& m) { messages_.push_back(m); }, fixedNow);
        connectPersonFileMenus(*window_, folder_, [this](const Message& m) { messages_.push_back(m); });
    }
    void cleanup() {
        delete OpenWindow::existing();
        window_.reset();
    }

    void folderUnderUserData() {
        QVERIFY(folder_.usable);
        QCOMPARE(QString::fromStdString(folder_.path.string()), home_.path() + "/selenarc");
    }

    // Save, scramble the fields, open: everything comes back and the run is redone.
    void saveThenOpen_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("firstBack");
        QTest::addColumn<QString>("lastBack");
        QTest::newRow("Jean Pierre Dupont") << "Jean Pierre"
                                            << "Dupont"
                                            << "Jean Pierre Dupont"
                                            << "Jean Pierre"
                                            << "Dupont";
        QTest::newRow("empty names") << ""
                                     << ""
                                     << " "
                                     << ""
                                     << "";
    }
    void saveThenOpen() {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, line);
        QFETCH(QString, firstBack);
        QFETCH(QString, lastBack);
        field("t_prenom")->setText(first);
        field("t_nom")->setText(last);
        field("Text1")->setText("14/07/1965");
        field("Text2")->setText("06h45");
        child<QComboBox>(window_.get(), "Combo1")->setCurrentIndex(3);
        field("s_date_0")->setText("01/05/1990");
        field("s_pers_0")->setText("Mère");
        field("s_date_11")->setText("02/06/2010");
        field("s_pers_11")->setText("Déménagement");
        menu("m_sauce");
        QCOMPARE(lastMessage(), "Enregistrement effectué");

        window_->effacer();
        child<QComboBox>(window_.get(), "Combo1")->setCurrentIndex(20);
        field("Text1")->setText("01/01/2000");
        OpenWindow* open = openWindow();
        QVERIFY(open);
        QCOMPARE(listed(open), QStringList{line});
        select(open, line);
        child<QPushButton>(open, "Command2")->click();
        QTRY_VERIFY(!OpenWindow::existing());

        QCOMPARE(field("t_prenom")->text(), firstBack);
        QCOMPARE(field("t_nom")->text(), lastBack);
        QCOMPARE(field("Text1")->text(), "14/07/1965");
        QCOMPARE(field("Text2")->text(), "06h45");
        QCOMPARE(child<QComboBox>(window_.get(), "Combo1")->currentIndex(), 3);
        QCOMPARE(field("s_pers_0")->text(), "Mère");
        QCOMPARE(field("s_date_11")->text(), "02/06/2010");
        QCOMPARE(field("s_pers_11")->text(), "Déménagement");
        const bool ran = !firstBack.isEmpty();
        QCOMPARE(child<QComboBox>(window_.get(), "Combo2")->count() > 0, ran);
        if (!ran) {
            QCOMPARE(lastMessage(), "Le prénom doit être saisi");
        }
    }

    // "Ouvrir" without a line, "Abandonner", and a file gone since the list was made.
    void otherEndings_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("firstAfter");
        QTest::addColumn<QString>("dateAfter");
        QTest::addColumn<QString>("message");
        QTest::newRow("open without selection") << "none"
                                                << ""
                                                << ""
                                                << "Enregistrement effectué";
        QTest::newRow("abandon") << "abandon"
                                 << "Anne"
                                 << "03/03/1973"
                                 << "Enregistrement effectué";
        QTest::newRow("file vanished") << "vanished"
                                       << ""
                                       << ""
                                       << "introuvable";
        QTest::newRow("double click") << "double"
                                      << "Anne"
                                      << "03/03/1973"
                                      << "Enregistrement effectué";
    }
    void otherEndings() {
        QFETCH(QString, action);
        QFETCH(QString, firstAfter);
        QFETCH(QString, dateAfter);
        QFETCH(QString, message);
        field("t_prenom")->setText("Anne");
        field("t_nom")->setText("Martin");
        field("Text1")->setText("03/03/1973");
        menu("m_sauce");
        OpenWindow* open = openWindow();
        QVERIFY(open);
        auto* list = child<QListWidget>(open, "List1");
        if (action == "abandon") {
            child<QPushButton>(open, "Command1")->click();
        } else if (action == "double") {
            window_->effacer();
            list->setCurrentRow(0);
            emit list->itemDoubleClicked(list->item(0));
        } else {
            if (action == "vanished") {
                fs::remove(folder_.path / "Anne#Martin.atl");
                list->setCurrentRow(0);
            }
            child<QPushButton>(open, "Command2")->click();
        }
        QTRY_VERIFY(!OpenWindow::existing());
        QCOMPARE(field("t_prenom")->text(), firstAfter);
        QCOMPARE(field("Text1")->text(), dateAfter);
        QVERIFY2(lastMessage().contains(message), qPrintable(lastMessage()));
    }

    // One window, listed once when created, sorted without regard to case or accents, "#" required.
    void listing() {
        for (const char* name : {"zoé#B.atl", "Émile#A.atl", "adam#C.atl", "sans-diese.atl"}) {
            std::ofstream(folder_.path / pathFromUtf8(name)) << "DNA=\r\n";
        }
        OpenWindow* open = openWindow();
        QCOMPARE(open->windowTitle(), "Ouvrir");
        QCOMPARE(open->size(), QSize(322, 338));
        QCOMPARE(listed(open), QStringList({"adam C", "Émile A", "zoé B"}));
        std::ofstream(folder_.path / "bob#D.atl") << "DNA=\r\n";
        QCOMPARE(openWindow(), open);
        QCOMPARE(listed(open).size(), 3);
    }
};

QTEST_MAIN(OpenWindowTest)
#include "test_open_window.moc"
