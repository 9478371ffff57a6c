// Finds a window's widgets by objectName, as tests reach the controls a user
// sees instead of a pane's members.
#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace zandor::test {

// The descendant of parent of this type and objectName. A test that asks for
// a widget the window does not have stops there, naming it.
template <typename Widget>
Widget* widget(const QObject& parent, const char* name) {
    auto* found = parent.findChild<Widget*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no %s named %s", Widget::staticMetaObject.className(), name);
    }
    return found;
}

}  // namespace zandor::test
