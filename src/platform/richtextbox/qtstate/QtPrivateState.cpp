#include "platform/richtextbox/qtstate/QtPrivateState.h"

#include <QLibraryInfo>
#include <QVersionNumber>

Q_LOGGING_CATEGORY(layoutLog, "corvala.layout", QtInfoMsg)

namespace {

bool decide()
{
    const QVersionNumber running = QLibraryInfo::version();
    if (running.majorVersion() != QT_VERSION_MAJOR || running.minorVersion() != QT_VERSION_MINOR) {
        qCInfo(layoutLog).nospace() << "Qt " << running.toString() << " runs the program, built against Qt "
                                    << QT_VERSION_STR << ": its private layout state is not read, and Qt "
                                    << "lays out every change itself";
        return false;
    }
    const QByteArray layoutOnly = qgetenv(QtPrivateState::qtLayoutOnlyVariable);
    if (!layoutOnly.isEmpty() && layoutOnly != "0") {
        qCInfo(layoutLog).nospace() << QtPrivateState::qtLayoutOnlyVariable << " is set: Qt's private layout "
                                    << "state is not read, and Qt lays out every change itself";
        return false;
    }
    return true;
}

} // namespace

bool QtPrivateState::usable()
{
    static const bool usable = decide();
    return usable;
}
