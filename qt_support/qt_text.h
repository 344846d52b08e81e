#pragma once

#include <QString>
#include <string>

namespace selenarc {

// The core speaks UTF-8 std::string; the widgets speak QString.
inline QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

inline std::string toUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

// The texts carry Windows line breaks ("\r\n", or a lone "\r"); widgets want plain newlines.
inline QString toDisplayLines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

}  // namespace selenarc
