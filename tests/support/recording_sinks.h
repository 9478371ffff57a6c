// Sinks that record what a search hands on, for tests. Thread-safe, so that a
// test thread may read while a worker writes.
#pragma once

#include <algorithm>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "search/sinks.h"

namespace zandor::test {

struct RecordedRow {
    std::string name;
    std::string path;
    std::uint64_t size = 0;
    std::string type;
    std::int64_t created = 0;
    std::int64_t lastWrite = 0;
};

class RecordingResults : public ResultSink {
  public:
    void onSearchStarted(std::uint64_t generation) override {
        std::lock_guard lock(m_mutex);
        m_generations.push_back(generation);
    }
    void AddResult(const FoundEntry& entry) override {
        std::lock_guard lock(m_mutex);
        m_rows.push_back({std::string(entry.name), std::string(entry.path), entry.size,
                          std::string(entry.type()), entry.created, entry.lastWrite});
    }
    std::vector<RecordedRow> rows() const {
        std::lock_guard lock(m_mutex);
        return m_rows;
    }
    void clear() {
        std::lock_guard lock(m_mutex);
        m_rows.clear();
    }
    // Paths in the order they arrived.
    std::vector<std::string> paths() const {
        std::vector<std::string> out;
        for (const auto& row : rows()) {
            out.push_back(row.path);
        }
        return out;
    }
    std::vector<std::string> sortedPaths() const {
        auto out = paths();
        std::sort(out.begin(), out.end());
        return out;
    }
    // The sorted paths below root, without root and its "/".
    std::vector<std::string> sortedPathsBelow(const std::string& root) const {
        auto out = sortedPaths();
        for (std::string& path : out) {
            path.erase(0, root.size() + 1);
        }
        return out;
    }
    std::vector<std::uint64_t> generations() const {
        std::lock_guard lock(m_mutex);
        return m_generations;
    }

  private:
    mutable std::mutex m_mutex;
    std::vector<RecordedRow> m_rows;
    std::vector<std::uint64_t> m_generations;
};

class RecordingProgress : public ProgressSink {
  public:
    // Called on the walk's thread after each title is recorded.
    std::function<void(const std::string& title)> onTitle;

    void onProgress(ProgressKind kind, std::string_view path) override {
        const std::string title = progressTitle(kind, path);
        {
            std::lock_guard lock(m_mutex);
            m_titles.push_back(title);
        }
        if (onTitle) {
            onTitle(title);
        }
    }
    void onCompleted(const SearchCompletion& completion) override {
        std::lock_guard lock(m_mutex);
        m_completions.push_back(completion);
    }
    std::vector<std::string> titles() const {
        std::lock_guard lock(m_mutex);
        return m_titles;
    }
    std::vector<SearchCompletion> completions() const {
        std::lock_guard lock(m_mutex);
        return m_completions;
    }

  private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_titles;
    std::vector<SearchCompletion> m_completions;
};

}  // namespace zandor::test
