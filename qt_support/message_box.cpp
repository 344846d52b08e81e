#include "qt_support/message_box.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace selenarc {

namespace {

// The box of a message: title, text with plain newlines, icon.
void prepare(QMessageBox& box, const Message& message) {
    box.setWindowTitle(fromUtf8(message.title));
    box.setText(toDisplayLines(fromUtf8(message.text)));
    switch (message.icon) {
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
}

}  // namespace

void showMessageBox(QWidget* parent, const Message& message) {
    QMessageBox box(parent);
    prepare(box, message);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool askYesNo(QWidget* parent, const Message& question) {
    QMessageBox box(parent);
    prepare(box, question);
    QPushButton* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

MessageSink messageBoxSink(QWidget* parent) {
    QPointer<QWidget> guarded(parent);
    return [guarded](const Message& message) { showMessageBox(guarded.data(), message); };
}

}  // namespace selenarc
