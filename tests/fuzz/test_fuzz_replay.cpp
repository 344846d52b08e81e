#include <QDir>
#include <QtTest>

#include "fuzz_support.h"

using namespace selenarc::fuzz;

// Every seed of every fuzz target, and every input of a past finding, run through the target's checks.
class FuzzReplayTest : public QObject {
    Q_OBJECT
  private slots:
    void seeds_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("file");
        for (const auto& entry : registeredTargets()) {
            const QString target = QString::fromStdString(entry.first);
            const QDir folder(QStringLiteral(SELENARC_SOURCE_DIR "/tests/fuzz/corpus/") + target);
            const QStringList files = folder.entryList(QDir::Files, QDir::Name);
            // A target without seeds gets one row that cannot open its file.
            for (const QString& file : files.isEmpty() ? QStringList{"(aucune graine)"} : files) {
                QTest::newRow(qPrintable(target + "/" + file)) << target << folder.filePath(file);
            }
        }
    }
    void seeds() {
        QFETCH(QString, target);
        QFETCH(QString, file);
        QFile seed(file);
        QVERIFY2(seed.open(QIODevice::ReadOnly), qPrintable(file));
        const QByteArray bytes = seed.readAll();
        try {
            registeredTargets().at(target.toStdString())(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                                         static_cast<size_t>(bytes.size()));
        } catch (const Finding& broken) {
            QFAIL(broken.what());
        }
    }
};

QTEST_GUILESS_MAIN(FuzzReplayTest)
#include "test_fuzz_replay.moc"
