#include "search/match.h"

#include "platform/utf8.h"
#include "search/name_fold.h"

namespace zandor {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kDaysPerMonth = 30;

std::string inCase(std::string_view text, bool caseSensitive) {
    std::string out;
    if (caseSensitive) {
        out.assign(text);
    } else {
        foldCase(text, out);
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

// The pattern's parts are compared letter by letter: a part matches only where
// it neither starts nor ends inside a letter of the name, so a byte that is
// not UTF-8 in the pattern never matches the middle of a letter, and a match
// found with letter case kept is still found with it folded.
bool startsWithLetters(std::string_view name, std::string_view part) {
    return name.starts_with(part) && !cutsUtf8Sequence(name, part.size());
}

bool containsLetters(std::string_view name, std::string_view part) {
    for (std::size_t at = name.find(part); at != std::string_view::npos;
         at = name.find(part, at + 1)) {
        if (!cutsUtf8Sequence(name, at) && !cutsUtf8Sequence(name, at + part.size())) {
            return true;
        }
    }
    return false;
}

}  // namespace

NamePattern matchingPattern(const NamePattern& split) {
    NamePattern prepared = split;
    prepared.m_strBasePart = inCase(split.m_strBasePart, split.m_bCaseSensitive);
    if (prepared.m_bBaseWildcard) {
        prepared.m_strBasePart.resize(prepared.m_strBasePart.find('*'));
    }
    prepared.m_strExtPart =
        split.m_bHasDot ? inCase(split.m_strExtPart, split.m_bCaseSensitive) : std::string();
    return prepared;
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

bool folderNameMatches(const NamePattern& prepared, std::string_view name) {
    if (prepared.m_bHasDot) {
        return false;
    }
    // With a "*" only the text before it counts, and it is compared with the
    // whole name; without one, with the name before its first dot.
    return startsWithLetters(prepared.m_bBaseWildcard ? name : entryBase(name),
                             prepared.m_strBasePart);
}

bool fileNameMatches(const NamePattern& prepared, std::string_view name) {
    const std::string_view base = entryBase(name);
    return prepared.m_bBaseWildcard ? startsWithLetters(base, prepared.m_strBasePart)
                                    : containsLetters(base, prepared.m_strBasePart);
}

bool fileExtensionMatches(const NamePattern& prepared, std::string_view name) {
    if (!prepared.m_bHasDot || prepared.m_bExtStarFirst) {
        return true;
    }
    const std::string_view ext = entryExtension(name);
    return prepared.m_bExtWildcard ? startsWithLetters(ext, prepared.m_strExtPart)
                                   : ext == prepared.m_strExtPart;
}

bool sizeMatches(SizeRelation relation, std::int64_t valueKB, std::uint64_t bytes) {
    const std::uint64_t size = sizeInKB(bytes);
    const auto value = static_cast<std::uint64_t>(valueKB);  // negative: above any size
    switch (relation) {
        case SizeRelation::AtLeast:
            return size > value;
        case SizeRelation::AtMost:
            return size < value;
        case SizeRelation::Equal:
            return size == value;
    }
    return true;
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
    const std::int64_t chosen = live.m_dateKind == DateKind::Created ? created : lastWrite;
    std::int64_t age = wholeDaysBetween(chosen, now);
    std::int64_t limit = live.m_days;
    if (!live.m_daysChecked) {
        age /= kDaysPerMonth;
        limit = live.m_months;
    }
    return age <= limit;
}

}  // namespace zandor
