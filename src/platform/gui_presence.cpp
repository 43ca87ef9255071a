#include "platform/gui_presence.h"

#include <QGuiApplication>

namespace lumivo::platform {

bool HaveGuiApplication() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr; }

}  // namespace lumivo::platform
