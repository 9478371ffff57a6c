#include "results/filtered_list.h"

#include <utility>

namespace zandor {

FilteredList::Relist FilteredList::setFilter(RowFilter typed,
                                             std::span<const ResultRow* const> shown) {
    if (typed == m_typed) {
        return std::nullopt;
    }
    if (!active()) {
        // Every listed row is shown: they are the list the filter keeps.
        m_all.assign(shown.begin(), shown.end());
        m_applied = RowFilter();
    }
    m_typed = std::move(typed);
    if (!active()) {
        cancel();
        m_applied = RowFilter();
        return std::exchange(m_all, {});
    }
    return filterFrom(m_typed.narrows(m_applied) ? shown
                                                 : std::span<const ResultRow* const>(m_all));
}

FilteredList::Relist FilteredList::relist(Rows all) {
    if (!active()) {
        return all;
    }
    m_all = std::move(all);
    return filterFrom(m_all);
}

FilteredList::Rows FilteredList::append(std::span<const ResultRow* const> rows) {
    if (!active()) {
        return {rows.begin(), rows.end()};
    }
    m_all.insert(m_all.end(), rows.begin(), rows.end());
    // Shown by the words the shown rows passed; a run in progress tests
    // them by the words typed when it ends.
    return *m_applied.passing(rows);
}

FilteredList::Relist FilteredList::remove(const std::unordered_set<const ResultRow*>& rows) {
    if (!active()) {
        return std::nullopt;
    }
    const bool wasRunning = running();
    cancel();
    std::erase_if(m_all, [&rows](const ResultRow* row) { return rows.contains(row); });
    return wasRunning ? filterFrom(m_all) : std::nullopt;
}

void FilteredList::pause() {
    cancel();
}

FilteredList::Relist FilteredList::refilter() {
    return active() ? filterFrom(m_all) : std::nullopt;
}

FilteredList::Relist FilteredList::finish(std::uint64_t ticket, Rows passed) {
    if (ticket == 0 || ticket != m_ticket) {
        return std::nullopt;
    }
    cancel();  // the run has ended: this only joins its thread
    m_applied = m_typed;
    // Rows listed since the run began were not among those it tested.
    const Rows later = *m_typed.passing(std::span(m_all).subspan(m_coveredRows));
    passed.insert(passed.end(), later.begin(), later.end());
    return passed;
}

void FilteredList::clear() {
    cancel();
    Rows().swap(m_all);
    m_applied = m_typed;
}

FilteredList::Relist FilteredList::filterFrom(std::span<const ResultRow* const> base) {
    cancel();
    if (base.size() < m_backgroundFrom) {
        m_applied = m_typed;
        return *m_typed.passing(base);
    }
    m_coveredRows = m_all.size();
    m_ticket = m_task.start([typed = m_typed, rows = Rows(base.begin(), base.end()),
                             ready = m_ready](const std::stop_token& stop, std::uint64_t ticket) {
        std::optional<Rows> passed = typed.passing(rows, stop);
        if (passed && !stop.stop_requested()) {
            ready(ticket, std::move(*passed));
        }
    });
    return std::nullopt;
}

void FilteredList::cancel() {
    m_task.cancel();
    m_ticket = 0;
}

}  // namespace zandor
