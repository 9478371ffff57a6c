#include "app/mnemonic_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace zandor {

MnemonicGuard::MnemonicGuard(QWidget* window) : QObject(window), m_window(window) {
    // A key press reaches a shortcut before any widget; only what no
    // shortcut took arrives here.
    qApp->installEventFilter(this);
}

bool MnemonicGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
    // AltGr, which types letters on many layouts, does not report Alt.
    if (modifiers != Qt::AltModifier || key->text().isEmpty() || !key->text().at(0).isPrint()) {
        return QObject::eventFilter(watched, event);
    }
    return static_cast<QWidget*>(watched)->window() == m_window;
}

}  // namespace zandor
