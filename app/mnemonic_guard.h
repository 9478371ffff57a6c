// Alt and a letter is a mnemonic in this window, never typing: when no
// enabled control or menu takes it (Search is greyed during a search, a
// section's controls are hidden), the key is dropped rather than typed into
// the field or list that has the focus.
#pragma once

#include <QObject>

class QWidget;

namespace zandor {

class MnemonicGuard final : public QObject {
    Q_OBJECT
  public:
    // Watches the keys of every widget inside window (its dialogs and popups
    // are windows of their own and keep their keys).
    explicit MnemonicGuard(QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* m_window;
};

}  // namespace zandor
