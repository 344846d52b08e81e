#include "app/qt/message_box.h"

#include <QMessageBox>
#include <QPointer>

namespace selenarc {

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string toUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

void showMessageBox(QWidget* parent, const Message& message) {
    QMessageBox box(parent);
    box.setWindowTitle(fromUtf8(message.title));
    // The texts carry Windows line breaks; a label wants plain newlines.
    box.setText(fromUtf8(message.text).replace("\r\n", "\n"));
    switch (message.icon) {
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

MessageSink messageBoxSink(QWidget* parent) {
    QPointer<QWidget> guarded(parent);
    return [guarded](const Message& message) { showMessageBox(guarded.data(), message); };
}

}  // namespace selenarc
