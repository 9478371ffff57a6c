#include "results/result_row.h"

#include "platform/fs_time.h"
#include "search/size_text.h"

namespace zandor {

std::string ResultRow::path() const {
    const auto [head, tail] = pathParts();
    std::string joined;
    joined.reserve(head.size() + tail.size());
    joined.append(head).append(tail);
    return joined;
}

std::string ResultRow::sizeText() const {
    return isFile() && m_bDescribed ? zandor::sizeText(m_size) : std::string();
}

std::string ResultRow::createdText() const {
    return m_bDescribed ? timeText(m_created) : std::string();
}

std::string ResultRow::lastWriteText() const {
    return m_bDescribed ? timeText(m_lastWrite) : std::string();
}

}  // namespace zandor
