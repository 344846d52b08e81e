#include <QtTest>

#include <filesystem>
#include <set>

#include "calendar/gazetteer.h"
#include "calendar/search_folding.h"

using namespace selenarc;
using namespace Qt::StringLiterals;

namespace {

QStringList shown(const std::vector<const Place*>& places) {
    QStringList names;
    for (const Place* place : places) {
        names << QString::fromStdString(displayName(*place));
    }
    return names;
}

}  // namespace

class GazetteerTest : public QObject {
    Q_OBJECT
    std::optional<Gazetteer> gazetteer;
    static constexpr const char* kFile = SELENARC_SOURCE_DIR "/data/lieux.txt";

  private slots:
    void initTestCase() {
        std::string error;
        gazetteer = Gazetteer::load(kFile, error);
        QVERIFY2(gazetteer, error.c_str());
    }

    // The size promised: about 35,000 places in under 3 MB; every display form names one place.
    void shippedListSizeAndUniqueForms() {
        QVERIFY(std::filesystem::file_size(kFile) < 3'000'000);
        QVERIFY(gazetteer->size() > 30'000 && gazetteer->size() < 40'000);
        std::set<std::string> forms;
        for (std::size_t i = 0; i < gazetteer->size(); ++i) {
            QVERIFY2(forms.insert(displayName((*gazetteer)[i])).second, displayName((*gazetteer)[i]).c_str());
        }
    }

    void folding_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("openEnd");
        QTest::addColumn<QString>("folded");
        QTest::newRow("accents, case, hyphen") << u"Saint-ÉTIENNE"_s << false << "saint etienne";
        QTest::newRow("st still being typed") << u"st"_s << true << "st";
        QTest::newRow("st followed by a blank") << u"st "_s << true << "saint";
        QTest::newRow("apostrophes and diaeresis")
            << u"L’Haÿ-les-Roses d'Arc"_s << false << "l hay les roses d arc";
        QTest::newRow("Latin Extended-A, comma below")
            << u"Łódź Timișoara Ōsaka"_s << false << "lodz timisoara osaka";
        QTest::newRow("other scripts kept") << u"Москва"_s << false << u"Москва"_s;
        QTest::newRow("only punctuation") << u" - ' () "_s << false << "";
    }
    void folding() {
        QFETCH(QString, text);
        QFETCH(bool, openEnd);
        QFETCH(QString, folded);
        QCOMPARE(QString::fromStdString(foldForSearch(text.toStdString(), openEnd)), folded);
    }

    // Completion: the first places offered for what is typed.
    void completion_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("first");
        QTest::newRow("abbreviated saint, no accent")
            << u"st etienne"_s
            << QStringList{u"Saint-Étienne (Loire, France)"_s,
                           u"Saint-Étienne-du-Rouvray (Seine-Maritime, France)"_s};
        QTest::newRow("equal names before longer ones, most populous first")
            << u"brest"_s << QStringList{u"Brest (Bélarus)"_s, u"Brest (Finistère, France)"_s};
        QTest::newRow("local name of a French one")
            << u"london"_s << QStringList{u"Londres (Angleterre, Royaume-Uni)"_s};
        QTest::newRow("Montréal") << u"montreal"_s
                                  << QStringList{u"Montréal (Québec, Canada)"_s,
                                                 u"Montréal (Aude, France)"_s};
    }
    void completion() {
        QFETCH(QString, typed);
        QFETCH(QStringList, first);
        const QStringList offered = shown(gazetteer->complete(typed.toStdString(), 20));
        QCOMPARE(offered.mid(0, first.size()), first);
        QVERIFY(offered.size() <= 20);
    }

    void lookup_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("shared name") << u"Brest"_s
                                     << QStringList{u"Brest (Bélarus)"_s, u"Brest (Finistère, France)"_s};
        QTest::newRow("completion form picks one")
            << u"brest (finistere, france)"_s << QStringList{u"Brest (Finistère, France)"_s};
        QTest::newRow("three Montréal")
            << u"Montréal"_s
            << QStringList{u"Montréal (Québec, Canada)"_s, u"Montréal (Aude, France)"_s,
                           u"Montréal (Gers, France)"_s};
        QTest::newRow("local name") << u"London"_s
                                    << QStringList{u"Londres (Angleterre, Royaume-Uni)"_s,
                                                   u"London (Ontario, Canada)"_s};
        QTest::newRow("a prefix is not a name") << u"Saint-Étien"_s << QStringList{};
        QTest::newRow("form with a wrong region") << u"Brest (Morbihan, France)"_s << QStringList{};
    }
    void lookup() {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        QStringList result = shown(gazetteer->lookup(text.toStdString()));
        result.sort();
        found.sort();
        QCOMPARE(result, found);
    }

    void unreadableList_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        const QString zone = u"Z\tEurope/Paris\n"_s;
        QTest::newRow("empty") << QString() << u"Liste des lieux vide."_s;
        QTest::newRow("missing field")
            << zone + u"1\tA\t\t\tFrance\t48.1\t2.1\t0\n"_s << u"Liste des lieux illisible : ligne 2."_s;
        QTest::newRow("zone not listed")
            << zone + u"1\tA\t\t\tFrance\t48.1\t2.1\t1\t5\n"_s << u"Liste des lieux illisible : ligne 2."_s;
    }
    void unreadableList() {
        QFETCH(QString, text);
        QFETCH(QString, error);
        std::string message;
        QVERIFY(!Gazetteer::parse(text.toStdString(), message));
        QCOMPARE(QString::fromStdString(message), error);
    }
};

QTEST_GUILESS_MAIN(GazetteerTest)
#include "test_gazetteer.moc"
