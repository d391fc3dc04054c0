#pragma once
// What the programs do, as one line each on the error output: windows shown,
// pages' titles and text, Flash commands, devices and programs started. Off
// unless the logging rules switch it on ("bookdisc.trace.info=true"), so that
// the whole disc can be driven and checked from outside its processes.
#include <QLoggingCategory>

class QWidget;

namespace platform::qt {

Q_DECLARE_LOGGING_CATEGORY(traceLog)

// "x,y wxh" of a widget relative to its window, or of a window on the screen.
QString traceGeometry(const QWidget& widget);

} // namespace platform::qt
