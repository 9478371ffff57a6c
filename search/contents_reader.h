// ContentsReader: reads one file of a walk for the contents test. Only a
// regular file is read: it is opened without following a link and without
// waiting (a FIFO or a device never holds the walk), and what was opened is
// checked before a byte is read. Files are read in large pieces with read(2),
// never mapped, so a file that shrinks meanwhile simply ends sooner; Stop is
// polled before every piece.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "search/contents_search.h"
#include "search/contents_verdict.h"

namespace zandor {

class ContentsReader {
  public:
    // Bytes read at a time, and the first bytes in which a NUL marks a binary file.
    static constexpr std::size_t kPieceSize = std::size_t{256} * 1024;
    static constexpr std::size_t kBinaryProbe = std::size_t{64} * 1024;

    ContentsReader();
    ~ContentsReader();
    ContentsReader(const ContentsReader&) = delete;
    ContentsReader& operator=(const ContentsReader&) = delete;
    ContentsReader(ContentsReader&&) noexcept;
    ContentsReader& operator=(ContentsReader&&) noexcept;

    // Reads the entry name of the folder open on dirFd. An office document
    // or a PDF (by its name and first bytes) is searched in the text its
    // reader shows. Otherwise a file whose first 64 KiB hold a NUL is binary
    // and passed unless includeBinary. One that starts with a UTF-16
    // byte-order mark is searched as the text it holds; a UTF-8 mark is
    // skipped.
    ContentsVerdict read(int dirFd, const char* name, ContentsSearch& search, bool includeBinary,
                         const std::atomic<bool>& stop);

  private:
    struct Decoding;
    // Reads until the buffer holds at least want bytes or the file ends,
    // asking for no more than up to bytes in the buffer.
    bool fill(int fd, std::size_t want, std::size_t& have, std::size_t upTo = kPieceSize);
    ContentsVerdict searchRest(int fd, ContentsSearch& search, std::size_t have, bool includeBinary,
                               const std::atomic<bool>& stop);

    std::unique_ptr<char[]> m_buffer;  // made on the first read
    std::unique_ptr<Decoding> m_utf16;
    bool m_failed = false;           // a read failed
    bool m_ended = false;            // the file has no more to read
    std::uint64_t m_total = 0;       // bytes read of the file
    std::uint64_t m_sizeAtOpen = 0;  // its size when opened; 0 for unknown
};

}  // namespace zandor
