#include "search/file_kinds.h"

#include <array>

#include "search/file_types.h"

namespace zandor {

namespace {

// One row of the table below: a MIME type, or, ending in "*", every type that
// starts with the text before the "*".
struct MimeKind {
    std::string_view type;
    FileKind kind;
};

// Which MIME types make each kind. The longest row that matches a type
// decides, so a named type overrides its family (a DjVu book is an image/
// type but a document).
//
// Documents: the office formats (OpenDocument and the older StarOffice and
// OpenOffice ones, Word, Excel, PowerPoint old and OOXML, and the other word
// processors and spreadsheets), PDF, PostScript and DVI (compressed ones
// too), e-books and comic books, and rich text. Plain text (text/plain) and
// marked-up sources (TeX, Markdown) are not documents here: every source
// file would be one.
// Pictures, Music and Videos: the image/, audio/ and video/ families.
// Archives: archives and compressed files, packages and disc images. Static
// libraries (application/x-archive, *.a) are left out: they are build
// products, not archives anyone searches for.
constexpr auto kMimeKinds = std::to_array<MimeKind>({
    {"application/pdf", FileKind::Documents},
    {"application/x-bzpdf", FileKind::Documents},
    {"application/x-gzpdf", FileKind::Documents},
    {"application/x-lzpdf", FileKind::Documents},
    {"application/x-xzpdf", FileKind::Documents},
    {"application/postscript", FileKind::Documents},
    {"application/x-bzpostscript", FileKind::Documents},
    {"application/x-gzpostscript", FileKind::Documents},
    {"application/x-dvi", FileKind::Documents},
    {"application/x-bzdvi", FileKind::Documents},
    {"application/x-gzdvi", FileKind::Documents},
    {"application/oxps", FileKind::Documents},
    {"application/vnd.ms-xpsdocument", FileKind::Documents},
    {"application/vnd.oasis.opendocument.*", FileKind::Documents},
    {"application/vnd.sun.xml.*", FileKind::Documents},
    {"application/vnd.stardivision.*", FileKind::Documents},
    {"application/msword", FileKind::Documents},
    {"application/msword-template", FileKind::Documents},
    {"application/vnd.ms-word*", FileKind::Documents},
    {"application/vnd.ms-excel*", FileKind::Documents},
    {"application/vnd.ms-powerpoint*", FileKind::Documents},
    {"application/vnd.openxmlformats-officedocument.*", FileKind::Documents},
    {"application/vnd.ms-works", FileKind::Documents},
    {"application/vnd.ms-publisher", FileKind::Documents},
    {"application/vnd.visio", FileKind::Documents},
    {"application/x-mswrite", FileKind::Documents},
    {"application/vnd.wordperfect", FileKind::Documents},
    {"application/x-abiword", FileKind::Documents},
    {"application/x-kword", FileKind::Documents},
    {"application/x-kspread", FileKind::Documents},
    {"application/x-kpresenter", FileKind::Documents},
    {"application/x-gnumeric", FileKind::Documents},
    {"application/vnd.lotus-1-2-3", FileKind::Documents},
    {"application/x-t602", FileKind::Documents},
    {"application/x-hwp", FileKind::Documents},
    {"application/vnd.apple.pages", FileKind::Documents},
    {"application/vnd.apple.numbers", FileKind::Documents},
    {"application/vnd.apple.keynote", FileKind::Documents},
    {"application/rtf", FileKind::Documents},
    {"text/rtf", FileKind::Documents},
    {"application/epub+zip", FileKind::Documents},
    {"application/x-mobipocket-ebook", FileKind::Documents},
    {"application/vnd.amazon.mobi8-ebook", FileKind::Documents},
    {"application/x-fictionbook+xml", FileKind::Documents},
    {"application/x-zip-compressed-fb2", FileKind::Documents},
    {"application/vnd.ms-htmlhelp", FileKind::Documents},
    {"image/vnd.djvu", FileKind::Documents},
    {"image/vnd.djvu+multipage", FileKind::Documents},
    {"application/vnd.comicbook+zip", FileKind::Documents},
    {"application/vnd.comicbook-rar", FileKind::Documents},
    {"application/x-cb7", FileKind::Documents},
    {"application/x-cbt", FileKind::Documents},

    {"image/*", FileKind::Pictures},
    {"audio/*", FileKind::Music},
    {"video/*", FileKind::Videos},
    {"application/vnd.rn-realmedia", FileKind::Videos},

    {"application/zip", FileKind::Archives},
    {"application/x-zip-compressed", FileKind::Archives},
    {"application/x-tar", FileKind::Archives},
    {"application/x-ustar", FileKind::Archives},
    {"application/x-compressed-tar", FileKind::Archives},
    {"application/x-bzip-compressed-tar", FileKind::Archives},
    {"application/x-bzip2-compressed-tar", FileKind::Archives},
    {"application/x-xz-compressed-tar", FileKind::Archives},
    {"application/x-lzma-compressed-tar", FileKind::Archives},
    {"application/x-lzip-compressed-tar", FileKind::Archives},
    {"application/x-lz4-compressed-tar", FileKind::Archives},
    {"application/x-lrzip-compressed-tar", FileKind::Archives},
    {"application/x-zstd-compressed-tar", FileKind::Archives},
    {"application/x-tarz", FileKind::Archives},
    {"application/x-tzo", FileKind::Archives},
    {"application/x-7z-compressed", FileKind::Archives},
    {"application/vnd.rar", FileKind::Archives},
    {"application/x-rar", FileKind::Archives},
    {"application/x-rar-compressed", FileKind::Archives},
    {"application/gzip", FileKind::Archives},
    {"application/x-gzip", FileKind::Archives},
    {"application/x-bzip", FileKind::Archives},
    {"application/x-bzip2", FileKind::Archives},
    {"application/x-xz", FileKind::Archives},
    {"application/zstd", FileKind::Archives},
    {"application/x-zstd", FileKind::Archives},
    {"application/x-lzma", FileKind::Archives},
    {"application/x-lzip", FileKind::Archives},
    {"application/x-lz4", FileKind::Archives},
    {"application/x-lzop", FileKind::Archives},
    {"application/x-lrzip", FileKind::Archives},
    {"application/x-compress", FileKind::Archives},
    {"application/x-cpio", FileKind::Archives},
    {"application/x-cpio-compressed", FileKind::Archives},
    {"application/x-bcpio", FileKind::Archives},
    {"application/x-sv4cpio", FileKind::Archives},
    {"application/x-sv4crc", FileKind::Archives},
    {"application/x-arj", FileKind::Archives},
    {"application/x-lha", FileKind::Archives},
    {"application/x-lzh-compressed", FileKind::Archives},
    {"application/x-ace", FileKind::Archives},
    {"application/x-alz", FileKind::Archives},
    {"application/x-dar", FileKind::Archives},
    {"application/x-stuffit", FileKind::Archives},
    {"application/x-xar", FileKind::Archives},
    {"application/x-shar", FileKind::Archives},
    {"application/vnd.ms-cab-compressed", FileKind::Archives},
    {"application/x-java-archive", FileKind::Archives},
    {"application/vnd.android.package-archive", FileKind::Archives},
    {"application/vnd.debian.binary-package", FileKind::Archives},
    {"application/x-deb", FileKind::Archives},
    {"application/x-rpm", FileKind::Archives},
    {"application/x-source-rpm", FileKind::Archives},
    {"application/x-cd-image", FileKind::Archives},
    {"application/x-compressed-iso", FileKind::Archives},
    {"application/x-iso9660-image", FileKind::Archives},
    {"application/x-apple-diskimage", FileKind::Archives},
    {"application/vnd.squashfs", FileKind::Archives},
});

}  // namespace

std::optional<FileKind> fileKindNamed(std::string_view word) {
    for (std::size_t i = 0; i < kFileKinds.size(); ++i) {
        if (kFileKinds[i].word == word) {
            return static_cast<FileKind>(i);
        }
    }
    return std::nullopt;
}

std::optional<FileKind> kindOfMimeType(std::string_view mimeType) {
    std::optional<FileKind> kind;
    std::size_t matched = 0;
    for (const MimeKind& row : kMimeKinds) {
        const bool family = row.type.ends_with('*');
        const std::string_view text = family ? row.type.substr(0, row.type.size() - 1) : row.type;
        const bool matches = family ? mimeType.starts_with(text) : mimeType == text;
        if (matches && row.type.size() > matched) {
            kind = row.kind;
            matched = row.type.size();
        }
    }
    return kind;
}

// weight:type:glob, as in a globs2 file.
const std::string_view kBuiltInGlobs = R"(50:application/pdf:*.pdf
50:application/postscript:*.ps
50:application/vnd.oasis.opendocument.text:*.odt
50:application/vnd.oasis.opendocument.spreadsheet:*.ods
50:application/vnd.oasis.opendocument.presentation:*.odp
50:application/vnd.oasis.opendocument.graphics:*.odg
50:application/msword:*.doc
50:application/vnd.openxmlformats-officedocument.wordprocessingml.document:*.docx
50:application/vnd.ms-excel:*.xls
50:application/vnd.openxmlformats-officedocument.spreadsheetml.sheet:*.xlsx
50:application/vnd.ms-powerpoint:*.ppt
50:application/vnd.openxmlformats-officedocument.presentationml.presentation:*.pptx
50:application/rtf:*.rtf
50:application/epub+zip:*.epub
50:application/x-mobipocket-ebook:*.mobi
50:image/vnd.djvu:*.djvu
50:image/jpeg:*.jpg
50:image/jpeg:*.jpeg
50:image/png:*.png
50:image/gif:*.gif
50:image/bmp:*.bmp
50:image/tiff:*.tif
50:image/tiff:*.tiff
50:image/webp:*.webp
50:image/svg+xml:*.svg
50:image/vnd.microsoft.icon:*.ico
50:image/heif:*.heic
50:audio/mpeg:*.mp3
50:audio/ogg:*.ogg
50:audio/ogg:*.oga
50:audio/ogg:*.opus
50:audio/flac:*.flac
50:audio/x-wav:*.wav
50:audio/mp4:*.m4a
50:audio/aac:*.aac
50:audio/x-ms-wma:*.wma
50:video/mp4:*.mp4
50:video/mp4:*.m4v
50:video/x-matroska:*.mkv
50:video/webm:*.webm
50:video/x-msvideo:*.avi
50:video/quicktime:*.mov
50:video/mpeg:*.mpg
50:video/mpeg:*.mpeg
50:video/ogg:*.ogv
50:video/x-ms-wmv:*.wmv
50:application/zip:*.zip
50:application/x-tar:*.tar
50:application/x-compressed-tar:*.tar.gz
50:application/x-compressed-tar:*.tgz
50:application/x-bzip-compressed-tar:*.tar.bz2
50:application/x-xz-compressed-tar:*.tar.xz
50:application/x-zstd-compressed-tar:*.tar.zst
50:application/x-7z-compressed:*.7z
50:application/vnd.rar:*.rar
50:application/gzip:*.gz
50:application/x-bzip:*.bz2
50:application/x-xz:*.xz
50:application/zstd:*.zst
50:application/x-lzma:*.lzma
50:application/x-cpio:*.cpio
50:application/vnd.debian.binary-package:*.deb
50:application/x-rpm:*.rpm
50:application/x-cd-image:*.iso
50:application/x-java-archive:*.jar
)";

}  // namespace zandor
