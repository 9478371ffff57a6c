#include "search/mime_globs.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>

#include "search/match.h"

namespace zandor {

namespace {

constexpr std::string_view kNoGlobs = "__NOGLOBS__";
constexpr std::string_view kWildcards = "*?[\\";
constexpr std::string_view kDefaultDataDirs = "/usr/local/share/:/usr/share/";

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return std::move(text).str();
}

// Matches the set that opens at pattern[open] ("[") against c. Returns the
// position after its "]", or npos when it is never closed (the "[" is then
// an ordinary byte).
std::size_t matchSet(std::string_view pattern, std::size_t open, unsigned char c, bool& matched) {
    std::size_t i = open + 1;
    const bool negated = i < pattern.size() && (pattern[i] == '!' || pattern[i] == '^');
    if (negated) {
        ++i;
    }
    matched = false;
    for (bool first = true; i < pattern.size(); ++i, first = false) {
        if (pattern[i] == ']' && !first) {
            matched = matched != negated;
            return i + 1;
        }
        if (pattern[i] == '\\' && i + 1 < pattern.size()) {
            ++i;
        }
        const auto low = static_cast<unsigned char>(pattern[i]);
        auto high = low;
        if (i + 2 < pattern.size() && pattern[i + 1] == '-' && pattern[i + 2] != ']') {
            i += 2;
            if (pattern[i] == '\\' && i + 1 < pattern.size()) {
                ++i;
            }
            high = static_cast<unsigned char>(pattern[i]);
        }
        matched = matched || (low <= c && c <= high);
    }
    return std::string_view::npos;
}

void addFolder(std::vector<std::string>& folders, std::string_view folder) {
    while (folder.size() > 1 && folder.ends_with('/')) {
        folder.remove_suffix(1);
    }
    // A relative folder is no folder of the base directories.
    if (!folder.starts_with('/') ||
        std::find(folders.begin(), folders.end(), folder) != folders.end()) {
        return;
    }
    folders.emplace_back(folder);
}

}  // namespace

// One weight:type:glob[:flags] line, its texts inside the file read.
struct MimeGlobs::Line {
    int weight;
    std::string_view type;
    std::string_view glob;
    bool caseSensitive;
    std::size_t folder;  // 0 for the most important
};

namespace {

// The line's fields, or nullopt when it is a comment or not of the form.
std::optional<std::array<std::string_view, 4>> fieldsOf(std::string_view line) {
    if (line.empty() || line.starts_with('#')) {
        return std::nullopt;
    }
    std::array<std::string_view, 4> fields;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            if (i < 2) {
                return std::nullopt;
            }
            fields[i] = line;
            return fields;
        }
        fields[i] = line.substr(0, colon);
        line.remove_prefix(colon + 1);
    }
    fields[3] = line;
    return fields;
}

bool hasFlag(std::string_view flags, std::string_view flag) {
    for (std::size_t start = 0; start <= flags.size();) {
        const std::size_t comma = std::min(flags.find(',', start), flags.size());
        if (flags.substr(start, comma - start) == flag) {
            return true;
        }
        start = comma + 1;
    }
    return false;
}

}  // namespace

MimeGlobs::MimeGlobs(const std::vector<std::string>& dataFolders) {
    std::vector<std::string> texts;
    std::vector<std::size_t> textFolders;
    for (std::size_t i = 0; i < dataFolders.size(); ++i) {
        if (auto text = readFile(dataFolders[i] + "/mime/globs2")) {
            texts.push_back(std::move(*text));
            textFolders.push_back(i);
        }
    }
    m_builtIn = texts.empty();
    if (m_builtIn) {
        texts.emplace_back(kBuiltInGlobs);
        textFolders.push_back(0);
    }

    std::vector<Line> lines;
    // The most important folder that clears a type's globs from the folders
    // below it, for each type that one clears.
    std::unordered_map<std::string_view, std::size_t> clearedBelow;
    for (std::size_t t = 0; t < texts.size(); ++t) {
        std::string_view text = texts[t];
        while (!text.empty()) {
            const std::size_t end = std::min(text.find('\n'), text.size());
            const auto fields = fieldsOf(text.substr(0, end));
            text.remove_prefix(std::min(end + 1, text.size()));
            int weight = 0;
            if (!fields || (*fields)[1].empty() || (*fields)[2].empty()) {
                continue;
            }
            const std::string_view number = (*fields)[0];
            const auto parsed =
                std::from_chars(number.data(), number.data() + number.size(), weight);
            if (parsed.ec != std::errc() || parsed.ptr != number.data() + number.size()) {
                continue;
            }
            const Line line{weight, (*fields)[1], (*fields)[2], hasFlag((*fields)[3], "cs"),
                            textFolders[t]};
            if (line.glob == kNoGlobs) {
                clearedBelow.try_emplace(line.type, line.folder);
            } else {
                lines.push_back(line);
            }
        }
    }
    for (const Line& line : lines) {
        const auto cleared = clearedBelow.find(line.type);
        if (cleared == clearedBelow.end() || line.folder <= cleared->second) {
            add(line);
        }
    }
}

void MimeGlobs::add(const Line& line) {
    auto [index, isNew] =
        m_typeIndex.try_emplace(std::string(line.type), static_cast<std::uint32_t>(m_types.size()));
    if (isNew) {
        m_types.emplace_back(line.type);
    }
    const auto kind = kindOfMimeType(line.type);
    const Candidate candidate{line.weight, index->second, kind ? kindBit(*kind) : FileKindSet{0}};
    // The lines come most important first: a later one of the same weight
    // only adds its kinds.
    const auto merge = [&](Candidate& into, bool fresh) {
        if (fresh || candidate.weight > into.weight) {
            into = candidate;
        } else if (candidate.weight == into.weight) {
            into.kinds |= candidate.kinds;
        }
    };
    std::string pattern(line.glob);
    if (!line.caseSensitive) {
        asciiLower(line.glob, pattern);
    }
    const std::size_t firstWildcard = pattern.find_first_of(kWildcards);
    if (firstWildcard == std::string::npos) {
        GlobMap& map = line.caseSensitive ? m_literalCs : m_literal;
        const auto [at, fresh] = map.try_emplace(pattern);
        merge(at->second, fresh);
        return;
    }
    if (pattern.starts_with("*.") && pattern.find_first_of(kWildcards, 1) == std::string::npos) {
        GlobMap& map = line.caseSensitive ? m_suffixCs : m_suffix;
        const auto [at, fresh] = map.try_emplace(pattern.substr(2));
        merge(at->second, fresh);
        return;
    }
    const auto same = std::find_if(m_others.begin(), m_others.end(), [&](const OtherGlob& other) {
        return other.pattern == pattern && other.caseSensitive == line.caseSensitive;
    });
    if (same != m_others.end()) {
        merge(same->candidate, false);
        return;
    }
    const std::size_t lastWildcard = pattern.find_last_of("*?[]\\");
    m_others.push_back(OtherGlob{pattern, line.caseSensitive, firstWildcard,
                                 pattern.size() - lastWildcard - 1, candidate});
}

MimeGuess MimeGlobs::best(const Candidate* a, const Candidate* b) const {
    if (a == nullptr || (b != nullptr && b->weight > a->weight)) {
        std::swap(a, b);
    }
    if (a == nullptr) {
        return {};
    }
    MimeGuess guess{m_types[a->type], a->kinds};
    if (b != nullptr && b->weight == a->weight) {
        guess.kinds |= b->kinds;
    }
    return guess;
}

namespace {

template <typename Map>
const typename Map::mapped_type* lookUp(const Map& map, std::string_view key) {
    if (map.empty()) {
        return nullptr;
    }
    const auto found = map.find(key);
    return found == map.end() ? nullptr : &found->second;
}

}  // namespace

MimeGuess MimeGlobs::guess(std::string_view name, std::string_view lowerName) const {
    const Candidate* literalCs = lookUp(m_literalCs, name);
    const Candidate* literal = lookUp(m_literal, lowerName);
    if (literalCs != nullptr || literal != nullptr) {
        return best(literalCs, literal);
    }
    // The first dot gives the longest suffix.
    for (std::size_t dot = name.find('.'); dot != std::string_view::npos;
         dot = name.find('.', dot + 1)) {
        const Candidate* suffixCs = lookUp(m_suffixCs, name.substr(dot + 1));
        const Candidate* suffix = lookUp(m_suffix, lowerName.substr(dot + 1));
        if (suffixCs != nullptr || suffix != nullptr) {
            return best(suffixCs, suffix);
        }
    }
    return guessOther(name, lowerName);
}

MimeGuess MimeGlobs::guess(std::string_view name) const {
    std::string lower;
    asciiLower(name, lower);
    return guess(name, lower);
}

MimeGuess MimeGlobs::guessOther(std::string_view name, std::string_view lowerName) const {
    const OtherGlob* found = nullptr;
    FileKindSet kinds = 0;
    for (const OtherGlob& other : m_others) {
        const std::string_view subject = other.caseSensitive ? name : lowerName;
        const std::string_view pattern = other.pattern;
        if (subject.size() < other.headSize + other.tailSize ||
            !subject.starts_with(pattern.substr(0, other.headSize)) ||
            !subject.ends_with(pattern.substr(pattern.size() - other.tailSize)) ||
            !globMatches(pattern, subject)) {
            continue;
        }
        const int weight = other.candidate.weight;
        if (found == nullptr || weight > found->candidate.weight ||
            (weight == found->candidate.weight && pattern.size() > found->pattern.size())) {
            found = &other;
            kinds = other.candidate.kinds;
        } else if (weight == found->candidate.weight && pattern.size() == found->pattern.size()) {
            kinds |= other.candidate.kinds;
        }
    }
    return found == nullptr ? MimeGuess{} : MimeGuess{m_types[found->candidate.type], kinds};
}

bool globMatches(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    // After a "*": where the pattern goes on, and the name byte it was last
    // tried at; a mismatch tries the "*" one byte longer.
    std::size_t starNext = std::string_view::npos;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size()) {
            const char c = pattern[p];
            if (c == '*') {
                starNext = ++p;
                starName = n;
                continue;
            }
            bool matched = false;
            std::size_t next = p + 1;
            if (c == '?') {
                matched = true;
            } else if (c == '[') {
                next = matchSet(pattern, p, static_cast<unsigned char>(name[n]), matched);
                if (next == std::string_view::npos) {
                    matched = name[n] == '[';
                    next = p + 1;
                }
            } else if (c == '\\' && p + 1 < pattern.size()) {
                matched = name[n] == pattern[p + 1];
                next = p + 2;
            } else {
                matched = name[n] == c;
            }
            if (matched) {
                p = next;
                ++n;
                continue;
            }
        }
        if (starNext == std::string_view::npos) {
            return false;
        }
        p = starNext;
        n = ++starName;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

std::vector<std::string> xdgDataFolders(const char* dataHome, const char* dataDirs,
                                        const char* home) {
    std::vector<std::string> folders;
    if (dataHome != nullptr && dataHome[0] == '/') {
        addFolder(folders, dataHome);
    } else if (home != nullptr && home[0] == '/') {
        std::string_view homeFolder = home;
        while (homeFolder.ends_with('/')) {
            homeFolder.remove_suffix(1);
        }
        addFolder(folders, std::string(homeFolder) + "/.local/share");
    }
    std::string_view dirs =
        dataDirs != nullptr && dataDirs[0] != '\0' ? std::string_view(dataDirs) : kDefaultDataDirs;
    while (!dirs.empty()) {
        const std::size_t colon = std::min(dirs.find(':'), dirs.size());
        addFolder(folders, dirs.substr(0, colon));
        dirs.remove_prefix(std::min(colon + 1, dirs.size()));
    }
    return folders;
}

const MimeGlobs& processMimeGlobs() {
    // Read at the first call; C++ makes the other threads wait for it.
    static const MimeGlobs kGlobs(xdgDataFolders(
        std::getenv("XDG_DATA_HOME"), std::getenv("XDG_DATA_DIRS"), std::getenv("HOME")));
    return kGlobs;
}

}  // namespace zandor
