#include <QtTest>

#include <QPrinter>
#include <QtWidgets>

#include "interpretation/qt/interpret_window.h"

using namespace selenarc;

// Several pages of text with the accents and quotes of the real ones.
const QString kLongText =
    QStringList(150, "Ligne : l'été où la Lune était, « entre » deux cycles.").join("\r\n");

class InterpretWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { delete InterpretWindow::current(); }

    // Strip width, text width and height in twips; the design text area is 9375 × 6735.
    void layoutRule_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("5000 x 4000") << 5000 << 4000 << QList<int>{5000, 4900, 3225};
        QTest::newRow("100 x 775 keeps the text area") << 100 << 775 << QList<int>{100, 9375, 6735};
        QTest::newRow("101 x 776") << 101 << 776 << QList<int>{101, 1, 1};
    }
    void layoutRule() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QList<int>, expected);
        const InterpretLayout fitted = fitInterpretLayout(width, height, InterpretLayout{});
        QCOMPARE(QList<int>({fitted.stripWidth, fitted.textWidth, fitted.textHeight}), expected);
    }

    // One window, its title and text replaced in place; closing discards it, the
    // next use builds a fresh one, not shown yet.
    void oneWindowReplacedInPlace() {
        SetInterpretationTitle("Cycle de vie");
        SetInterpretationText("Premier texte\r\nsur deux lignes");
        showInterpretation();
        InterpretWindow* first = InterpretWindow::current();
        QVERIFY(first && first->isVisible() && first->windowTitle() == "Interprétation");
        QCOMPARE(first->plainText(), "Premier texte\nsur deux lignes");  // one break per CR LF
        SetInterpretationTitle("Cycle d'individuation");
        SetInterpretationText("Second texte");
        showInterpretation();
        QVERIFY(InterpretWindow::current() == first && first->title() == "Cycle d'individuation");
        QCOMPARE(first->plainText(), "Second texte");

        first->close();
        QTRY_COMPARE(InterpretWindow::current(), nullptr);
        SetInterpretationText("Troisième");
        const InterpretWindow* fresh = InterpretWindow::current();
        QVERIFY(fresh && !fresh->isVisible() && fresh->title().isEmpty());
    }

    // "Imprimer" onto a PDF printer prints the whole text although its first line was selected;
    // "Exporter en PDF..." adds ".pdf" when missing. A cancelled choice does nothing; an unusable printer
    // ends silently; a failure to export is reported and leaves nothing half-written.
    void output_data() {
        QTest::addColumn<bool>("print");
        QTest::addColumn<QString>("chosen");   // in a folder holding the folder "dossier.pdf"; "": cancelled
        QTest::addColumn<QString>("written");  // "": nothing written
        QTest::addColumn<bool>("reported");
        QTest::newRow("printed") << true << "impression.pdf" << QString("impression.pdf") << false;
        QTest::newRow("printer dialog cancelled") << true << "" << QString() << false;
        QTest::newRow("printer unusable") << true << "absent/impression.pdf" << QString() << false;
        QTest::newRow("exported, suffix added") << false << "été.2024" << QString("été.2024.pdf") << false;
        QTest::newRow("export to a missing folder") << false << "absent/sortie.pdf" << QString() << true;
    }
    void output() {
        QFETCH(bool, print);
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(bool, reported);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("dossier.pdf")));
        SetInterpretationTitle("Cycle de vie");
        SetInterpretationText(kLongText.toStdString());
        InterpretWindow& window = InterpretWindow::instance();
        window.setSubject("Jean Dupont, interprétation du 06/12/2026");
        std::vector<Message> messages;
        window.setMessageSink([&messages](const Message& message) { messages.push_back(message); });
        window.setPrinterChooser([&](QPrinter& printer) {  // a ".pdf" file name: a PDF printer
            printer.setOutputFileName(folder.filePath(chosen));
            return !chosen.isEmpty();
        });
        window.setPdfFileChooser([&] { return chosen.isEmpty() ? QString() : folder.filePath(chosen); });
        auto* area = window.findChild<QTextEdit*>(QStringLiteral("Text1"));
        area->moveCursor(QTextCursor::Down, QTextCursor::KeepAnchor);

        window.findChild<QPushButton*>(print ? "Command1" : "exportPdf")->click();

        QCOMPARE(messages.size(), size_t(reported));
        QVERIFY(!reported || (messages[0].title == "Erreur" &&
                              QString::fromStdString(messages[0].text).contains(folder.filePath(chosen))));
        QCOMPARE(area->textCursor().hasSelection(), !print);
        const QStringList entries = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(entries.join(' '), ("dossier.pdf " + written).trimmed());
        if (!written.isEmpty()) {
            QProcess pdftotext;  // pages end with a form feed; ligatures ("ﬁ") spelt out below
            pdftotext.start("pdftotext", {"-enc", "UTF-8", folder.filePath(written), "-"});
            pdftotext.waitForFinished(60000);
            const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput())
                                     .normalized(QString::NormalizationForm_KC);
            QCOMPARE(text.simplified(),
                     "Cycle de vie Jean Dupont, interprétation du 06/12/2026 " + kLongText.simplified());
            QVERIFY(text.count('\f') > 1);
        }
    }
};

QTEST_MAIN(InterpretWindowTest)
#include "test_interpret_window.moc"
