#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <iostream>
#include <string>
#include <vector>

#include "app/program_folder.h"
#include "app/qt/main_window.h"
#include "app/qt/message_box.h"
#include "app/qt/pdf_report.h"
#include "app/qt/person_files_ui.h"
#include "app/qt/qt_translations.h"
#include "app/report_command.h"

namespace {

// The only place that reads the clock: local date and time to the minute.
selenarc::CivilDateTime clockNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return selenarc::makeDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute());
}

// The report's standard error carries only its own messages: Qt's start-up notes are dropped.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::cerr << text.toStdString() << '\n';
    }
}

int runReportCommand(int argc, char* argv[], const std::filesystem::path& programFolder) {
    std::vector<std::string> arguments(argv + 2, argv + argc);
    const auto parsed = selenarc::parseReportOptions(arguments);
    if (!parsed.options) {
        std::cerr << "selenarc : " << parsed.error << '\n' << selenarc::kReportUsageText;
        return selenarc::kReportUsage;
    }
    return selenarc::runReport(*parsed.options, programFolder, clockNow(), std::cout, std::cerr,
                               &selenarc::writeReportPdf);
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool report = argc >= 2 && std::string(argv[1]) == "--rapport";
    if (report) {
        // Headless: no window system needed (the PDF is painted offscreen).
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        qInstallMessageHandler(quietQtMessages);
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("selenarc");
    QApplication::setApplicationDisplayName("Selenarc");
    selenarc::installQtTranslations(application);
    const auto programFolder =
        selenarc::findProgramFolder(QDir(QApplication::applicationDirPath()).absolutePath().toStdString());
    if (report) {
        return runReportCommand(argc, argv, programFolder);
    }
    if (argc >= 2) {
        std::cerr << "selenarc : option inconnue : " << argv[1] << '\n' << selenarc::kReportUsageText;
        return selenarc::kReportUsage;
    }
    const auto dataFolder = selenarc::prepareDataFolder(selenarc::dataFolderBase(), programFolder);
    selenarc::MainWindow window(programFolder, {}, clockNow);
    selenarc::connectPersonFileMenus(window, dataFolder);
    window.show();
    return application.exec();
}
