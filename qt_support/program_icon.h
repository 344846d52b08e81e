#pragma once

#include <QIcon>

namespace selenarc {

// The program's icon, built into the program as a resource: found also when it runs from its build
// folder, before any installation.
inline QIcon programIcon() {
    return QIcon(QStringLiteral(":/selenarc.svg"));
}

}  // namespace selenarc
