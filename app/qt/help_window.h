#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace selenarc {

// The help window "Aide": one instance, created on first use, destroyed by "Ok" or closing.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    // Shows the existing window, or creates it.
    static HelpWindow* showHelp();
    static HelpWindow* existing();

    QString helpText() const;

  private:
    HelpWindow();
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace selenarc
