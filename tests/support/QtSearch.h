#pragma once
#include "platform/qt/QtControls.h"
#include "support/QtWait.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QWebEnginePage>

namespace testsupport {

// Types a name no book has into the catalog's search box and presses Enter;
// true once the list pane says that nothing was found.
inline bool searchForANameNoBookHas(platform::EditBox& searchBox, QWebEnginePage& list)
{
    QLineEdit* box = dynamic_cast<platform::qt::QtEditBox&>(searchBox).lineEdit();
    box->setText(QString::fromUtf8("没有这样的书名"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(box, &enter);
    return waitUntil([&] {
        auto body = evaluate(list, "document.body.textContent", 5000);
        return body && body->toString() == QString::fromUtf8("没有找到书籍");
    });
}

} // namespace testsupport
