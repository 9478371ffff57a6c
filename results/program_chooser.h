// ProgramChooser: the dialog that picks a program to open items with from
// all those the desktop shows: a filter line above the list of programs
// narrows it as the user types; Enter, a double click or OK chooses, Esc
// cancels.
#pragma once

#include <QDialog>
#include <QIcon>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell_apps.h"

class QDialogButtonBox;
class QLineEdit;
class QListWidget;

namespace zandor {

// A program's icon: a themed icon by name, or an icon file by its path.
QIcon programIcon(const std::string& iconName);

class ProgramChooser final : public QDialog {
    Q_OBJECT
  public:
    explicit ProgramChooser(std::vector<DesktopProgram> programs, QWidget* parent = nullptr);

    // The program chosen once the dialog is accepted; nothing otherwise.
    std::optional<DesktopProgram> chosen() const;

  protected:
    // Up and Down in the filter line move in the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Shows the programs whose names hold the text, letter case aside, and
    // makes the first of them current.
    void filter(const QString& text);
    void updateOk();

    std::vector<DesktopProgram> m_programs;
    QLineEdit* m_filter;
    QListWidget* m_list;
    QDialogButtonBox* m_buttons;
};

}  // namespace zandor
