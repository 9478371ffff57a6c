#include "search/document_kind.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace zandor {

namespace {

// The name's extension after its last dot, lower-cased ASCII; empty when
// it has none or one too long to be any of ours.
std::string extensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0 || name.size() - dot > 5) {
        return {};
    }
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(), [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    return extension;
}

DocumentKind kindOfExtension(std::string_view extension) {
    struct Named {
        std::string_view extension;
        DocumentKind kind;
    };
    static constexpr std::array<Named, 16> kNamed = {{
        {"odt", DocumentKind::OpenDocument},
        {"ods", DocumentKind::OpenDocument},
        {"odp", DocumentKind::Presentation},
        {"ott", DocumentKind::OpenDocument},
        {"ots", DocumentKind::OpenDocument},
        {"otp", DocumentKind::Presentation},
        {"docx", DocumentKind::Word},
        {"docm", DocumentKind::Word},
        {"dotx", DocumentKind::Word},
        {"xlsx", DocumentKind::Workbook},
        {"xlsm", DocumentKind::Workbook},
        {"xltx", DocumentKind::Workbook},
        {"pptx", DocumentKind::SlideShow},
        {"pptm", DocumentKind::SlideShow},
        {"potx", DocumentKind::SlideShow},
        {"pdf", DocumentKind::Pdf},
    }};
    const auto* found = std::find_if(kNamed.begin(), kNamed.end(), [extension](const Named& named) {
        return named.extension == extension;
    });
    return found == kNamed.end() ? DocumentKind::None : found->kind;
}

constexpr std::string_view kZipMark("PK\x03\x04", 4);
constexpr std::string_view kCompoundMark("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);

}  // namespace

DocumentKind documentKind(std::string_view name, std::string_view firstBytes) {
    const DocumentKind named = kindOfExtension(extensionOf(name));
    switch (named) {
        case DocumentKind::None:
        case DocumentKind::Sealed:
            return DocumentKind::None;
        case DocumentKind::Pdf:
            return firstBytes.substr(0, kDocumentProbe).find("%PDF-") != std::string_view::npos
                       ? DocumentKind::Pdf
                       : DocumentKind::None;
        case DocumentKind::OpenDocument:
        case DocumentKind::Presentation:
            return firstBytes.starts_with(kZipMark) ? named : DocumentKind::None;
        default:
            if (firstBytes.starts_with(kZipMark)) {
                return named;
            }
            return firstBytes.starts_with(kCompoundMark) ? DocumentKind::Sealed
                                                         : DocumentKind::None;
    }
}

}  // namespace zandor
