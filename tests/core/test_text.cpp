#include <sys/stat.h>

#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "calendar/text.h"

using namespace selenarc;

namespace {

QString joined(const std::vector<std::string_view>& lines) {
    QStringList parts;
    for (const std::string_view line : lines) {
        parts << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    }
    return parts.join('|');
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

}  // namespace

class TextTest : public QObject {
    Q_OBJECT
  private slots:

    void wholeNumbers_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qlonglong>("expected");  // -1: refused
        QTest::newRow("digits") << QByteArray("0025") << 25LL;
        QTest::newRow("largest int") << QByteArray("2147483647") << 2147483647LL;
        QTest::newRow("one past the largest int") << QByteArray("2147483648") << -1LL;
        QTest::newRow("minus sign") << QByteArray("-3") << -1LL;
        QTest::newRow("Arabic-Indic digit") << QByteArray("\xD9\xA3") << -1LL;
    }
    void wholeNumbers() {
        QFETCH(QByteArray, text);
        QFETCH(qlonglong, expected);
        const std::optional<int> value = parseWholeNumber<int>(text.toStdString());
        QCOMPARE(value ? qlonglong(*value) : -1LL, expected);
    }

    void linesWhateverTheirEnds_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("lines");
        QTest::addColumn<bool>("endsWithBreak");
        QTest::newRow("mixed, last line cut") << QByteArray("a\r\nb\rc\nd") << "a|b|c|d" << false;
        QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << "a||b" << false;
        QTest::newRow("CR CR LF is two breaks") << QByteArray("a\r\r\nb\n") << "a||b" << true;
        QTest::newRow("empty lines kept") << QByteArray("\n\n") << "|" << true;
    }
    void linesWhateverTheirEnds() {
        QFETCH(QByteArray, text);
        QFETCH(QString, lines);
        QFETCH(bool, endsWithBreak);
        const std::string bytes = text.toStdString();
        QCOMPARE(joined(splitLines(bytes)), lines);
        QCOMPARE(endsWithLineBreak(bytes), endsWithBreak);
    }

    void utf8Decoding_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<uint>("first");  // the first code point, or kInvalidCodePoint
        QTest::addColumn<int>("consumed");
        QTest::newRow("euro sign") << QByteArray("\xE2\x82\xAC") << 0x20ACu << 3;
        QTest::newRow("largest code point") << QByteArray("\xF4\x8F\xBF\xBF") << 0x10FFFFu << 4;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << uint(kInvalidCodePoint) << 1;
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << uint(kInvalidCodePoint) << 1;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << uint(kInvalidCodePoint) << 1;
        QTest::newRow("Latin-1 é before ASCII") << QByteArray("\xE9t\xE9") << uint(kInvalidCodePoint) << 1;
    }
    void utf8Decoding() {
        QFETCH(QByteArray, bytes);
        QFETCH(uint, first);
        QFETCH(int, consumed);
        const std::string text = bytes.toStdString();
        std::size_t pos = 0;
        QCOMPARE(uint(nextCodePoint(text, pos)), first);
        QCOMPARE(pos, std::size_t(consumed));
        QCOMPARE(isValidUtf8(text), first != kInvalidCodePoint && std::size_t(consumed) == text.size());
        if (first != kInvalidCodePoint) {  // encoding gives the same bytes back
            std::string encoded;
            appendUtf8(encoded, first);
            QCOMPARE(QByteArray::fromStdString(encoded), bytes.left(consumed));
        }
    }

    void wholeFileReading_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("size");
        QTest::newRow("at the cap") << "file:64" << int(FileProblem::None) << 64;
        QTest::newRow("one byte past the cap") << "file:65" << int(FileProblem::TooLarge) << 0;
        QTest::newRow("missing") << "missing" << int(FileProblem::Missing) << 0;
        QTest::newRow("folder") << "folder" << int(FileProblem::Folder) << 0;
        QTest::newRow("pipe, never opened") << "fifo" << int(FileProblem::NotRegular) << 0;
    }
    void wholeFileReading() {
        QFETCH(QString, kind);
        QFETCH(int, problem);
        QFETCH(int, size);
        QTemporaryDir folder;
        const std::filesystem::path path = std::filesystem::path(folder.path().toStdString()) / "f";
        if (kind.startsWith("file:")) {
            writeBytes(path, std::string(kind.mid(5).toUInt(), 'x'));
        } else if (kind == "folder") {
            std::filesystem::create_directory(path);
        } else if (kind == "fifo") {
            QCOMPARE(mkfifo(path.c_str(), 0600), 0);
        }
        const WholeFile read = readWholeFile(path, 64);
        QCOMPARE(int(read.problem), problem);
        QCOMPARE(read.bytes.has_value(), problem == int(FileProblem::None));
        if (read.bytes) {
            QCOMPARE(read.bytes->size(), std::size_t(size));
        }
    }
};

QTEST_GUILESS_MAIN(TextTest)
#include "test_text.moc"
