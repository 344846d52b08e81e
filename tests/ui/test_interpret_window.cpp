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

namespace {

// A text long enough for several pages, with the accents and quotes of the real ones.
QString longText() {
    QStringList lines;
    for (int line = 1; line <= 150; ++line) {
        lines << QStringLiteral(
                     "Ligne %1 : l'été où la Lune était à son dernier quartier, « entre » deux cycles, "
                     "fin de la ligne %1.")
                     .arg(line);
    }
    return lines.join(QStringLiteral("\r\n"));
}

// What pdftotext reads in a PDF (pages end with a form feed), or a null string when it fails.
QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, "-"});
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

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

std::vector<Message> messages;  // what the window reported instead of showing it

InterpretWindow& filledWindow(const QString& title, const QString& text = QStringLiteral("Texte")) {
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

    // Strip width, text width and height in twips; the design text area is 9375 × 6735.
    void layoutRule_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("5000 x 4000") << 5000 << 4000 << QList<int>{5000, 4900, 3225};
        QTest::newRow("width 100 keeps the text width") << 100 << 4000 << QList<int>{100, 9375, 3225};
        QTest::newRow("width 101") << 101 << 4000 << QList<int>{101, 1, 3225};
        QTest::newRow("height 775 keeps the text height") << 5000 << 775 << QList<int>{5000, 4900, 6735};
        QTest::newRow("height 776") << 5000 << 776 << QList<int>{5000, 4900, 1};
    }
    void layoutRule() {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QList<int>, expected);
        const InterpretLayout fitted = fitInterpretLayout(width, height, InterpretLayout{});
        QCOMPARE(QList<int>({fitted.stripWidth, fitted.textWidth, fitted.textHeight}), expected);
    }

    void windowFollowsItsSize_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRect>("strip");
        QTest::addColumn<QRect>("text");
        QTest::newRow("400 x 300") << QSize(400, 300) << QRect(0, 0, 400, 25) << QRect(0, 24, 393, 248);
        QTest::newRow("too small keeps the text area")
            << QSize(6, 40) << QRect(0, 0, 6, 25) << QRect(0, 24, 618, 421);
    }
    void windowFollowsItsSize() {
        QFETCH(QSize, size);
        QFETCH(QRect, strip);
        QFETCH(QRect, text);
        InterpretWindow& window = filledWindow(QStringLiteral("Cycle de vie"));
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
        const QWidgetList all = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(all.begin(), all.end(),
                               [](QWidget* w) { return qobject_cast<InterpretWindow*>(w); }),
                 1);

        // Closing discards it; the next use builds a fresh one that is not shown yet.
        first->close();
        QTRY_COMPARE(InterpretWindow::current(), nullptr);
        SetInterpretationText("Troisième");
        QVERIFY(InterpretWindow::current() && !InterpretWindow::current()->isVisible());
        QCOMPARE(InterpretWindow::current()->title(), QString());
        QCOMPARE(InterpretWindow::current()->plainText(), QStringLiteral("Troisième"));
    }

    // "Imprimer" onto a PDF printer: the whole text although a part of it was selected; a cancelled
    // dialog or an unusable device ends silently.
    void printing_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("printed");
        QTest::newRow("printed") << true << "impression.pdf" << true;
        QTest::newRow("dialog cancelled") << false << "annule.pdf" << false;
        QTest::newRow("device unusable") << true << "dossier-absent/impression.pdf" << false;
    }
    void printing() {
        QFETCH(bool, accept);
        QFETCH(QString, output);
        QFETCH(bool, printed);
        if (printed && !havePdfToText()) {
            QSKIP("pdftotext is not installed");
        }
        QTemporaryDir folder;
        InterpretWindow& window = filledWindow(QStringLiteral("Cycle de vie"), longText());
        window.setPrinterChooser([&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(folder.filePath(output));
            return accept;
        });
        auto* area = window.findChild<QTextEdit*>(QStringLiteral("Text1"));
        QTextCursor cursor(area->document());
        cursor.setPosition(400);
        cursor.setPosition(900, QTextCursor::KeepAnchor);
        area->setTextCursor(cursor);

        window.findChild<QPushButton*>(QStringLiteral("Command1"))->click();

        QVERIFY(messages.empty());
        QCOMPARE(window.plainText(), longText().replace("\r\n", "\n"));
        QCOMPARE(entries(folder.path()), printed ? QStringList{output} : QStringList());
        if (printed) {
            QVERIFY(!area->textCursor().hasSelection());
            const QString text = pdfText(folder.filePath(output));
            QCOMPARE(words(text), "Cycle de vie " + longText().simplified());
            QVERIFY(text.count('\f') > 1);
        }
    }

    // "Exporter en PDF...": ".pdf" added when missing; a failure is reported and leaves nothing
    // half-written; a cancelled choice does nothing.
    void exporting_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");  // empty: nothing written
        QTest::addColumn<bool>("reported");
        QTest::newRow("suffix added") << QString("interpretation") << "interpretation.pdf" << false;
        QTest::newRow("upper-case suffix kept")
            << QString("INTERPRETATION.PDF") << "INTERPRETATION.PDF" << false;
        QTest::newRow("dotted accented name") << QString("été.2024") << "été.2024.pdf" << false;
        QTest::newRow("cancelled") << QString() << QString() << false;
        QTest::newRow("missing folder") << QString("absent/sortie.pdf") << QString() << true;
        QTest::newRow("name of a folder") << QString("dossier.pdf") << QString() << true;
    }
    void exporting() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(bool, reported);
        if (!written.isEmpty() && !havePdfToText()) {
            QSKIP("pdftotext is not installed");
        }
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("dossier.pdf")));
        InterpretWindow& window = filledWindow(QStringLiteral("Cycle d'individuation"), longText());
        window.setPdfFileChooser([&] { return chosen.isEmpty() ? QString() : folder.filePath(chosen); });

        window.findChild<QPushButton*>(QStringLiteral("exportPdf"))->click();

        QCOMPARE(messages.size(), size_t(reported));
        if (reported) {
            QCOMPARE(messages[0].title, std::string("Erreur"));
            QVERIFY(QString::fromStdString(messages[0].text)
                        .contains(QDir::toNativeSeparators(folder.filePath(chosen))));
        }
        QStringList expected{"dossier.pdf"};
        if (!written.isEmpty()) {
            expected.append(written);
            QCOMPARE(words(pdfText(folder.filePath(written))),
                     "Cycle d'individuation " + longText().simplified());
        }
        expected.sort(Qt::CaseInsensitive);
        QCOMPARE(entries(folder.path()), expected);
        QCOMPARE(entries(folder.filePath(QStringLiteral("dossier.pdf"))), QStringList());
    }
};

QTEST_MAIN(InterpretWindowTest)
#include "test_interpret_window.moc"
