// A PDF searched in the text of its pages as poppler extracts it (the
// library behind pdftotext), page by page.
#pragma once

#include <atomic>

#include "search/contents_search.h"
#include "search/contents_verdict.h"

namespace zandor {

// Searches the PDF open on fd. Unreadable when poppler cannot open it or it
// needs a password; Passed when stopped (polled between pages).
ContentsVerdict searchPdf(int fd, ContentsSearch& search, const std::atomic<bool>& stop);

}  // namespace zandor
