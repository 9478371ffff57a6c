// RowWriter: the result sink of zandor-find. It writes every row to a file
// descriptor in one of the output formats, through a large buffer so that a
// million rows cost a few hundred write calls.
#pragma once

#include <atomic>
#include <string>

#include "platform/result.h"
#include "search/sinks.h"

namespace zandor {

enum class OutputFormat { Tsv, Json, Null };

class RowWriter : public ResultSink {
  public:
    RowWriter(int fd, OutputFormat format);
    ~RowWriter() override;

    void AddResult(const FoundEntry& entry) override;
    bool wantsMetadata() const override { return m_format != OutputFormat::Null; }
    // Writes what is buffered. After the descriptor refused a write nothing
    // more is written, and the walk is told to stop through the flag given
    // to stopOnFailure, since no later row can reach the reader.
    void flush();
    void stopOnFailure(std::atomic<bool>* stop) { m_stopOnFailure = stop; }
    // Whether every row so far was written; else the first write's error.
    const Result<void>& written() const { return m_written; }

    // One row in the writer's format, appended to out (for tests and callers
    // that gather text).
    static void appendRow(std::string& out, const FoundEntry& entry, OutputFormat format);

  private:
    int m_fd;
    OutputFormat m_format;
    std::string m_buffer;
    std::atomic<bool>* m_stopOnFailure = nullptr;
    Result<void> m_written;
};

}  // namespace zandor
