#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

#include "app/person_file.h"

using namespace selenarc;
namespace fs = std::filesystem;

namespace {

std::string bytesOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const fs::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

void add(const char* tag, const QByteArray& input, const QByteArray& expected) {
    QTest::newRow(tag) << input << expected;
}

}  // namespace

class PersonFileTest : public QObject {
    Q_OBJECT
    std::optional<QTemporaryDir> dir_;
    fs::path root_;  // an empty folder for each test row

  private slots:
    void init() { root_ = dir_.emplace().path().toStdString(); }

    void texts_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("expected");
        add("clean: hyphen and ten accents", "Dupont-Martin éèçàùêâûôî", "Dupont-Martin_éèçàùêâûôî");
        add("clean: dropped characters", "D'Arc Zoë Émile 3_.#😀", "DArc_Zo_mile_");
        add("to1252: latin-1, euro, ligatures", "éÿÀ€œŒŸ", "\xE9\xFF\xC0\x80\x9C\x8C\x9F");
        add("to1252: no form, overlong, surrogate, cut", "Ł😀\xC0\xAF\xED\xA0\x80\x61\xC3", "???????a?");
        add("read: keys in any case", "DNA=02/02/1960\r\nhNa=08h15\r\nfus=25\r\ne-d=x\r\nE-N=y\r\n",
            "02/02/1960|08h15|25|x|y||");
        add("read: bad zones ignored", "FUS=26\nFUS=abc\nFUS=99999999999999999999\nFUS=-1\n", "||7||||");
        add("read: short lines, name before date", "DN\r\nE-\r\n\r\nE-N=lost\r\nE-D=a\r\n", "||7|a|||");
        add("read: LF only, untrimmed, no final break", "DNA= 1/1 \nE-D=d\nE-N=a=b", " 1/1 ||7|d|a=b||");
        add("read: windows-1252 value", "E-D=\r\nE-N=H\xE9l\xE8ne \x80\x81\r\n", "||7||Hélène €\uFFFD||");
        add("read: rows beyond the twelfth", QByteArray("E-D=d\r\nE-N=n\r\n").repeated(12) + "E-D=x\r\nE-N=y",
            "||7|d|n|d|n");
    }
    // The routine named before the tag's ":". "read" applies the lines onto a record with empty date
    // and time and zone 7, and gives Text1|Text2|zone|date0|name0|date11|name11.
    void texts() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, expected);
        const QString routine = QString(QTest::currentDataTag()).section(':', 0, 0);
        const std::string text = input.toStdString();
        PersonRecord p{"", "", "", "", 7, {}};
        applyPersonFileContent(text, p);
        const std::string read = p.Text1 + "|" + p.Text2 + "|" + std::to_string(p.timeZoneRow) + "|" +
                                 p.events[0].date + "|" + p.events[0].name + "|" + p.events[11].date + "|" +
                                 p.events[11].name;
        const std::map<QString, std::string> got{
            {"clean", cleanPersonName(text)}, {"to1252", utf8ToWindows1252(text)}, {"read", read}};
        QCOMPARE(QByteArray::fromStdString(got.at(routine)), expected);
    }

    // The default record with its last row filled: values trimmed, in Windows-1252, a line break inside
    // a name kept on its line.
    void encoding() {
        PersonRecord person;
        person.events[11] = {" 05/06/2000 ", " Zoë\r\nx "};
        QCOMPARE(QByteArray::fromStdString(encodePersonFile(person)),
                 "DNA=01/01/1950\r\nHNA=12h00\r\nFUS=13\r\n" + QByteArray("E-D=\r\nE-N=\r\n").repeated(11) +
                     "E-D=05/06/2000\r\nE-N=Zo\xEB  x\r\n");
    }

    // Saving replaces the earlier file of the same names, which then reads back whole. A failure is one
    // "Erreur" naming the file, and leaves the earlier file byte for byte and no temporary file.
    void save_data() {
        QTest::addColumn<QString>("obstacle");  // a folder put in the way, or an unusable data folder
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("mentioned");
        QTest::newRow("replaces the earlier file") << "" << true << "Enregistrement effectué";
        QTest::newRow("temporary place taken")
            << "Jean_Pierre#Dupont.atl.tmp" << false << "Jean_Pierre#Dupont.atl";
        QTest::newRow("folder where the file goes")
            << "Jean_Pierre#Dupont.atl" << false << "Jean_Pierre#Dupont.atl";
        QTest::newRow("no data folder at start-up") << "unusable" << false << "n'a pas pu être créé";
    }
    void save() {
        QFETCH(QString, obstacle);
        QFETCH(bool, saved);
        QFETCH(QString, mentioned);
        const fs::path target = root_ / "Jean_Pierre#Dupont.atl";
        fs::create_directory(root_ / obstacle.toStdString());
        writeBytes(target, "DNA=\r\n");
        PersonRecord person{" Jean Pierre ", "Dupont", "29/02/1952", "12h00", 25, {}};
        std::vector<Message> log;
        const DataFolder folder{root_, obstacle != "unusable"};
        QCOMPARE(savePersonFile(person, folder, [&log](const Message& m) { log.push_back(m); }), saved);
        QCOMPARE(log.size(), 1u);
        QCOMPARE(QString::fromStdString(log[0].title), saved ? "Enregistrement" : "Erreur");
        QVERIFY2(QString::fromStdString(log[0].text).contains(mentioned), log[0].text.c_str());
        QCOMPARE(log[0].icon, saved ? MessageIcon::Information : MessageIcon::Exclamation);
        QVERIFY(fs::is_directory(target) ||
                bytesOf(target) == (saved ? encodePersonFile(person) : "DNA=\r\n"));
        QCOMPARE(fs::exists(root_ / "Jean_Pierre#Dupont.atl.tmp"), obstacle.endsWith(".tmp"));
        std::string error;
        const auto back = readPersonFile(target, error);
        QVERIFY(!saved || (back && back->t_prenom == "Jean Pierre" &&
                           encodePersonFile(*back) == encodePersonFile(person)));
    }

    void unreadableFiles_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");  // -1: a folder
        QTest::addColumn<QString>("error");
        QTest::newRow("folder") << "a#b.atl" << -1 << "dossier";
        QTest::newRow("too large") << "a#b.atl" << int(kMaxPersonFileBytes) + 1 << "volumineux";
        QTest::newRow("at the limit") << "a#b.atl" << int(kMaxPersonFileBytes) << "";
        QTest::newRow("no hash") << "ab.atl" << 10 << "Prénom#Nom.atl";
    }
    void unreadableFiles() {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(QString, error);
        const fs::path file = root_ / name.toStdString();
        size < 0 ? void(fs::create_directory(file)) : writeBytes(file, std::string(std::size_t(size), 'x'));
        std::string message;
        QCOMPARE(readPersonFile(file, message).has_value(), error.isEmpty());
        QVERIFY2(QString::fromStdString(message).contains(error), message.c_str());
    }

    // Sorted without regard to case or accents; only "*.atl" files (any case) with a "#"; the last name
    // stops at its first ".".
    void listing() {
        for (const char* name : {"Zoé#Martin.atl", "émile#Durand.ATL", "adam.x#Smith.atl", "Bob#a_b.c.atl",
                                 "NoHash.atl", "x#y.txt", "#.atl", "Jean#Dupont.atl.tmp"}) {
            writeBytes(root_ / pathFromUtf8(name), "DNA=\r\n");
        }
        fs::create_directory(root_ / "Dir#Dir.atl");
        QStringList shown;
        for (const auto& entry : listPersonFiles(root_)) {
            shown << QString::fromStdString(entry.display + "|" + entry.fileName);
        }
        QCOMPARE(shown, QStringList({" |#.atl", "adam.x Smith|adam.x#Smith.atl", "Bob a b|Bob#a_b.c.atl",
                                     "émile Durand|émile#Durand.ATL", "Zoé Martin|Zoé#Martin.atl"}));
        QVERIFY(listPersonFiles(root_ / "missing").empty());
    }

    void dataFolder_data() {
        QTest::addColumn<QString>("base");  // relative, "*" being a file; empty for a blank base
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QString>("folder");
        QTest::newRow("blank base") << "" << true << "program/selenarc";
        QTest::newRow("base under a file") << "*/below" << true << "program/selenarc";
        QTest::newRow("nothing can be created") << "*" << false << "*/selenarc";
    }
    void dataFolder() {
        QFETCH(QString, base);
        QFETCH(bool, usable);
        QFETCH(QString, folder);
        writeBytes(root_ / "*", "x");
        const std::string b = base.isEmpty() ? "   " : (root_ / base.toStdString()).string();
        const DataFolder made = prepareDataFolder(b, root_ / (usable ? "program" : "*"));
        QCOMPARE(made.usable, usable);
        QCOMPARE(made.path, root_ / folder.toStdString());
        QCOMPARE(fs::is_directory(made.path), usable);
    }
};

QTEST_GUILESS_MAIN(PersonFileTest)
#include "test_person_file.moc"
