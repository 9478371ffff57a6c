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
        asciiLower(text, out);
    }
    return out;
}

}  // namespace

CompiledPattern compilePattern(const NamePattern& pattern, bool caseSensitive) {
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

void asciiLower(std::string_view in, std::string& out) {
    out.resize(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char c = in[i];
        out[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
    }
}

std::string_view entryBase(std::string_view name) {
    const std::size_t dot = name.find('.');
    return (dot == std::string_view::npos || dot == 0) ? name : name.substr(0, dot);
}

std::string_view entryExtension(std::string_view name) {
    const std::size_t dot = name.find('.');
    return dot == std::string_view::npos ? name : name.substr(dot + 1);
}

bool folderNameMatches(const CompiledPattern& pattern, std::string_view name) {
    if (pattern.hasDot) {
        return false;
    }
    // With a "*" only the text before it counts, and it is compared with the
    // whole name; without one, with the name before its first dot.
    return pattern.baseWildcard ? name.starts_with(pattern.base)
                                : entryBase(name).starts_with(pattern.base);
}

bool fileNameMatches(const CompiledPattern& pattern, std::string_view name) {
    const std::string_view base = entryBase(name);
    return pattern.baseWildcard ? base.starts_with(pattern.base)
                                : base.find(pattern.base) != std::string_view::npos;
}

bool fileExtensionMatches(const CompiledPattern& pattern, std::string_view name) {
    if (!pattern.hasDot || pattern.extStarFirst) {
        return true;
    }
    const std::string_view ext = entryExtension(name);
    return pattern.extWildcard ? ext.starts_with(pattern.ext) : ext == pattern.ext;
}

bool sizeMatches(int relation, std::int64_t valueKB, std::uint64_t bytes) {
    const std::uint64_t size = sizeInKB(bytes);
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

bool typeMatches(std::string_view lowerName, std::string_view typeExt) {
    const std::size_t dot = lowerName.find('.');
    if (dot == std::string_view::npos || dot == 0) {
        return false;
    }
    return lowerName.substr(dot + 1) == typeExt;
}

bool dateMatches(const LiveConditions& live, std::int64_t created, std::int64_t lastWrite,
                 std::int64_t now) {
    const std::int64_t chosen =
        live.m_dateKind == static_cast<int>(DateKind::Created) ? created : lastWrite;
    // Division truncates toward zero: a time in the future has a negative age.
    std::int64_t age = (now - chosen) / kSecondsPerDay;
    std::int64_t limit = live.m_days;
    if (!live.m_daysChecked) {
        age /= kDaysPerMonth;
        limit = live.m_months;
    }
    return age <= limit;
}

}  // namespace zandor
