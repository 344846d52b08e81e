#include <QtTest>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <vector>

#include "app/qt/pdf_report.h"
#include "app/report_content.h"
#include "app/session.h"

using namespace selenarc;

namespace {

const CivilDateTime kNow = makeDateTime(2026, 12, 6, 10, 30);

PersonRecord jeanDupont() {
    PersonRecord person;
    person.t_prenom = "Jean";
    person.t_nom = "Dupont";
    return person;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An expected text with "%1" standing for the scratch folder.
QString inFolder(QString pattern, const QString& folder) {
    return pattern.replace(QStringLiteral("%1"), QDir::toNativeSeparators(folder));
}

}  // namespace

class PdfReportTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Session> session_;
    std::vector<Message> sessionMessages_;

  private slots:
    void initTestCase() {
        session_ = std::make_unique<Session>(SELENARC_SOURCE_DIR "/data",
                                             [this](const Message& m) { sessionMessages_.push_back(m); });
        QVERIFY(!session_->calculer(jeanDupont(), kNow));
        QVERIFY(sessionMessages_.empty());
    }

    // A failed write names its reason and leaves the target as it was: absent, or an older file intact.
    void failures_data() {
        QTest::addColumn<bool>("computed");
        QTest::addColumn<QString>("target");  // relative to the scratch folder
        QTest::addColumn<QString>("reason");  // "%1" is the scratch folder
        QTest::newRow("older file kept before any run") << false << "ancien.pdf"
                                                        << "aucun calcul n'a encore été fait.";
        QTest::newRow("missing folder") << true << "absent/rapport.pdf"
                                        << "le dossier « %1/absent » n'existe pas.";
        QTest::newRow("target is a folder") << true << "dossier"
                                            << "c'est un dossier.";
    }
    void failures() {
        QFETCH(bool, computed);
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath("dossier"));
        QFile older(folder.filePath("ancien.pdf"));
        QVERIFY(older.open(QIODevice::WriteOnly) && older.write("ancien") == 6);
        older.close();
        const QStringList before = QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

        Session fresh(SELENARC_SOURCE_DIR "/data", {});
        const QString error =
            writePdfReport(folder.filePath(target), computed ? *session_ : fresh, jeanDupont());
        QCOMPARE(error, inFolder(reason, folder.path()));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(contents(folder.filePath("ancien.pdf")), QByteArray("ancien"));
        QVERIFY(QDir(folder.filePath("dossier")).isEmpty());
    }

    // The file chosen in the dialog: ".pdf" added to a bare name, a cancelled dialog writes nothing, a
    // failure becomes one "Erreur" message naming the file.
    void exportFromWindow_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");  // "" = no file
        QTest::addColumn<QString>("message");  // "" = none
        QTest::newRow("bare name") << "client" << QString("client.pdf") << "";
        QTest::newRow("upper-case extension") << "client.PDF" << QString("client.PDF") << "";
        QTest::newRow("cancelled") << "" << QString() << "";
        QTest::newRow("missing folder") << "absent/client.pdf" << QString()
                                        << "Impossible d'écrire le fichier « %1/absent/client.pdf » :\r\nle "
                                           "dossier « %1/absent » n'existe pas.";
    }
    void exportFromWindow() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QString, message);
        QTemporaryDir scratch;
        std::vector<Message> shown;
        QString suggested;
        exportPdfReport(
            nullptr, *session_, jeanDupont(), [&shown](const Message& m) { shown.push_back(m); },
            [&](QWidget*, const QString& proposal) {
                suggested = proposal;
                return chosen.isEmpty() ? QString() : scratch.filePath(chosen);
            });
        QVERIFY(suggested.endsWith(QStringLiteral("Rapport Jean Dupont.pdf")));
        QCOMPARE(QDir(scratch.path()).entryList(QDir::Files),
                 written.isEmpty() ? QStringList() : QStringList{written});
        QVERIFY(written.isEmpty() || contents(scratch.filePath(written)).startsWith("%PDF"));
        QCOMPARE(shown.size(), message.isEmpty() ? size_t{0} : size_t{1});
        if (!message.isEmpty()) {
            QCOMPARE(QString::fromStdString(shown[0].title), QStringLiteral("Erreur"));
            QCOMPARE(shown[0].icon, MessageIcon::Exclamation);
            QCOMPARE(QString::fromStdString(shown[0].text), inFolder(message, scratch.path()));
        }
    }

    // The cycle printed with its dial is the one the window last drew, not the one of today.
    void markFollowsTheDrawnCycle() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            QSKIP("pdftotext absent");
        }
        Session session(SELENARC_SOURCE_DIR "/data", {});
        QVERIFY(!session.calculer(jeanDupont(), kNow));
        session.selectJupiterCycle(1, kNow);
        session.selectSaturnCycle(0, kNow);
        QTemporaryDir scratch;
        const QString path = scratch.filePath("r.pdf");
        QCOMPARE(writePdfReport(path, session, jeanDupont()), QString());
        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"),
                        {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, "-"});
        QVERIFY(pdftotext.waitForFinished(60000) && pdftotext.exitCode() == 0);
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput())
                                 .normalized(QString::NormalizationForm_KC)
                                 .simplified();
        // pdftotext may join "ci-" and "dessus" at a line end: the start of the mark is enough.
        const QStringList marked = text.split(QStringLiteral("• ")).filter(QStringLiteral("(cadran"));
        const std::vector<std::string> entries{session.lunar().Combo2[session.lunar().Combo2Selected],
                                               session.jupiter().comboEntries[1],
                                               session.saturn().comboEntries[0]};
        QCOMPARE(marked.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QVERIFY2(marked[i].startsWith(QString::fromStdString(entries[i])), qPrintable(marked[i]));
        }
    }
};

QTEST_MAIN(PdfReportTest)
#include "test_pdf_report.moc"
