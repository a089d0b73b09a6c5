#include "Artwork.h"

#include <QString>

#include <mutex>

// The resources are compiled into a static library; naming them here keeps the linker from dropping
// them, and loads them before the first picture is asked for. (Outside the anonymous namespace: the
// macro declares the resource's initialiser, which must keep its global name.)
static void EnsureResources()
{
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(bellwick); });
}

QIcon ProgramIcon()
{
    EnsureResources();
    return QIcon(QStringLiteral(":/icons/bellwick.svg"));
}

QIcon ProgramWarningIcon()
{
    EnsureResources();
    return QIcon(QStringLiteral(":/icons/bellwick-warning.svg"));
}

QIcon StateMarkIcon(StateMark mark)
{
    EnsureResources();
    switch (mark) {
    case StateMark::Grey:
        return QIcon(QStringLiteral(":/icons/state-grey.svg"));
    case StateMark::Yellow:
        return QIcon(QStringLiteral(":/icons/state-yellow.svg"));
    case StateMark::Green:
        return QIcon(QStringLiteral(":/icons/state-green.svg"));
    }
    return {};
}
