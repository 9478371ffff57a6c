#include "results/result_row.h"

#include "platform/fs_time.h"
#include "search/size_text.h"

namespace zandor {

std::string ResultRow::sizeText() const {
    return isFile() ? SizeText(m_dwSize) : std::string();
}

std::string ResultRow::createdText() const {
    return TimeText(m_created);
}

std::string ResultRow::lastWriteText() const {
    return TimeText(m_lastWrite);
}

}  // namespace zandor
