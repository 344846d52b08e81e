#include <QDir>
#include <QFile>
#include <QtTest>

#include "fuzz_support.h"

using namespace selenarc::fuzz;

namespace {

QDir corpusFolder(const std::string& target) {
    return QDir(QStringLiteral(SELENARC_SOURCE_DIR "/tests/fuzz/corpus/") + QString::fromStdString(target));
}

}  // namespace

// Every seed of every fuzz target, and every input of a past finding, run through the target's checks.
class FuzzReplayTest : public QObject {
    Q_OBJECT
  private slots:
    void seedFolders_data() {
        QTest::addColumn<QString>("target");
        for (const auto& [name, target] : registeredTargets()) {
            QTest::newRow(name.c_str()) << QString::fromStdString(name);
        }
    }
    void seedFolders() {
        QFETCH(QString, target);
        const QDir folder = corpusFolder(target.toStdString());
        QVERIFY2(folder.exists(), qPrintable(folder.path()));
        QVERIFY(!folder.entryList(QDir::Files).isEmpty());
    }

    void seeds_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        for (const auto& [name, target] : registeredTargets()) {
            const QDir folder = corpusFolder(name);
            for (const QString& file : folder.entryList(QDir::Files, QDir::Name)) {
                const QString row = QString::fromStdString(name) + "/" + file;
                QTest::newRow(qPrintable(row)) << QString::fromStdString(name) << folder.filePath(file);
            }
        }
    }
    void seeds() {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFile seed(file);
        QVERIFY(seed.open(QIODevice::ReadOnly));
        const QByteArray bytes = seed.readAll();
        QString finding;
        try {
            registeredTargets().at(target.toStdString())(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                         static_cast<size_t>(bytes.size()));
        } catch (const Finding& broken) {
            finding = QString::fromStdString(broken.what());
        }
        QCOMPARE(finding, QString());
    }
};

QTEST_GUILESS_MAIN(FuzzReplayTest)
#include "test_fuzz_replay.moc"
