#include "platform/gui_application.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace lumivo::platform {

bool HaveGuiApplication() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace lumivo::platform
