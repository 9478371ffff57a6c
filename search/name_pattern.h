// The name pattern: the name text split into the parts the walk compares, a
// base part before the first dot and an extension part after it, with their
// wildcard flags and whether letter case counts.
#pragma once

#include <string>
#include <string_view>

namespace zandor {

struct NamePattern {
    std::string m_strBasePart;
    std::string m_strExtPart;
    bool m_bHasDot = false;         // the name text has an extension part
    bool m_bExtWildcard = false;    // the extension part held a "*" after its first character
    bool m_bExtStarFirst = false;   // the extension part begins with "*"
    bool m_bBaseWildcard = false;   // the base part contains "*"
    bool m_bCaseSensitive = false;  // name and extension tests compare letter case
};

// Splits the name text into pattern. The flags are cleared first; the
// extension part keeps what it held when the text has no extension part (it
// is not consulted then). The letter case setting is left as it is.
void splitNamePattern(std::string_view text, NamePattern& pattern);

}  // namespace zandor
