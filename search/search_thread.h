// The work of one search from start to completion, as the worker runs it.
#pragma once

#include <cstdint>

#include "search/live_conditions.h"
#include "search/search_criteria.h"
#include "search/sinks.h"

namespace zandor {

// Resets the counters, walks criteria.m_strLookIn, then completes: clears the
// stop flag and the extension flags, and hands the completion (counts reached,
// whether it was stopped, whether the look-in folder could be read) to the
// progress sink before returning it.
SearchCompletion SearchThreadProc(SearchCriteria& criteria, const LiveConditionsBoard& live,
                                  ResultSink& results, ProgressSink& progress,
                                  std::uint64_t generation = 0);

}  // namespace zandor
