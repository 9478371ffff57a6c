// The broad kinds of file (documents, pictures, ...) and which MIME types
// belong to each: the one table that decides it, and the few names the kinds
// know without a MIME database.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zandor {

// In the order of kFileKinds (search/file_types.h).
enum class FileKind : unsigned char { Documents, Pictures, Music, Videos, Archives };

// A set of kinds, one bit each: a name whose MIME type is ambiguous may be of
// more than one.
using FileKindSet = std::uint8_t;

constexpr FileKindSet kindBit(FileKind kind) {
    return static_cast<FileKindSet>(1U << static_cast<unsigned>(kind));
}

// The kind whose word (kFileKinds) is word; nullopt for any other text, such
// as an extension.
std::optional<FileKind> fileKindNamed(std::string_view word);

// The kind a MIME type belongs to; nullopt when it belongs to none.
std::optional<FileKind> kindOfMimeType(std::string_view mimeType);

// The commonest names of each kind as lines of a globs2 file, read when no
// MIME database is installed, so that the kinds still find the usual files.
extern const std::string_view kBuiltInGlobs;

}  // namespace zandor
