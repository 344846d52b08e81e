#include <QtTest>

#include <fstream>
#include <set>

#include "interpretation/paragraphs.h"

using namespace selenarc;

namespace {

const std::filesystem::path kSourceDir = SELENARC_SOURCE_DIR;
const QStringList kShippedStems = {"cycle-de-vie", "jupiter", "saturne"};

// One row of an openings table: key, kind (piece, whole, short), join (J, j, -), opening.
struct Opening {
    QString key, kind, join, opening;
};

std::vector<Opening> readOpenings(const QString& stem) {
    std::ifstream in(kSourceDir / "tests" / "data" / ("openings-" + stem.toStdString() + ".tsv"));
    std::vector<Opening> rows;
    for (std::string line; std::getline(in, line);) {
        const QStringList fields = QString::fromStdString(line).split('\t');
        if (fields.size() == 4 && !line.starts_with('#')) {
            rows.push_back({fields[0], fields[1], fields[2], fields[3]});
        }
    }
    return rows;
}

bool endsWithPunctuation(const QString& text) {
    return !text.isEmpty() && QStringLiteral(".!?…»").contains(text.back());
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

class ParagraphsTest : public QObject {
    Q_OBJECT
    std::map<QString, std::optional<ParagraphSet>> shipped_;
    std::map<QString, QString> shippedError_;

  private slots:
    void initTestCase() {
        for (const QString& stem : kShippedStems) {
            std::string error;
            const auto path = kSourceDir / "data" / "interpretation" / (stem.toStdString() + ".txt");
            shipped_[stem] = loadParagraphFile(path, error);
            shippedError_[stem] = QString::fromStdString(error);
        }
    }

    void parsesPieces_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("count");
        QTest::newRow("one line") << QByteArray("I1\tLe texte.\n") << "I1"
                                  << "Le texte." << 1;
        QTest::newRow("trailing blanks kept") << QByteArray("I4\tFin.  \n") << "I4"
                                              << "Fin.  " << 1;
        QTest::newRow("CR LF: one CR dropped") << QByteArray("I4\tFin. \r\n") << "I4"
                                               << "Fin. " << 1;
        QTest::newRow("no final newline") << QByteArray("A\tx\nB\ty") << "B"
                                          << "y" << 2;
        QTest::newRow("comments and blank lines") << QByteArray("# note\n\n   \r\n#\tX\tY\nB0\tb\n") << "B0"
                                                  << "b" << 1;
        QTest::newRow("hash inside text") << QByteArray("C0\tNo #1\n") << "C0"
                                          << "No #1" << 1;
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBFI2\tz\n") << "I2"
                                         << "z" << 1;
        QTest::newRow("empty text") << QByteArray("L1\t\n") << "L1"
                                    << "" << 1;
        QTest::newRow("UTF-8 kept") << QByteArray("J-year-1\tà l’été « là »\n") << "J-year-1"
                                    << "à l’été « là »" << 1;
        QTest::newRow("missing key is empty") << QByteArray("I1\tx\n") << "I9"
                                              << "" << 1;
        QTest::newRow("empty file") << QByteArray() << "I1"
                                    << "" << 0;
    }
    void parsesPieces() {
        QFETCH(QByteArray, content);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        QFETCH(int, count);
        std::string error;
        const auto set = parseParagraphText(content.toStdString(), "essai.txt", error);
        QVERIFY2(set, error.c_str());
        QCOMPARE(int(set->size()), count);
        QCOMPARE(QString::fromStdString(paragraph(*set, key.toStdString())), expected);
    }

    void refusesMalformedLines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        const QString at = "Fichier de textes « essai.txt », ligne %1 : ";
        const QString noTab = "il manque la tabulation entre la clé et le texte.";
        QTest::newRow("no tab") << QByteArray("I1\ta\nI2 b\n") << at.arg(2) + noTab;
        QTest::newRow("indented comment") << QByteArray("  # note\n") << at.arg(1) + noTab;
        QTest::newRow("empty key") << QByteArray("\n\n\ttexte\n") << at.arg(3) + "la clé est vide.";
        QTest::newRow("duplicate key")
            << QByteArray("I1\ta\n# x\nI1\tb\n") << at.arg(3) + "la clé « I1 » figure déjà à la ligne 1.";
        const QString badKey =
            "la clé ne doit contenir que des lettres sans accent, des chiffres et des tirets.";
        QTest::newRow("blank in key") << QByteArray("I 1\ta\n") << at.arg(1) + badKey;
        QTest::newRow("accent in key") << QByteArray("clé\ta\n") << at.arg(1) + badKey;
        QTest::newRow("second tab") << QByteArray("I1\ta\tb\n")
                                    << at.arg(1) + "une seconde tabulation se trouve dans le texte.";
        const QString control = "le texte contient un caractère de contrôle.";
        QTest::newRow("lone CR") << QByteArray("I1\ta\rb\n") << at.arg(1) + control;
        QTest::newRow("NUL byte") << QByteArray("I1\ta\0b\n", 7) << at.arg(1) + control;
        const QString utf8 = "le texte n'est pas en UTF-8 valide.";
        QTest::newRow("Latin-1 e acute") << QByteArray("I1\tt\xE9t\xE9\n") << at.arg(1) + utf8;
        QTest::newRow("overlong slash") << QByteArray("I1\t\xC0\xAF\n") << at.arg(1) + utf8;
        QTest::newRow("surrogate") << QByteArray("I1\t\xED\xA0\x80\n") << at.arg(1) + utf8;
        QTest::newRow("above U+10FFFF") << QByteArray("I1\t\xF4\x90\x80\x80\n") << at.arg(1) + utf8;
        QTest::newRow("cut at end") << QByteArray("I1\tpr\xC3") << at.arg(1) + utf8;
        QTest::newRow("cut before newline") << QByteArray("I1\t\xE2\x80\n") << at.arg(1) + utf8;
    }
    void refusesMalformedLines() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        std::string error;
        QVERIFY(
            !parseParagraphText(std::string_view(content.constData(), content.size()), "essai.txt", error));
        QCOMPARE(QString::fromStdString(error), message);
    }

    void loadsFilesFromDisk() {
        QTemporaryDir dir;
        writeFile(dir.filePath("cycle-de-vie.txt"), "# x\r\nI1\tun \r\n");
        writeFile(dir.filePath("jupiter.txt"), "J-intro-1\tdeux\n");
        writeFile(dir.filePath("saturne.txt"), "S-intro-1\ttrois");
        std::string error;
        const auto all = loadAllParagraphs(dir.path().toStdString(), error);
        QVERIFY2(all, error.c_str());
        QCOMPARE(all->size(), std::size_t(3));
        QCOMPARE(paragraph(*all, "I1"), std::string("un "));
        QCOMPARE(paragraph(*all, "S-intro-1"), std::string("trois"));

        writeFile(dir.filePath("saturne.txt"), "I1\tencore\n");
        QVERIFY(!loadAllParagraphs(dir.path().toStdString(), error));
        QVERIFY2(QString::fromStdString(error).contains("saturne.txt » : la clé « I1 » figure déjà"),
                 error.c_str());

        QVERIFY(!loadParagraphFile(dir.filePath("absent.txt").toStdString(), error));
        QVERIFY2(QString::fromStdString(error).contains("absent.txt » introuvable"), error.c_str());
        QVERIFY(!loadParagraphFile(dir.path().toStdString(), error));  // a folder is not a file
    }

    void shippedFileHasExactlyItsKeys_data() {
        QTest::addColumn<QString>("stem");
        for (const QString& stem : kShippedStems) {
            QTest::newRow(qPrintable(stem)) << stem;
        }
    }
    void shippedFileHasExactlyItsKeys() {
        QFETCH(QString, stem);
        const auto& set = shipped_[stem];
        QVERIFY2(set, qPrintable(shippedError_[stem]));
        const auto openings = readOpenings(stem);
        QVERIFY2(!openings.empty(), "openings table missing");
        QStringList missing, extra;
        std::set<QString> expected;
        for (const Opening& row : openings) {
            expected.insert(row.key);
            if (!set->contains(row.key.toStdString())) {
                missing << row.key;
            }
        }
        for (const auto& [key, text] : *set) {
            if (!expected.contains(QString::fromStdString(key))) {
                extra << QString::fromStdString(key);
            }
        }
        QCOMPARE(missing, QStringList());
        QCOMPARE(extra, QStringList());
    }

    void shippedPieceMatchesItsOpening_data() {
        QTest::addColumn<QString>("stem");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("join");
        QTest::addColumn<QString>("opening");
        for (const QString& stem : kShippedStems) {
            for (const Opening& row : readOpenings(stem)) {
                QTest::newRow(qPrintable(stem + "/" + row.key))
                    << stem << row.key << row.kind << row.join << row.opening;
            }
        }
    }
    void shippedPieceMatchesItsOpening() {
        QFETCH(QString, stem);
        QFETCH(QString, key);
        QFETCH(QString, kind);
        QFETCH(QString, join);
        QFETCH(QString, opening);
        QVERIFY2(shipped_[stem], qPrintable(shippedError_[stem]));
        const std::string raw = paragraph(*shipped_[stem], key.toStdString());
        QVERIFY2(!raw.empty(), "key missing");
        const QString text = QString::fromStdString(raw);
        QVERIFY2(!text.contains("  "), "two blanks in a row");
        if (kind == "piece") {
            QVERIFY2(text.startsWith(opening), qPrintable(text.left(opening.size())));
            const auto characters = text.toUcs4().size();
            QVERIFY2(characters >= 100 && characters <= 1000, qPrintable(QString::number(characters)));
        } else {
            QVERIFY(kind == "whole" || kind == "short");
            // A joined whole text may carry its one joining blank beyond the quoted words.
            const bool addedBlank = join == "J" && !opening.endsWith(' ') && text.endsWith(' ');
            QCOMPARE(addedBlank ? text.chopped(1) : text, opening);
        }
        if (join == "J") {
            QVERIFY2(text.endsWith(' ') && endsWithPunctuation(text.chopped(1)),
                     "needs punctuation and a blank");
        } else if (join == "j") {
            QVERIFY2(endsWithPunctuation(text), "needs punctuation and no blank");
        } else if (kind == "piece") {
            QVERIFY2(endsWithPunctuation(text.endsWith(' ') ? text.chopped(1) : text), "needs punctuation");
        }
    }

    void shippedPiecesAreAllDifferent() {
        std::map<std::string, std::string> keyOfText;
        for (const QString& stem : kShippedStems) {
            QVERIFY2(shipped_[stem], qPrintable(shippedError_[stem]));
            for (const auto& [key, text] : *shipped_[stem]) {
                const auto [where, inserted] = keyOfText.emplace(text, key);
                QVERIFY2(inserted, qPrintable(QString::fromStdString(key + " repeats " + where->second)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(ParagraphsTest)
#include "test_paragraphs.moc"
