#include "search/pdf_text.h"

#include <poppler-document.h>
#include <poppler-global.h>
#include <poppler-page.h>

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace zandor {

namespace {

// poppler writes what it finds wrong in a file to stderr; a broken PDF is
// counted as unreadable instead, and zandor-find's output stays its own.
void silencePoppler() {
    static std::once_flag once;
    std::call_once(once, [] {
        poppler::set_debug_error_function([](const std::string& /*message*/, void* /*closure*/) {},
                                          nullptr);
    });
}

}  // namespace

ContentsVerdict searchPdf(int fd, ContentsSearch& search, const std::atomic<bool>& stop) {
    silencePoppler();
    // poppler reads the file itself; through the descriptor's own entry it
    // reads the very file the walk opened and checked, whatever the name
    // now stands for.
    const std::unique_ptr<poppler::document> document(
        poppler::document::load_from_file("/proc/self/fd/" + std::to_string(fd)));
    if (!document || document->is_locked()) {
        return ContentsVerdict::Unreadable;
    }
    search.start();
    const int pages = document->pages();
    for (int index = 0; index < pages; ++index) {
        if (stop.load(std::memory_order_relaxed)) {
            return ContentsVerdict::Passed;
        }
        const std::unique_ptr<poppler::page> page(document->create_page(index));
        if (!page) {
            continue;
        }
        const poppler::byte_array text =
            page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
        if (search.feed(std::string_view(text.data(), text.size())) || search.feed("\n")) {
            return ContentsVerdict::Found;
        }
    }
    return search.finish() ? ContentsVerdict::Found : ContentsVerdict::Missing;
}

}  // namespace zandor
