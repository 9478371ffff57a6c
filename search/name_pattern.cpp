#include "search/name_pattern.h"

namespace zandor {

void splitNamePattern(std::string_view text, NamePattern& pattern) {
    pattern.m_bHasDot = false;
    pattern.m_bExtWildcard = false;
    pattern.m_bExtStarFirst = false;
    pattern.m_bBaseWildcard = false;

    const std::size_t dot = text.find('.');
    // A dot that is the first character starts no extension: ".txt" is all base part.
    if (dot != std::string_view::npos && dot > 0) {
        pattern.m_strBasePart = std::string(text.substr(0, dot));
        pattern.m_strExtPart = std::string(text.substr(dot + 1));
        pattern.m_bHasDot = true;
        const std::size_t star = pattern.m_strExtPart.find('*');
        if (star == 0) {
            pattern.m_bExtStarFirst = true;
        } else if (star != std::string::npos) {
            pattern.m_strExtPart.resize(star);
            pattern.m_bExtWildcard = true;
        }
    } else {
        pattern.m_strBasePart = std::string(text);
    }
    pattern.m_bBaseWildcard = pattern.m_strBasePart.find('*') != std::string::npos;
}

}  // namespace zandor
