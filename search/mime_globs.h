// The file-name half of the shared MIME database: the glob patterns of the
// globs2 files, read once, and the MIME type (and so the kind) they give a
// name. A file is never opened to decide its kind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "search/file_kinds.h"

namespace zandor {

// What the globs say about one name: the MIME type they give it (empty when
// none matches) and the kinds of every type tied for the best match.
struct MimeGuess {
    std::string_view mimeType;
    FileKindSet kinds = 0;
};

class MimeGlobs {
  public:
    // Reads DIR/mime/globs2 for each data folder, the most important first.
    // A missing file is passed over and so is a line that is not
    // weight:type:glob[:flags]. When no folder has the file at all, the
    // built-in names (kBuiltInGlobs) stand in for the database.
    explicit MimeGlobs(const std::vector<std::string>& dataFolders);

    // The best MIME type of a name: a literal name first, then the longest
    // "*.suffix", then any other pattern (highest weight, then longest).
    // Among equally good globs the higher weight wins; the rest tie. Globs
    // without the cs flag compare with lowerName, the name with A-Z lowered.
    // Allocates nothing.
    MimeGuess guess(std::string_view name, std::string_view lowerName) const;
    MimeGuess guess(std::string_view name) const;

    bool isOfKind(std::string_view name, std::string_view lowerName, FileKind kind) const {
        return (guess(name, lowerName).kinds & kindBit(kind)) != 0;
    }

    // Whether the globs came from the built-in names.
    bool builtIn() const { return m_builtIn; }

  private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    // What the globs of one pattern give: the best weight, the type first
    // given at it and the kinds of every type given at it.
    struct Candidate {
        int weight = 0;
        std::uint32_t type = 0;  // into m_types
        FileKindSet kinds = 0;
    };
    using GlobMap = std::unordered_map<std::string, Candidate, TextHash, std::equal_to<>>;
    struct OtherGlob {
        std::string pattern;
        bool caseSensitive;
        std::size_t headSize;  // of the literal text before its first wildcard
        std::size_t tailSize;  // of the literal text after its last one
        Candidate candidate;
    };
    struct Line;

    void add(const Line& line);
    MimeGuess best(const Candidate* a, const Candidate* b) const;
    MimeGuess guessOther(std::string_view name, std::string_view lowerName) const;

    std::vector<std::string> m_types;
    std::unordered_map<std::string, std::uint32_t, TextHash, std::equal_to<>> m_typeIndex;
    GlobMap m_literal;    // lower case
    GlobMap m_literalCs;  // letter case kept
    GlobMap m_suffix;     // the text after "*.", lower case
    GlobMap m_suffixCs;
    std::vector<OtherGlob> m_others;
    bool m_builtIn = false;
};

// Whether name matches a glob pattern as fnmatch(3) without flags does:
// "*" any text, "?" any byte, "[...]" a set ("!" or "^" first negates, "a-z"
// a range), "\" quotes the next byte.
bool globMatches(std::string_view pattern, std::string_view name);

// The data folders of the XDG base directories, most important first:
// dataHome (else home/.local/share), then each of dataDirs (else
// /usr/local/share:/usr/share). Relative and empty entries are ignored, and
// so is a folder named twice. Any argument may be null.
std::vector<std::string> xdgDataFolders(const char* dataHome, const char* dataDirs,
                                        const char* home);

// The database of this process: read from the XDG data folders of its
// environment at the first call (from any thread), then kept.
const MimeGlobs& processMimeGlobs();

}  // namespace zandor
