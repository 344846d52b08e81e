#include "app/qt/help_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

#include "app/help_text.h"
#include "qt_support/qt_text.h"
#include "qt_support/twips.h"

namespace selenarc {

static QPointer<HelpWindow>& instance() {
    static QPointer<HelpWindow> window;
    return window;
}

HelpWindow* HelpWindow::existing() {
    return instance().data();
}

HelpWindow* HelpWindow::showHelp() {
    if (!instance()) {
        instance() = new HelpWindow;
    }
    instance()->show();
    instance()->raise();
    instance()->activateWindow();
    return instance().data();
}

HelpWindow::HelpWindow() {
    setObjectName("f_aide");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Aide");
    setFixedSize(twipsToPixels(8160), twipsToPixels(4410));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(255, 255, 192));
    setPalette(background);

    auto* heading = new QLabel(QString::fromUtf8(kHelpHeading), this);
    heading->setObjectName("Label1");
    heading->setAlignment(Qt::AlignCenter);
    heading->setAutoFillBackground(true);
    QPalette strip = heading->palette();
    strip.setColor(QPalette::Window, QColor(255, 255, 128));
    heading->setPalette(strip);
    QFont headingFont = heading->font();
    headingFont.setPointSize(12);
    heading->setFont(headingFont);
    placeInTwips(heading, 0, 0, 8175, 375);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName("Text1");
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setPlainText(toDisplayLines(QString::fromUtf8(kHelpText)));
    placeInTwips(text_, 0, 360, 8175, 3255);

    auto* ok = new QPushButton("Ok", this);
    ok->setObjectName("Command1");
    placeInTwips(ok, 3240, 3840, 1695, 375);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
}

QString HelpWindow::helpText() const {
    return text_->toPlainText();
}

}  // namespace selenarc
