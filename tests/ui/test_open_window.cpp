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

class OpenWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;  // stands for the user's data folder: the real one is never touched
    DataFolder folder_;
    std::vector<Message> messages_;
    std::unique_ptr<MainWindow> window_;

    template <typename T = QLineEdit>
    T* child(const char* name, QObject* parent = nullptr) {
        auto* found = (parent ? parent : window_.get())->findChild<T*>(name);
        if (!found) {
            qFatal("no child %s", name);
        }
        return found;
    }
    QString lastMessage() const {
        return messages_.empty() ? QString() : QString::fromStdString(messages_.back().text);
    }
    OpenWindow* openWindow() {
        child<QAction>("m_ouvrir")->trigger();
        return OpenWindow::existing();
    }
    QStringList listed(OpenWindow* open) {
        QStringList lines;
        auto* list = child<QListWidget>("List1", open);
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        return lines;
    }

  private slots:
    void initTestCase() {
        QVERIFY(home_.isValid());
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        folder_ = prepareDataFolder(dataFolderBase(), fs::path(home_.path().toStdString()) / "program");
        QVERIFY(folder_.usable);
        QCOMPARE(QString::fromStdString(folder_.path.string()), home_.path() + "/selenarc");
    }
    void init() {
        messages_.clear();
        fs::remove_all(folder_.path);
        fs::create_directory(folder_.path);
        const MessageSink sink = [this](const Message& m) { messages_.push_back(m); };
        window_ = std::make_unique<MainWindow>(SELENARC_SOURCE_DIR "/data", sink,
                                               [] { return makeDateTime(2026, 12, 6, 10, 30); });
        connectPersonFileMenus(*window_, folder_, sink);
    }
    void cleanup() {
        delete OpenWindow::existing();
        window_.reset();
    }

    // Save, scramble the fields, then end the window in each way: a chosen line (button or double
    // click) brings everything back and reruns; no line, or a file gone since, only clears.
    void saveThenOpen_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("names");  // first|last
        QTest::addColumn<QString>("dateAfter");
        QTest::addColumn<QString>("message");
        const QString saved = "Enregistrement effectué", back = "14/07/1965";
        QTest::newRow("Jean Pierre Dupont") << "open" << QString("Jean Pierre|Dupont") << back << saved;
        QTest::newRow("empty names") << "open" << QString("|") << back << "Le prénom doit être saisi";
        QTest::newRow("double click") << "double" << QString("Anne|Martin") << back << saved;
        QTest::newRow("open without selection") << "none" << QString("Anne|Martin") << QString() << saved;
        QTest::newRow("abandon") << "abandon" << QString("Anne|Martin") << QString("01/01/2000") << saved;
        QTest::newRow("file vanished") << "vanished" << QString("Anne|Martin") << QString() << "introuvable";
    }
    void saveThenOpen() {
        QFETCH(QString, action);
        QFETCH(QString, names);
        QFETCH(QString, dateAfter);
        const QString first = names.section('|', 0, 0), last = names.section('|', 1);
        QFETCH(QString, message);
        const QStringList fields{"Text1", "Text2", "s_date_0", "s_pers_0", "s_date_11", "s_pers_11"};
        const QStringList values{"14/07/1965", "06h45", "01/05/1990", "Mère", "02/06/2010", "Déménagement"};
        for (int i = 0; i < fields.size(); ++i) {
            child(qPrintable(fields[i]))->setText(values[i]);
        }
        child<QComboBox>("Combo1")->setCurrentIndex(3);
        child("t_prenom")->setText(first);
        child("t_nom")->setText(last);
        child<QAction>("m_sauce")->trigger();
        QCOMPARE(lastMessage(), "Enregistrement effectué");

        window_->effacer();
        child<QComboBox>("Combo1")->setCurrentIndex(20);
        child("Text1")->setText("01/01/2000");
        OpenWindow* open = openWindow();
        QVERIFY(open);
        QCOMPARE(listed(open), QStringList{first + " " + last});
        auto* list = child<QListWidget>("List1", open);
        if (action == "abandon") {
            child<QPushButton>("Command1", open)->click();
        } else if (action == "double") {
            list->setCurrentRow(0);
            emit list->itemDoubleClicked(list->item(0));
        } else {
            if (action == "vanished") {
                fs::remove(folder_.path / "Anne#Martin.atl");
            }
            if (action != "none") {
                list->setCurrentRow(0);
            }
            child<QPushButton>("Command2", open)->click();
        }
        QTRY_VERIFY(!OpenWindow::existing());
        QCOMPARE(child("Text1")->text(), dateAfter);
        QVERIFY2(lastMessage().contains(message), qPrintable(lastMessage()));
        if (dateAfter == values[0]) {
            QCOMPARE(child("t_prenom")->text() + "|" + child("t_nom")->text(), names);
            for (int i = 0; i < fields.size(); ++i) {
                QCOMPARE(child(qPrintable(fields[i]))->text(), values[i]);
            }
            QCOMPARE(child<QComboBox>("Combo1")->currentIndex(), 3);
            QCOMPARE(child<QComboBox>("Combo2")->count() > 0, !first.isEmpty());
        } else {
            QCOMPARE(child("t_prenom")->text(), QString());
        }
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
