#include "search/search_request.h"

namespace zandor {

void SearchRequest::fillCriteria(SearchCriteria& criteria) const {
    criteria.m_strLookIn = m_strFolder;
    criteria.m_strNamePattern = m_strNamePattern;
    criteria.m_bCaseSensitive = m_bCaseSensitive;
    criteria.m_threads = m_threads;
    criteria.m_leaveOut = m_leaveOut;
    criteria.m_bStayOnDisk = m_bStayOnDisk;
    splitNamePattern(criteria.m_strNamePattern, criteria);
}

}  // namespace zandor
