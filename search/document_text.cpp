#include "search/document_text.h"

#include <fcntl.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <memory>
#include <string_view>
#include <vector>

#include "search/pdf_text.h"
#include "search/xml_text.h"

namespace zandor {

namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;
// Below this a part may shrink by any ratio (a sheet of empty cells does).
constexpr std::uint64_t kRatioFrom = std::uint64_t{1} << 20U;

XmlFlavour flavourOf(DocumentKind kind) {
    switch (kind) {
        case DocumentKind::Word:
            return XmlFlavour::Word;
        case DocumentKind::Workbook:
            return XmlFlavour::Workbook;
        case DocumentKind::SlideShow:
            return XmlFlavour::SlideShow;
        default:
            return XmlFlavour::OpenDocument;
    }
}

// A part named stem, a number or nothing, then ".xml", in stem's folder.
bool isPartOf(std::string_view name, std::string_view stem) {
    return name.starts_with(stem) && name.ends_with(".xml") &&
           name.find('/', stem.size()) == std::string_view::npos;
}

// Whether the archive's part holds text the document's reader shows: the
// body, and the headers, footers and notes that go with it.
bool holdsText(DocumentKind kind, std::string_view name) {
    switch (kind) {
        case DocumentKind::OpenDocument:
            return name == "content.xml" || name == "styles.xml";
        // A presentation's styles hold its master pages' placeholders
        // ("<number>", "<footer>"), which no slide shows.
        case DocumentKind::Presentation:
            return name == "content.xml";
        case DocumentKind::Word:
            return name == "word/document.xml" || isPartOf(name, "word/header") ||
                   isPartOf(name, "word/footer") || name == "word/footnotes.xml" ||
                   name == "word/endnotes.xml";
        case DocumentKind::Workbook:
            return name == "xl/sharedStrings.xml" || isPartOf(name, "xl/worksheets/sheet");
        case DocumentKind::SlideShow:
            return isPartOf(name, "ppt/slides/slide");
        default:
            return false;
    }
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct PartCloser {
    void operator()(zip_file_t* part) const { zip_fclose(part); }
};

// One archive's text parts, read through one XmlText.
class ArchiveSearch {
  public:
    ArchiveSearch(zip_t* archive, DocumentKind kind, ContentsSearch& search,
                  const std::atomic<bool>& stop, const DocumentLimits& limits)
        : m_archive(archive),
          m_search(search),
          m_stop(stop),
          m_limits(limits),
          m_text(flavourOf(kind), [&search](std::string_view text) { return search.feed(text); }),
          m_chunk(kChunk) {}

    // Unread while the document goes on; else its verdict.
    ContentsVerdict part(zip_uint64_t index) {
        zip_stat_t info;
        zip_stat_init(&info);
        if (zip_stat_index(m_archive, index, 0, &info) != 0 || tooLarge(info, 0)) {
            return ContentsVerdict::Unreadable;
        }
        const std::unique_ptr<zip_file_t, PartCloser> part(zip_fopen_index(m_archive, index, 0));
        if (!part) {
            return ContentsVerdict::Unreadable;  // encrypted, or a method libzip lacks
        }
        m_text.start();
        std::uint64_t read = 0;
        while (true) {
            if (m_stop.load(std::memory_order_relaxed)) {
                return ContentsVerdict::Passed;
            }
            const zip_int64_t got = zip_fread(part.get(), m_chunk.data(), m_chunk.size());
            if (got < 0) {
                return ContentsVerdict::Unreadable;
            }
            read += static_cast<std::uint64_t>(got);
            m_total += static_cast<std::uint64_t>(got);
            // Sizes in the archive may lie: what comes out is held to the limits too.
            if (tooLarge(info, read) || m_total > m_limits.totalBytes) {
                return ContentsVerdict::Unreadable;
            }
            if (!m_text.feed(std::string_view(m_chunk.data(), static_cast<std::size_t>(got)),
                             got == 0)) {
                return m_text.ended() ? ContentsVerdict::Found : ContentsVerdict::Unreadable;
            }
            if (got == 0) {
                break;
            }
        }
        // Parts do not run into each other.
        return m_search.feed("\n") ? ContentsVerdict::Found : ContentsVerdict::Unread;
    }

  private:
    bool tooLarge(const zip_stat_t& info, std::uint64_t read) const {
        const std::uint64_t size =
            std::max(read, (info.valid & ZIP_STAT_SIZE) != 0 ? info.size : std::uint64_t{0});
        if (size > m_limits.memberBytes) {
            return true;
        }
        const std::uint64_t packed =
            (info.valid & ZIP_STAT_COMP_SIZE) != 0 ? std::max<std::uint64_t>(info.comp_size, 1) : 0;
        return packed > 0 && size > kRatioFrom && size / packed > m_limits.ratio;
    }

    zip_t* m_archive;
    ContentsSearch& m_search;
    const std::atomic<bool>& m_stop;
    const DocumentLimits& m_limits;
    XmlText m_text;
    std::vector<char> m_chunk;
    std::uint64_t m_total = 0;
};

ContentsVerdict searchArchive(int fd, DocumentKind kind, ContentsSearch& search,
                              const std::atomic<bool>& stop, const DocumentLimits& limits) {
    // libzip owns the descriptor it is given: a duplicate of the walk's.
    const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (own < 0) {
        return ContentsVerdict::Unreadable;
    }
    int error = 0;
    const std::unique_ptr<zip_t, ArchiveCloser> archive(zip_fdopen(own, ZIP_RDONLY, &error));
    if (!archive) {
        ::close(own);  // a truncated or broken archive
        return ContentsVerdict::Unreadable;
    }
    search.start();
    ArchiveSearch parts(archive.get(), kind, search, stop, limits);
    bool anyPart = false;
    const zip_int64_t entries = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t index = 0; index < entries; ++index) {
        const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(index), 0);
        if (name == nullptr || !holdsText(kind, name)) {
            continue;
        }
        anyPart = true;
        const ContentsVerdict verdict = parts.part(static_cast<zip_uint64_t>(index));
        if (verdict != ContentsVerdict::Unread) {
            return verdict;
        }
    }
    if (!anyPart) {
        return ContentsVerdict::Unreadable;  // no part a reader would show
    }
    return search.finish() ? ContentsVerdict::Found : ContentsVerdict::Missing;
}

}  // namespace

ContentsVerdict searchDocument(int fd, DocumentKind kind, ContentsSearch& search,
                               const std::atomic<bool>& stop, const DocumentLimits& limits) {
    switch (kind) {
        case DocumentKind::Pdf:
            return searchPdf(fd, search, stop);
        case DocumentKind::None:
            return ContentsVerdict::Passed;
        case DocumentKind::Sealed:
            return ContentsVerdict::Unreadable;
        default:
            return searchArchive(fd, kind, search, stop, limits);
    }
}

}  // namespace zandor
