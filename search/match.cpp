#include "search/match.h"

namespace zandor {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kDaysPerMonth = 30;

std::string inCase(std::string_view text, bool caseSensitive) {
    std::string out;
    if (caseSensitive) {
        out.assign(text);
    } else {
        AsciiLower(text, out);
    }
    return out;
}

// Whole days from `from` to `to`, truncated toward zero, so a time in the
// future has a negative age. The difference is taken as an unsigned magnitude:
// a file system such as tmpfs keeps any 64-bit time it is given, and a time
// near either end of that range would overflow a signed difference.
std::int64_t wholeDaysBetween(std::int64_t from, std::int64_t to) {
    const auto magnitude = [](std::int64_t low, std::int64_t high) {
        return static_cast<std::int64_t>(
            (static_cast<std::uint64_t>(high) - static_cast<std::uint64_t>(low)) / kSecondsPerDay);
    };
    return to >= from ? magnitude(from, to) : -magnitude(to, from);
}

}  // namespace

CompiledPattern CompilePattern(const NamePattern& pattern, bool caseSensitive) {
    CompiledPattern compiled;
    compiled.caseSensitive = caseSensitive;
    compiled.hasDot = pattern.m_bHasDot;
    compiled.extWildcard = pattern.m_bExtWildcard;
    compiled.extStarFirst = pattern.m_bExtStarFirst;
    compiled.baseWildcard = pattern.m_bBaseWildcard;
    compiled.base = inCase(pattern.m_strBasePart, caseSensitive);
    if (compiled.baseWildcard) {
        compiled.base.resize(compiled.base.find('*'));
    }
    if (compiled.hasDot) {
        compiled.ext = inCase(pattern.m_strExtPart, caseSensitive);
    }
    return compiled;
}

void AsciiLower(std::string_view in, std::string& out) {
    out.resize(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        out[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    }
}

std::string_view EntryBase(std::string_view name) {
    const std::size_t dot = name.find('.');
    return (dot == std::string_view::npos || dot == 0) ? name : name.substr(0, dot);
}

std::string_view EntryExtension(std::string_view name) {
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? name : name.substr(dot + 1);
}

bool FolderNameMatches(const CompiledPattern& pattern, std::string_view name) {
    if (pattern.hasDot) {
        return false;
    }
    // With a "*" only the text before it counts, and it is compared with the
    // whole name; without one, with the name before its first dot.
    return pattern.baseWildcard ? name.starts_with(pattern.base)
                                : EntryBase(name).starts_with(pattern.base);
}

bool FileNameMatches(const CompiledPattern& pattern, std::string_view name) {
    const std::string_view base = EntryBase(name);
    return pattern.baseWildcard ? base.starts_with(pattern.base)
                                : base.find(pattern.base) != std::string_view::npos;
}

bool FileExtensionMatches(const CompiledPattern& pattern, std::string_view name) {
    if (!pattern.hasDot || pattern.extStarFirst) {
        return true;
    }
    const std::string_view ext = EntryExtension(name);
    return pattern.extWildcard ? ext.starts_with(pattern.ext) : ext == pattern.ext;
}

bool SizeMatches(int relation, std::int64_t valueKB, std::uint64_t bytes) {
    const std::uint64_t size = SizeInKB(bytes);
    const auto value = static_cast<std::uint64_t>(valueKB);  // negative: above any size
    switch (relation) {
        case static_cast<int>(SizeRelation::AtLeast):
            return size > value;
        case static_cast<int>(SizeRelation::AtMost):
            return size < value;
        case static_cast<int>(SizeRelation::Equal):
            return size == value;
        default:
            return true;
    }
}

bool TypeMatches(std::string_view lowerName, std::string_view typeExt) {
    const std::size_t dot = lowerName.find('.');
    if (dot == std::string_view::npos || dot == 0) {
        return false;
    }
    return lowerName.substr(dot + 1) == typeExt;
}

bool DateMatches(const LiveConditions& live, std::int64_t created, std::int64_t lastWrite,
                 std::int64_t now) {
    const std::int64_t chosen =
        live.m_nDateKind == static_cast<int>(DateKind::Created) ? created : lastWrite;
    std::int64_t age = wholeDaysBetween(chosen, now);
    std::int64_t limit = live.m_nDays;
    if (!live.m_bDaysChecked) {
        age /= kDaysPerMonth;
        limit = live.m_nMonths;
    }
    return age <= limit;
}

}  // namespace zandor
