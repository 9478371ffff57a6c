// RowFilter: the words typed into the results pane's filter, and which rows
// pass them. A row passes when its name holds every word, with the letter
// case folded as the name test folds it (so "straße" finds "STRASSE" only as
// the name test would, and "ä" finds "Ä"); a word that holds a "/" is looked
// for in the row's full path instead. No words: every row passes.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "results/result_row.h"

namespace zandor {

class RowFilter {
  public:
    RowFilter() = default;
    // The words of text (UTF-8), separated by blanks (spaces and tabs).
    explicit RowFilter(std::string_view text);

    bool empty() const { return m_nameWords.empty() && m_pathWords.empty(); }
    bool operator==(const RowFilter&) const = default;

    // Whether every row this filter passes also passes `wider`: then this
    // filter need test only the rows `wider` let through. True when each of
    // wider's words lies within one of this filter's words that is looked
    // for in the same text or in a part of it (a name is part of its path).
    bool narrows(const RowFilter& wider) const;

    // The rows that pass, in their order; nullopt as soon as stop is
    // requested (felt within a few thousand rows). The rows must not change
    // meanwhile.
    std::optional<std::vector<const ResultRow*>> passing(std::span<const ResultRow* const> rows,
                                                         const std::stop_token& stop = {}) const;

  private:
    // Each word folded, longest first, so that a row fails at the rarest word.
    std::vector<std::string> m_nameWords;
    std::vector<std::string> m_pathWords;
};

}  // namespace zandor
