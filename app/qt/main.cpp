#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/program_folder.h"
#include "app/qt/main_window.h"
#include "app/qt/pdf_report.h"
#include "app/qt/person_files_ui.h"
#include "app/qt/qt_translations.h"
#include "app/report_command.h"
#include "qt_support/message_box.h"
#include "qt_support/program_icon.h"

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

int runReportCommand(selenarc::ReportOptions options, const std::filesystem::path& programFolder) {
    if (!options.personFile.empty()) {
        options.dataFolder = selenarc::prepareDataFolder(selenarc::dataFolderBase(), programFolder).path;
    }
    return selenarc::runReport(options, programFolder, clockNow(), std::cout, std::cerr,
                               &selenarc::writeReportPdf);
}

// Qt gets the program name only: every argument has been read before.
struct QtArguments {
    QtArguments(int argc, char* argv[]) : values{argc > 0 ? argv[0] : programName, nullptr} {}
    char programName[9] = "selenarc";
    int count = 1;
    char* values[2];
};

void nameApplication() {
    QCoreApplication::setApplicationName("selenarc");
    QGuiApplication::setApplicationDisplayName("Selenarc");
}

std::string applicationFolder() {
    return QDir(QCoreApplication::applicationDirPath()).absolutePath().toStdString();
}

// The report and the list of places need no window system: a plain core application, and fonts
// (an offscreen GUI application) only when a PDF is painted.
int runHeadless(const selenarc::CommandLine& command, int argc, char* argv[]) {
    qInstallMessageHandler(quietQtMessages);
    if (command.mode == selenarc::ProgramMode::Report && !command.report.pdfFile.empty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QtArguments arguments(argc, argv);
        QGuiApplication application(arguments.count, arguments.values);
        nameApplication();
        return runReportCommand(command.report, selenarc::findProgramFolder(applicationFolder()));
    }
    QtArguments arguments(argc, argv);
    QCoreApplication application(arguments.count, arguments.values);
    QCoreApplication::setApplicationName("selenarc");
    const auto programFolder = selenarc::findProgramFolder(applicationFolder());
    if (command.mode == selenarc::ProgramMode::Places) {
        return selenarc::listPlaces(command.places, programFolder, std::cout, std::cerr);
    }
    return runReportCommand(command.report, programFolder);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Read before Qt sees anything: the person's data are never taken for Qt's own options, and
    // the help, the version and a refused option need no display.
    const selenarc::CommandLine command = selenarc::parseCommandLine({argv + std::min(argc, 1), argv + argc});
    switch (command.mode) {
        case selenarc::ProgramMode::Help:
            std::cout << selenarc::kUsageText;
            return 0;
        case selenarc::ProgramMode::Version:
            std::cout << selenarc::kVersionText;
            return 0;
        case selenarc::ProgramMode::Refused:
            std::cerr << "selenarc : " << command.error << '\n' << selenarc::kUsageText;
            return selenarc::kReportUsage;
        case selenarc::ProgramMode::Places:
        case selenarc::ProgramMode::Report:
            return runHeadless(command, argc, argv);
        case selenarc::ProgramMode::Window:
            break;
    }
    QtArguments arguments(argc, argv);
    QApplication application(arguments.count, arguments.values);
    nameApplication();
    QApplication::setWindowIcon(selenarc::programIcon());
    selenarc::installQtTranslations(application);
    const auto programFolder = selenarc::findProgramFolder(applicationFolder());
    const auto dataFolder = selenarc::prepareDataFolder(selenarc::dataFolderBase(), programFolder);
    selenarc::MainWindow window(programFolder, {}, clockNow);
    selenarc::connectPersonFileMenus(window, dataFolder);
    window.show();
    return application.exec();
}
