#include "Trace.h"

#include <QWidget>

namespace platform::qt {

Q_LOGGING_CATEGORY(traceLog, "bookdisc.trace", QtWarningMsg)

QString traceGeometry(const QWidget& widget)
{
    const QRect place = widget.isWindow() ? widget.frameGeometry() : QRect(widget.mapTo(widget.window(), QPoint()), widget.size());
    return QStringLiteral("%1,%2 %3x%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height());
}

} // namespace platform::qt
