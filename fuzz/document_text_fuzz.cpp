// Fuzzes the office documents' text reader. The first byte picks the
// flavour of XML and whether the rest is an archive; the second how the
// XML is cut. As XML, any bytes fed in pieces give the same text and the
// same verdict as fed whole, and no crash, hang or runaway memory. As an
// archive (written to a memory file), any bytes end in some verdict within
// the limits, never a crash.
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/fs_fd.h"
#include "search/document_text.h"
#include "search/xml_text.h"

namespace {

using namespace zandor;

struct Read {
    std::string text;
    bool wellFormed = true;
};

Read readXml(XmlFlavour flavour, std::string_view xml, std::size_t cut) {
    Read read;
    XmlText reader(flavour, [&read](std::string_view stretch) {
        read.text += stretch;
        return false;
    });
    reader.start();
    do {
        const std::string_view piece = xml.substr(0, cut);
        xml.remove_prefix(piece.size());
        read.wellFormed = reader.feed(piece, xml.empty());
    } while (read.wellFormed && !xml.empty());
    return read;
}

void readArchive(DocumentKind kind, std::string_view bytes) {
    const UniqueFd fd(::memfd_create("document", MFD_CLOEXEC));
    if (!fd.valid() ||
        ::write(fd.get(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        return;
    }
    ContentsSearch search("a", false);
    const std::atomic<bool> stop{false};
    const DocumentLimits limits{std::uint64_t{1} << 20U, std::uint64_t{4} << 20U, 200};
    searchDocument(fd.get(), kind, search, stop, limits);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const auto flavour = static_cast<XmlFlavour>(data[0] & 3U);
    const std::size_t cut = data[1] == 0 ? 1 : data[1];
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    if ((data[0] & 4U) != 0) {
        static constexpr DocumentKind kKinds[] = {DocumentKind::OpenDocument, DocumentKind::Word,
                                                  DocumentKind::Workbook, DocumentKind::SlideShow};
        readArchive(kKinds[data[0] & 3U], rest);
        return 0;
    }
    const Read whole = readXml(flavour, rest, rest.size() + 1);
    const Read pieces = readXml(flavour, rest, cut);
    FUZZ_CHECK(whole.wellFormed == pieces.wellFormed, std::string(rest));
    if (whole.wellFormed) {
        FUZZ_CHECK(whole.text == pieces.text, std::string(rest));
    }
    return 0;
}
