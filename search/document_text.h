// Searching a document in the text its reader shows rather than in its
// bytes: the parts of an OpenDocument or Office Open XML archive that hold
// its text (libzip, each part streamed through XmlText), the pages of a PDF
// as poppler extracts them. The text is streamed through the search piece
// by piece, never held whole; Stop is polled between pieces and pages.
#pragma once

#include <atomic>
#include <cstdint>

#include "search/contents_search.h"
#include "search/contents_verdict.h"
#include "search/document_kind.h"

namespace zandor {

// What keeps a hostile archive from taking the walk's memory or time: a
// part larger than memberBytes, or whose size is more than ratio times
// what it takes in the archive (once past a MiB), or parts that together
// come to more than totalBytes, end the document as unreadable.
struct DocumentLimits {
    std::uint64_t memberBytes = std::uint64_t{256} << 20U;
    std::uint64_t totalBytes = std::uint64_t{1} << 30U;
    std::uint64_t ratio = 200;
};

// Searches the document open on fd, of the kind given (not None). Found or
// Missing; Unreadable for a broken, encrypted or over-limit document;
// Passed when stopped.
ContentsVerdict searchDocument(int fd, DocumentKind kind, ContentsSearch& search,
                               const std::atomic<bool>& stop, const DocumentLimits& limits = {});

}  // namespace zandor
