#include <QtTest>

#include <QDir>
#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextEdit>

#include <vector>

#include "interpretation/qt/interpret_window.h"

using namespace selenarc;

Q_DECLARE_METATYPE(selenarc::InterpretLayout)

namespace {

// A text long enough for several pages, with the accents and quotes of the real ones.
QString longText() {
    QStringList lines;
    for (int line = 1; line <= 150; ++line) {
        lines << QStringLiteral(
                     "Ligne %1 : l'été où la Lune était à son dernier quartier, « entre » deux "
                     "cycles, fin de la ligne %1.")
                     .arg(line);
    }
    return lines.join(QStringLiteral("\r\n"));
}

// What pdftotext reads in a PDF (pages end with a form feed), or a null string when it fails.
QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The words as one line, ligatures ("ﬁ") spelt out.
QString words(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).simplified();
}

bool havePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

std::vector<Message> messages;  // what the window reported instead of showing it

InterpretWindow& filledWindow(const QString& title, const QString& text) {
    SetInterpretationTitle(title.toStdString());
    SetInterpretationText(text.toStdString());
    InterpretWindow& window = InterpretWindow::instance();
    window.setMessageSink([](const Message& message) { messages.push_back(message); });
    return window;
}

}  // namespace

class InterpretWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { messages.clear(); }
    void cleanup() { delete InterpretWindow::current(); }

    void layoutRule_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<InterpretLayout>("expected");
        const InterpretLayout design;  // 9375, 9375 × 6735
        QTest::newRow("5000 x 4000") << 5000 << 4000 << InterpretLayout{5000, 4900, 3225};
        QTest::newRow("design size") << 9375 << 7095 << InterpretLayout{9375, 9275, 6320};
        QTest::newRow("width 100 keeps the text width")
            << 100 << 4000 << InterpretLayout{100, design.textWidth, 3225};
        QTest::newRow("width 101") << 101 << 4000 << InterpretLayout{101, 1, 3225};
        QTest::newRow("height 775 keeps the text height")
            << 5000 << 775 << InterpretLayout{5000, 4900, design.textHeight};
        QTest::newRow("height 776") << 5000 << 776 << InterpretLayout{5000, 4900, 1};
        QTest::newRow("nothing") << 0 << 0 << InterpretLayout{0, design.textWidth, design.textHeight};
    }
    void layoutRule() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(InterpretLayout, expected);
        const InterpretLayout fitted = fitInterpretLayout(width, height, InterpretLayout{});
        QCOMPARE(fitted.stripWidth, expected.stripWidth);
        QCOMPARE(fitted.textWidth, expected.textWidth);
        QCOMPARE(fitted.textHeight, expected.textHeight);
    }

    void windowFollowsItsSize_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("strip");
        QTest::addColumn<QRect>("text");
        QTest::newRow("design") << QSize(625, 473) << QRect(0, 0, 625, 25) << QRect(0, 24, 618, 421);
        QTest::newRow("400 x 300") << QSize(400, 300) << QRect(0, 0, 400, 25) << QRect(0, 24, 393, 248);
        QTest::newRow("too small keeps the text area")
            << QSize(6, 40) << QRect(0, 0, 6, 25) << QRect(0, 24, 618, 421);
    }
    void windowFollowsItsSize() {
        QFETCH(QSize, size);
        QFETCH(QRect, strip);
        QFETCH(QRect, text);
        InterpretWindow& window = filledWindow(QStringLiteral("Cycle de vie"), QStringLiteral("Texte"));
        window.show();
        window.resize(625, 473);
        window.resize(size);
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->geometry(), strip);
        QCOMPARE(window.findChild<QTextEdit*>(QStringLiteral("Text1"))->geometry(), text);
        QCOMPARE(window.findChild<QPushButton*>(QStringLiteral("Command1"))->geometry(), QRect(0, 0, 73, 25));
    }

    void oneWindowReplacedInPlace() {
        QCOMPARE(InterpretWindow::current(), nullptr);
        SetInterpretationTitle("Cycle de vie");
        SetInterpretationText("Premier texte\r\nsur deux lignes");
        showInterpretation();
        InterpretWindow* first = InterpretWindow::current();
        QVERIFY(first && first->isVisible());
        QCOMPARE(first->plainText(),
                 QStringLiteral("Premier texte\nsur deux lignes"));  // one break per CR LF
        QCOMPARE(first->windowTitle(), QStringLiteral("Interprétation"));

        SetInterpretationTitle("Cycle d'individuation");
        SetInterpretationText("Second texte");
        showInterpretation();
        QCOMPARE(InterpretWindow::current(), first);
        QCOMPARE(first->title(), QStringLiteral("Cycle d'individuation"));
        QCOMPARE(first->plainText(), QStringLiteral("Second texte"));
        int windows = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            windows += qobject_cast<InterpretWindow*>(widget) != nullptr;
        }
        QCOMPARE(windows, 1);

        // Closing discards it; the next use builds a fresh one that is not shown yet.
        first->close();
        QTRY_COMPARE(InterpretWindow::current(), nullptr);
        SetInterpretationText("Troisième");
        QVERIFY(InterpretWindow::current());
        QVERIFY(!InterpretWindow::current()->isVisible());
        QCOMPARE(InterpretWindow::current()->title(), QString());
        QCOMPARE(InterpretWindow::current()->plainText(), QStringLiteral("Troisième"));
    }

    // "Imprimer" onto a PDF printer: the whole text although a part of it was selected.
    void printsTheWholeText() {
        if (!havePdfToText()) {
            QSKIP("pdftotext is not installed");
        }
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("impression.pdf"));
        InterpretWindow& window = filledWindow(QStringLiteral("Cycle de vie"), longText());
        window.setPrinterChooser([&pdf](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        auto* area = window.findChild<QTextEdit*>(QStringLiteral("Text1"));
        QTextCursor cursor(area->document());
        cursor.setPosition(400);
        cursor.setPosition(900, QTextCursor::KeepAnchor);
        area->setTextCursor(cursor);

        window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();

        QVERIFY(!area->textCursor().hasSelection());
        const QString printed = pdfText(pdf);
        QCOMPARE(words(printed), "Cycle de vie " + longText().simplified());
        QVERIFY(printed.count('\f') > 1);
        QVERIFY(messages.empty());
    }

    void printingFailsSilently_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("output");
        QTest::newRow("dialog cancelled") << false << "annule.pdf";
        QTest::newRow("device unusable") << true << "dossier-absent/impression.pdf";
    }
    void printingFailsSilently() {
        QFETCH(bool, accept);
        QFETCH(QString, output);
        QTemporaryDir folder;
        InterpretWindow& window = filledWindow(QStringLiteral("Cycle de vie"), QStringLiteral("Texte"));
        window.setPrinterChooser([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.filePath(output));
            return accept;
        });
        window.printText();
        QVERIFY(messages.empty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(window.plainText(), QStringLiteral("Texte"));
    }

    void exportsPdf_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("suffix added") << "interpretation"
                                      << "interpretation.pdf";
        QTest::newRow("suffix kept") << "interpretation.pdf"
                                     << "interpretation.pdf";
        QTest::newRow("upper-case suffix kept") << "INTERPRETATION.PDF"
                                                << "INTERPRETATION.PDF";
        QTest::newRow("dotted accented name") << "été.2024"
                                              << "été.2024.pdf";
    }
    void exportsPdf() {
        if (!havePdfToText()) {
            QSKIP("pdftotext is not installed");
        }
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QTemporaryDir folder;
        InterpretWindow& window = filledWindow(QStringLiteral("Cycle d'individuation"), longText());
        window.setPdfFileChooser([&] { return folder.filePath(chosen); });

        window.findChild<QPushButton*>(QStringLiteral("exportPdf"))->click();

        QVERIFY(messages.empty());
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{written});
        QCOMPARE(words(pdfText(folder.filePath(written))),
                 "Cycle d'individuation " + longText().simplified());
    }

    void exportFailures_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("reported");
        QTest::newRow("cancelled") << "" << false;
        QTest::newRow("missing folder") << "absent/sortie.pdf" << true;
        QTest::newRow("name of a folder") << "dossier.pdf" << true;
    }
    void exportFailures() {
        QFETCH(QString, chosen);
        QFETCH(bool, reported);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("dossier.pdf")));
        InterpretWindow& window = filledWindow(QStringLiteral("Cycle de vie"), QStringLiteral("Texte"));
        window.setPdfFileChooser(
            [&]() -> QString { return chosen.isEmpty() ? QString() : folder.filePath(chosen); });

        window.exportPdf();

        QCOMPARE(messages.size(), reported ? std::size_t{1} : std::size_t{0});
        if (reported) {
            QCOMPARE(QString::fromStdString(messages[0].title), QStringLiteral("Erreur"));
            QVERIFY(QString::fromStdString(messages[0].text)
                        .contains(QDir::toNativeSeparators(folder.filePath(chosen))));
        }
        // Nothing half-written is left behind.
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"dossier.pdf"});
        QCOMPARE(QDir(folder.filePath(QStringLiteral("dossier.pdf")))
                     .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList());
    }
};

QTEST_MAIN(InterpretWindowTest)
#include "test_interpret_window.moc"
