#include <QtTest>

#include <memory>

#include "interpretation/french_typography.h"
#include "interpretation/paragraphs.h"

using namespace selenarc;

namespace {

const std::filesystem::path kSourceDir = SELENARC_SOURCE_DIR;
const QString kToday = "06/12/2026 10h30";

// What grammalecte-cli reports on one line of text.
struct Finding {
    QString what;  // rule identifier, or the unknown word
    QString text;  // the message and the words at fault
};

// Rule identifiers and words of tests/data/grammar-allow.txt.
QSet<QString> allowList() {
    QFile file(QString::fromStdString((kSourceDir / "tests" / "data" / "grammar-allow.txt").string()));
    QSet<QString> allowed;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QString& line : QString::fromUtf8(file.readAll()).split('\n')) {
            if (!line.trimmed().isEmpty() && !line.startsWith('#')) {
                allowed.insert(line.trimmed());
            }
        }
    }
    return allowed;
}

// Runs grammalecte-cli once over all the lines (one paragraph each) and returns its findings by line.
std::optional<QMap<int, QList<Finding>>> checkGrammar(const QStringList& lines, QString& failure) {
    QTemporaryFile file;
    if (!file.open()) {
        failure = "fichier temporaire impossible";
        return std::nullopt;
    }
    file.write(lines.join('\n').toUtf8() + '\n');
    file.flush();
    QProcess checker;
    checker.start("grammalecte-cli", {"-f", file.fileName(), "-j", "-ctx"});
    if (!checker.waitForFinished(120000) || checker.exitCode() != 0) {
        failure = "grammalecte-cli absent ou en échec : " + checker.errorString() +
                  QString::fromUtf8(checker.readAllStandardError());
        return std::nullopt;
    }
    QMap<int, QList<Finding>> findings;
    const QJsonArray paragraphs = QJsonDocument::fromJson(checker.readAllStandardOutput())["data"].toArray();
    for (const QJsonValue& paragraph : paragraphs) {
        const int line = paragraph["iParagraph"].toInt() - 1;
        for (const QJsonValue error : paragraph["lGrammarErrors"].toArray()) {
            findings[line].append({error["sRuleId"].toString(), error["sMessage"].toString() + " « " +
                                                                    error["sUnderlined"].toString() + " »"});
        }
        for (const QJsonValue error : paragraph["lSpellingErrors"].toArray()) {
            findings[line].append({error["sValue"].toString(), "mot inconnu"});
        }
    }
    return findings;
}

// One person of the headless report, and what makes it worth checking.
struct Person {
    const char* why;
    const char* birth;  // JJ/MM/AAAA, noon, Paris
    int saturnCycle;
    int age;
};

// Ages 5 to 85 in the three Saturn cycles, within an age window or not (each piece on its own is
// checked too: the persons add the sentences that join them).
constexpr Person kPersons[] = {
    {"age 5", "01/01/2021", 1, 5},
    {"mid-life", "01/01/1983", 2, 43},
    {"age 85", "01/01/1941", 3, 85},
};

}  // namespace

class FrenchTextsTest : public QObject {
    Q_OBJECT
    QStringList lines_;                // the text checked, one paragraph per line, each line once
    QHash<QString, int> lineNumbers_;  // the line's index in lines_
    QList<QStringList> linesOf_;       // per origin (piece key, or person and tab), its lines
    QStringList origins_;
    QMap<int, QList<Finding>> findings_;

    // The persons share most of their paragraphs: a line is checked once, whoever shows it.
    void addText(const QString& origin, const std::string& text) {
        QStringList lines;
        for (const QString& line : QString::fromStdString(text).split("\r\n", Qt::SkipEmptyParts)) {
            if (!lineNumbers_.contains(line.trimmed())) {
                lineNumbers_.insert(line.trimmed(), lines_.size());
                lines_ << line.trimmed();
            }
            lines << line.trimmed();
        }
        origins_ << origin;
        linesOf_ << lines;
    }

  private slots:
    // Every shipped piece as it is shown (in French typography), then the three texts of each person.
    void initTestCase() {
        std::string error;
        const auto shipped = loadAllParagraphs(kSourceDir / "data" / "interpretation", error);
        QVERIFY2(shipped, error.c_str());
        for (const auto& [key, text] : *shipped) {
            addText(QString::fromStdString(key), frenchTypography(text));
        }
        // The reports run side by side: under the sanitizers each takes a second or two.
        std::vector<std::unique_ptr<QProcess>> reports;
        for (const Person& person : kPersons) {
            reports.push_back(std::make_unique<QProcess>());
            reports.back()->start(SELENARC_EXECUTABLE, {"--rapport", "--prenom", "Camille", "--nom", "Martin",
                                                        "--date", person.birth, "--heure", "12h00",
                                                        "--fuseau", "13", "--aujourdhui", kToday});
        }
        for (std::size_t i = 0; i < reports.size(); ++i) {
            const Person& person = kPersons[i];
            QVERIFY2(reports[i]->waitForFinished(120000) && reports[i]->exitCode() == 0, person.why);
            const QJsonDocument json = QJsonDocument::fromJson(reports[i]->readAllStandardOutput());
            QCOMPARE(json["CurrentSaturnCycle"].toInt(), person.saturnCycle);
            QCOMPARE(json["CurrentAge"].toInt(), person.age);
            for (const char* tab : {"SoliLunarText", "JupiterText", "SaturnText"}) {
                addText(QString("%1, %2").arg(person.why, tab), json[tab].toString().toStdString());
            }
        }
        QString failure;
        const auto findings = checkGrammar(lines_, failure);
        QVERIFY2(findings, qPrintable(failure));
        findings_ = *findings;
    }

    // Nothing reported outside the allow-list, piece by piece and text by text.
    void nothingOutsideTheAllowList_data() {
        QTest::addColumn<QStringList>("lines");
        for (int i = 0; i < origins_.size(); ++i) {
            QTest::newRow(qPrintable(origins_[i])) << linesOf_[i];
        }
    }
    void nothingOutsideTheAllowList() {
        QFETCH(QStringList, lines);
        static const QSet<QString> allowed = allowList();
        QStringList reported;
        for (const QString& line : lines) {
            for (const Finding& finding : findings_.value(lineNumbers_.value(line))) {
                if (!allowed.contains(finding.what)) {
                    reported << finding.what + " : " + finding.text + "\n    dans : " + line.left(160);
                }
            }
        }
        QVERIFY2(reported.isEmpty(), qPrintable(reported.join('\n')));
    }
};

QTEST_GUILESS_MAIN(FrenchTextsTest)
#include "test_french_texts.moc"
