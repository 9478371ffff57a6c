// CommandRouter: which pane is active (the one the user last clicked into,
// the criteria form at start), and which commands that makes available.
// Open, Open Containing Folder and the sort commands of the menu bar and the
// toolbar work only while the results pane is active; Esc stops a search
// only while the criteria form is.
#pragma once

#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QWidget;

namespace zandor {

enum class Pane { Criteria, Results };

class CommandRouter final : public QObject {
    Q_OBJECT
  public:
    CommandRouter(QWidget* criteriaPane, QWidget* resultsPane, std::vector<QAction*> resultsOnly,
                  QObject* parent = nullptr);

    Pane activePane() const { return m_active; }
    void setActivePane(Pane pane);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void updateActions();

    QPointer<QWidget> m_criteria;
    QPointer<QWidget> m_results;
    std::vector<QAction*> m_resultsOnly;
    Pane m_active = Pane::Criteria;
};

}  // namespace zandor
