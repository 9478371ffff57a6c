#include "cli/row_writer.h"

#include <charconv>

#include "platform/fs_file.h"
#include "platform/fs_time.h"
#include "platform/utf8.h"
#include "results/row_text.h"
#include "results/text_escape.h"
#include "search/size_text.h"

namespace zandor {

namespace {

constexpr std::size_t kFlushAt = std::size_t{256} * 1024;

template <typename Number>
void appendNumber(std::string& out, Number value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendJsonText(std::string& out, std::string_view key, std::string_view text) {
    out.push_back('"');
    out.append(key);
    out.append("\":\"");
    appendJsonEscaped(out, text);
    out.push_back('"');
    // A text that is not UTF-8 shows U+FFFD above; its bytes follow in hex.
    if (!isValidUtf8(text)) {
        out.append(",\"");
        out.append(key);
        out.append("_hex\":\"");
        appendHex(out, text);
        out.push_back('"');
    }
}

// An entry that could not be described has no size and no times: its
// numbers are null and their texts empty.
void appendJsonUndescribed(std::string& out, const FoundEntry& entry) {
    out.append(",\"size\":null,\"size_text\":\"\",\"type\":\"");
    out.append(entry.type());
    out.append(
        "\",\"created\":\"\",\"last_write\":\"\",\"created_epoch\":null,"
        "\"last_write_epoch\":null}\n");
}

void appendJson(std::string& out, const FoundEntry& entry) {
    out.push_back('{');
    appendJsonText(out, "name", entry.name);
    out.push_back(',');
    appendJsonText(out, "path", entry.path);
    if (!entry.described) {
        appendJsonUndescribed(out, entry);
        return;
    }
    out.append(",\"size\":");
    appendNumber(out, entry.size);
    out.append(",\"size_text\":\"");
    if (!entry.isFolder) {
        appendSizeText(out, entry.size);
    }
    out.append("\",\"type\":\"");
    out.append(entry.type());
    out.append("\",\"created\":\"");
    appendTimeText(out, entry.created);
    out.append("\",\"last_write\":\"");
    appendTimeText(out, entry.lastWrite);
    out.append("\",\"created_epoch\":");
    appendNumber(out, entry.created);
    out.append(",\"last_write_epoch\":");
    appendNumber(out, entry.lastWrite);
    out.append("}\n");
}

}  // namespace

RowWriter::RowWriter(int fd, OutputFormat format) : m_fd(fd), m_format(format) {
    m_buffer.reserve(kFlushAt + std::size_t{64} * 1024);
}

RowWriter::~RowWriter() {
    flush();
}

void RowWriter::appendRow(std::string& out, const FoundEntry& entry, OutputFormat format) {
    switch (format) {
        case OutputFormat::Tsv:
            appendTsvRow(out, entry);
            break;
        case OutputFormat::Json:
            appendJson(out, entry);
            break;
        case OutputFormat::Null:
            out.append(entry.path);
            out.push_back('\0');
            break;
    }
}

void RowWriter::AddResult(const FoundEntry& entry) {
    appendRow(m_buffer, entry, m_format);
    if (m_buffer.size() >= kFlushAt) [[unlikely]] {
        flush();
    }
}

void RowWriter::flush() {
    if (m_written.ok()) {
        m_written = writeAll(m_fd, m_buffer);
        if (!m_written.ok() && m_stopOnFailure != nullptr) {
            m_stopOnFailure->store(true, std::memory_order_relaxed);
        }
    }
    m_buffer.clear();
}

}  // namespace zandor
