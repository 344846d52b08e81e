#include <QtTest>
#include <QtWidgets>

#include "app/qt/qt_translations.h"

using namespace selenarc;

// Qt's own texts follow the user's language only when it is French; the translator is removed after
// each row so that the rows do not depend on each other.
class QtTranslationsTest : public QObject {
    Q_OBJECT
  private slots:
    void contextMenuOfAField_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("selectAll");  // the last entry of a line edit's context menu
        QTest::newRow("French of France") << "fr_FR" << true << "Tout sélectionner";
        QTest::newRow("English") << "en_GB" << false << "Select All";
    }
    void contextMenuOfAField() {
        QFETCH(QString, locale);
        QFETCH(bool, installed);
        QFETCH(QString, selectAll);
        QCOMPARE(installQtTranslations(*QCoreApplication::instance(), QLocale(locale)), installed);
        QLineEdit field("texte");
        std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
        QString last = menu->actions().constLast()->text();
        QCOMPARE(last.remove('&').section('\t', 0, 0), selectAll);
        for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

QTEST_MAIN(QtTranslationsTest)
#include "test_qt_translations.moc"
