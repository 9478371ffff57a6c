#include "search/contents_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/fs_fd.h"
#include "platform/utf8.h"
#include "search/document_text.h"

namespace zandor {

// UTF-16 text turned into UTF-8 piece by piece: a byte or a high surrogate
// that ends a piece waits for the next one; an unpaired surrogate becomes
// U+FFFD.
struct ContentsReader::Decoding {
    bool bigEndian = false;
    int odd = -1;       // a byte that ended the last piece, or -1
    char16_t high = 0;  // a high surrogate that ended it, or 0
    std::string text;   // the last piece, in UTF-8

    static constexpr char32_t kReplacement = 0xFFFD;

    void unit(char16_t value) {
        if (high != 0) {
            const char16_t first = std::exchange(high, 0);
            if (value >= 0xDC00 && value <= 0xDFFF) {
                appendUtf8(0x10000 + ((char32_t{first} - 0xD800) << 10U) + (value - 0xDC00U), text);
                return;
            }
            appendUtf8(kReplacement, text);
        }
        if (value >= 0xD800 && value <= 0xDBFF) {
            high = value;
        } else if (value >= 0xDC00 && value <= 0xDFFF) {
            appendUtf8(kReplacement, text);
        } else {
            appendUtf8(value, text);
        }
    }

    std::string_view decode(std::string_view bytes) {
        text.clear();
        std::size_t at = 0;
        if (odd >= 0 && !bytes.empty()) {
            unit(pair(static_cast<unsigned char>(odd), static_cast<unsigned char>(bytes[0])));
            odd = -1;
            at = 1;
        }
        for (; at + 1 < bytes.size(); at += 2) {
            unit(pair(static_cast<unsigned char>(bytes[at]),
                      static_cast<unsigned char>(bytes[at + 1])));
        }
        if (at < bytes.size()) {
            odd = static_cast<unsigned char>(bytes[at]);
        }
        return text;
    }

    // What is left at the end of the file: a lone surrogate or byte.
    std::string_view end() {
        text.clear();
        if (high != 0 || odd >= 0) {
            appendUtf8(kReplacement, text);
        }
        high = 0;
        odd = -1;
        return text;
    }

  private:
    char16_t pair(unsigned char a, unsigned char b) const {
        return static_cast<char16_t>(bigEndian ? (a << 8U) | b : (b << 8U) | a);
    }
};

ContentsReader::ContentsReader() = default;
ContentsReader::~ContentsReader() = default;
ContentsReader::ContentsReader(ContentsReader&&) noexcept = default;
ContentsReader& ContentsReader::operator=(ContentsReader&&) noexcept = default;

namespace {

// Why a file could not be opened: gone, a link, a socket, or truly unreadable.
ContentsVerdict openFailure(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
        case ELOOP:
        case ENXIO:
            return ContentsVerdict::Passed;
        default:
            return ContentsVerdict::Unreadable;
    }
}

}  // namespace

bool ContentsReader::fill(int fd, std::size_t want, std::size_t& have, std::size_t upTo) {
    while (have < want) {
        // A file read up to the size it had when opened has ended: asking
        // again would cost every small file a second read.
        if (m_ended || (m_sizeAtOpen > 0 && m_total >= m_sizeAtOpen)) {
            m_ended = true;
            return false;
        }
        const ssize_t got = ::read(fd, m_buffer.get() + have, upTo - have);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            m_failed = true;
            return false;
        }
        if (got == 0) {
            m_ended = true;
            return false;
        }
        have += static_cast<std::size_t>(got);
        m_total += static_cast<std::uint64_t>(got);
    }
    return true;
}

ContentsVerdict ContentsReader::read(int dirFd, const char* name, ContentsSearch& search,
                                     bool includeBinary, const std::atomic<bool>& stop) {
    const UniqueFd fd(
        ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid()) {
        return openFailure(errno);
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return ContentsVerdict::Unreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        return ContentsVerdict::Passed;
    }
    if (!m_buffer) {
        m_buffer = std::make_unique_for_overwrite<char[]>(kPieceSize);
    }
    if (info.st_size > static_cast<off_t>(kPieceSize)) {
        ::posix_fadvise(fd.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    }
    m_failed = false;
    m_ended = false;
    m_total = 0;
    m_sizeAtOpen = static_cast<std::uint64_t>(info.st_size);
    std::size_t have = 0;
    // A file that may be binary is read no further than the probe until it
    // is found not to be: most binary files are passed after one read, with
    // no more of them copied than the probe. One no larger than the probe,
    // or one that is read whatever it holds, is read whole (up to a piece)
    // at once.
    const bool probeFirst = !includeBinary && m_sizeAtOpen > kBinaryProbe;
    fill(fd.get(), kBinaryProbe, have, probeFirst ? kBinaryProbe : kPieceSize);
    if (m_failed) {
        return ContentsVerdict::Unreadable;
    }
    // A document is searched in the text its reader shows, not its bytes.
    if (const DocumentKind kind = documentKind(name, std::string_view(m_buffer.get(), have));
        kind != DocumentKind::None) {
        return searchDocument(fd.get(), kind, search, stop);
    }
    return searchRest(fd.get(), search, have, includeBinary, stop);
}

ContentsVerdict ContentsReader::searchRest(int fd, ContentsSearch& search, std::size_t have,
                                           bool includeBinary, const std::atomic<bool>& stop) {
    const std::string_view first(m_buffer.get(), have);
    std::size_t skip = 0;
    const bool utf16 = first.starts_with("\xFF\xFE") || first.starts_with("\xFE\xFF");
    if (utf16) {
        if (!m_utf16) {
            m_utf16 = std::make_unique<Decoding>();
        }
        *m_utf16 = Decoding{};
        m_utf16->bigEndian = first[0] == '\xFE';
        skip = 2;
    } else if (first.starts_with("\xEF\xBB\xBF")) {
        skip = 3;
    } else if (!includeBinary && first.substr(0, kBinaryProbe).find('\0') != first.npos) {
        return ContentsVerdict::Passed;
    }
    // Text after the probe: the first piece is made as large as any other.
    fill(fd, kPieceSize, have);
    if (m_failed) {
        return ContentsVerdict::Unreadable;
    }
    search.start();
    std::string_view piece = std::string_view(m_buffer.get(), have).substr(skip);
    while (true) {
        if (search.feed(utf16 ? m_utf16->decode(piece) : piece)) {
            return ContentsVerdict::Found;
        }
        // One piece takes well under a millisecond from memory and a few
        // from a disk, so Stop is felt within a piece even in a huge file.
        if (stop.load(std::memory_order_relaxed)) {
            return ContentsVerdict::Passed;
        }
        have = 0;
        fill(fd, kPieceSize, have);
        if (m_failed) {
            return ContentsVerdict::Unreadable;
        }
        if (have == 0) {
            break;
        }
        piece = std::string_view(m_buffer.get(), have);
    }
    if (utf16 && search.feed(m_utf16->end())) {
        return ContentsVerdict::Found;
    }
    return search.finish() ? ContentsVerdict::Found : ContentsVerdict::Missing;
}

}  // namespace zandor
