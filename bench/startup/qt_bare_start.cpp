// The reference the report's start-up is measured against: a Qt program that starts its application
// object and leaves. "core" starts a QCoreApplication, "gui" an offscreen QGuiApplication.
#include <QCoreApplication>
#include <QGuiApplication>
#include <cstring>

int main(int argc, char* argv[]) {
    if (argc > 1 && std::strcmp(argv[1], "gui") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication application(argc, argv);
        return 0;
    }
    QCoreApplication application(argc, argv);
    return 0;
}
