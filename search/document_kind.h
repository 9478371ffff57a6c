// The documents whose words are not in their bytes, told by their name and
// their first bytes: OpenDocument and Office Open XML files (zip archives of
// XML parts) and PDFs (compressed page streams). A file of such a name whose
// first bytes are another's is not one of them, except an Office Open XML
// name on a compound file: that is how Office seals an encrypted document.
#pragma once

#include <cstdint>
#include <string_view>

namespace zandor {

enum class DocumentKind : std::uint8_t {
    None,          // an ordinary file: its bytes are its text
    OpenDocument,  // .odt .ods and their templates .ott .ots
    Presentation,  // .odp and its template .otp
    Word,          // .docx .docm .dotx
    Workbook,      // .xlsx .xlsm .xltx
    SlideShow,     // .pptx .pptm .potx
    Pdf,           // .pdf
    Sealed,        // an Office Open XML name on an encrypted (compound) file
};

// The first bytes needed to tell a document: a PDF's mark may come after
// some junk at the start of the file.
inline constexpr std::size_t kDocumentProbe = 1024;

DocumentKind documentKind(std::string_view name, std::string_view firstBytes);

}  // namespace zandor
