// A result sink for tests that run many searches on one session: it keeps
// the rows of each search apart, by the generation the walk announces, and
// a progress sink that keeps each search's completion. Thread-safe.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "search/sinks.h"

namespace zandor::test {

struct GenerationRow {
    std::string path;
    bool isFolder = false;
    std::uint64_t size = 0;
    bool described = true;  // size and times known
};

class GenerationRecorder : public ResultSink, public ProgressSink {
  public:
    void onSearchStarted(std::uint64_t generation) override {
        std::lock_guard lock(m_mutex);
        m_current = generation;
        m_started.push_back(generation);
        m_rows[generation];
    }
    void AddResult(const FoundEntry& entry) override {
        std::lock_guard lock(m_mutex);
        m_rows[m_current].push_back(
            {std::string(entry.path), entry.isFolder, entry.size, entry.described});
    }
    void onProgress(ProgressKind /*kind*/, std::string_view /*path*/) override {}
    void onCompleted(const SearchCompletion& completion) override {
        std::lock_guard lock(m_mutex);
        m_completions.push_back(completion);
    }

    // The generations whose walks began, in the order they began.
    std::vector<std::uint64_t> started() const {
        std::lock_guard lock(m_mutex);
        return m_started;
    }
    std::vector<SearchCompletion> completions() const {
        std::lock_guard lock(m_mutex);
        return m_completions;
    }
    std::vector<GenerationRow> rows(std::uint64_t generation) const {
        std::lock_guard lock(m_mutex);
        const auto found = m_rows.find(generation);
        return found == m_rows.end() ? std::vector<GenerationRow>() : found->second;
    }
    std::vector<std::string> paths(std::uint64_t generation) const {
        std::vector<std::string> out;
        for (const auto& row : rows(generation)) {
            out.push_back(row.path);
        }
        return out;
    }

  private:
    mutable std::mutex m_mutex;
    std::uint64_t m_current = 0;
    std::vector<std::uint64_t> m_started;
    std::map<std::uint64_t, std::vector<GenerationRow>> m_rows;
    std::vector<SearchCompletion> m_completions;
};

}  // namespace zandor::test
