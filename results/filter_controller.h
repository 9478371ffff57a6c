// FilterController: the results pane's filter on the window's thread. The
// model lists only the rows a FilteredList lets through; the rows of a run
// away from this thread come back through the event loop and are swapped in
// at once. A change that leaves the shown rows as they were lists nothing
// anew, so the selection stays.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "results/filtered_list.h"
#include "results/result_model.h"

namespace zandor {

class FilterController final : public QObject {
    Q_OBJECT
  public:
    // Lists rows in this model (which outlives it).
    explicit FilterController(ResultModel& model, QObject* parent = nullptr);

    // The words the rows must hold, as typed.
    void setText(const QString& text);
    // Lists of fewer rows than this are filtered at once, on this thread.
    void setBackgroundFilterFrom(std::size_t rows) { m_list.setBackgroundFrom(rows); }

    bool isFiltering() const { return m_list.active(); }
    // Whether the rows for the words typed are still being worked out.
    bool isRunning() const { return m_list.running(); }
    std::size_t shownCount() const { return m_model.recordedRows().size(); }
    std::size_t listedCount() const { return m_list.listedCount(shownCount()); }

    // The listing changes; the model shows what passes the filter.
    void relist(std::vector<const ResultRow*> all);
    void append(const std::vector<const ResultRow*>& rows);
    // The rows leave the list (the model lets go of them at once).
    void removeRecords(const std::unordered_set<const ResultRow*>& rows);
    // A new search: nothing is listed, the words stay.
    void clear();
    // Before listed rows change (a rename), and after: every listed row is
    // tested again.
    void pause() { m_list.pause(); }
    void refilter() { show(m_list.refilter()); }

  Q_SIGNALS:
    // The shown or the listed rows changed, or the filter went on or off.
    void countsChanged();

  private:
    void show(FilteredList::Relist rows);
    void finish(std::uint64_t ticket, std::vector<const ResultRow*> passed);

    ResultModel& m_model;
    FilteredList m_list;
};

}  // namespace zandor
