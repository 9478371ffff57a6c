#include "results/result_row.h"

#include "platform/fs_time.h"
#include "search/size_text.h"

namespace zandor {

std::string ResultRow::sizeText() const {
    return isFile() ? zandor::sizeText(m_size) : std::string();
}

std::string ResultRow::createdText() const {
    return timeText(m_created);
}

std::string ResultRow::lastWriteText() const {
    return timeText(m_lastWrite);
}

}  // namespace zandor
