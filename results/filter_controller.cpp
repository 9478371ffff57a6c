#include "results/filter_controller.h"

#include <utility>

#include "results/ui_post.h"

namespace zandor {

FilterController::FilterController(ResultModel& model, QObject* parent)
    : QObject(parent),
      m_model(model),
      m_list([this](std::uint64_t ticket, std::vector<const ResultRow*> passed) {
          postToThreadOf(this, [this, ticket, passed = std::move(passed)]() mutable {
              finish(ticket, std::move(passed));
          });
      }) {}

void FilterController::setText(const QString& text) {
    // Any blank the user's keyboard gives (a no-break space too) parts words.
    const QByteArray words = text.simplified().toUtf8();
    const bool wasFiltering = isFiltering();
    show(m_list.setFilter(
        RowFilter(std::string_view(words.data(), static_cast<std::size_t>(words.size()))),
        m_model.recordedRows()));
    if (wasFiltering != isFiltering()) {
        Q_EMIT countsChanged();
    }
}

void FilterController::relist(std::vector<const ResultRow*> all) {
    if (!isFiltering()) {
        // Listed anew even when the rows are the same: a sort takes the
        // notice row away.
        m_model.relist(std::move(all));
        return;
    }
    show(m_list.relist(std::move(all)));
}

void FilterController::append(const std::vector<const ResultRow*>& rows) {
    if (!isFiltering()) {
        m_model.append(rows);
        return;
    }
    m_model.append(m_list.append(rows));
    Q_EMIT countsChanged();
}

void FilterController::removeRecords(const std::unordered_set<const ResultRow*>& rows) {
    m_model.removeRecords(rows);
    FilteredList::Relist shown = m_list.remove(rows);
    if (shown) {
        show(std::move(shown));
    } else {
        Q_EMIT countsChanged();
    }
}

void FilterController::clear() {
    m_list.clear();
    m_model.clear();  // before the rows it refers to go
    Q_EMIT countsChanged();
}

void FilterController::finish(std::uint64_t ticket, std::vector<const ResultRow*> passed) {
    show(m_list.finish(ticket, std::move(passed)));
}

void FilterController::show(FilteredList::Relist rows) {
    if (!rows) {
        return;
    }
    if (*rows != m_model.recordedRows()) {
        m_model.relist(std::move(*rows));
    }
    Q_EMIT countsChanged();
}

}  // namespace zandor
