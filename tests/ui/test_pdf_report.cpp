#include <QtTest>

#include "app/qt/pdf_report.h"
#include "app/session.h"

using namespace selenarc;

namespace {

const CivilDateTime kNow = makeDateTime(2026, 12, 6, 10, 30);
const PersonRecord kJean{"Jean", "Dupont", "01/01/1950", "12h00", 13, {}, {}, HourChoice::None};

}  // namespace

class PdfReportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Session> session_;

  private slots:
    void initTestCase() {
        session_ = std::make_unique<Session>(SELENARC_SOURCE_DIR "/data", [](const Message&) {});
        QVERIFY(!session_->calculer(kJean, kNow));
    }

    // Before any run nothing is written.
    void nothingBeforeAnyRun() {
        QTemporaryDir folder;
        Session fresh(SELENARC_SOURCE_DIR "/data", {});
        QCOMPARE(writePdfReport(folder.filePath("r.pdf"), fresh, kJean), "aucun calcul n'a encore été fait.");
        QVERIFY(QDir(folder.path()).isEmpty());
    }

    // The file chosen in the dialog: ".pdf" added to a bare name; a failure becomes one "Erreur" naming
    // the file and the reason ("%1" is the scratch folder).
    void exportFromWindow_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("bare name") << "client" << QString("client.pdf") << "";
        QTest::newRow("missing folder")
            << "absent/c.pdf" << QString()
            << "Erreur|Impossible d'écrire le fichier « %1/absent/c.pdf » :\r\nle "
               "dossier « %1/absent » n'existe pas.";
    }
    void exportFromWindow() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QString, message);
        QTemporaryDir scratch;
        QString got;
        const MessageSink sink = [&](const Message& m) {
            got += QString::fromStdString(m.title + '|' + m.text);
        };
        const QString path = chosen.isEmpty() ? chosen : scratch.filePath(chosen);
        exportPdfReport(nullptr, *session_, kJean, sink, [&path](QWidget*, const QString&) { return path; });
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files),
                 written.isEmpty() ? QStringList() : QStringList{written});
        QVERIFY(written.isEmpty() || QFileInfo(scratch.filePath(written)).size() > 1000);
        QCOMPARE(got, message.replace("%1", QDir::toNativeSeparators(scratch.path())));
    }

    // The cycle printed with its dial is the one the window last drew, not the one of today.
    void markFollowsTheDrawnCycle() {
        session_->selectJupiterCycle(1, kNow);
        QTemporaryDir scratch;
        QCOMPARE(writePdfReport(scratch.filePath("r.pdf"), *session_, kJean), QString());
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-enc", "UTF-8", scratch.filePath("r.pdf"), "-"});
        if (!pdftotext.waitForFinished(60000)) {
            QSKIP("pdftotext absent");
        }
        const QString text =
            QString::fromUtf8(pdftotext.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
        const QString entry = QString::fromStdString(session_->jupiter().comboEntries[1]);
        // From the entry to the next bullet; pdftotext may cut "ci-dessus" at a line end.
        QVERIFY(text.simplified().section("• " + entry + " — du", 1).section("• ", 0, 0).contains("(cadran"));
    }
};

QTEST_MAIN(PdfReportTest)
#include "test_pdf_report.moc"
