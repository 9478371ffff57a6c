// Fuzzes the split of the name text and the name, extension, type and date
// tests. On every input: the split gives back parts of the text as typed; the
// tests agree with the rules written out plainly below; a name typed as its own
// pattern matches itself as a file (and as a folder when it has no extension
// part); parts match whole letters only; letter case changes nothing unless the search is
// case-sensitive, and what matches case-sensitively also matches without.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "platform/utf8.h"
#include "search/match.h"
#include "search/name_fold.h"
#include "search/name_pattern.h"

namespace {

using namespace zandor;
using namespace zandor::fuzz;

struct Verdicts {
    bool file = false;
    bool folder = false;
    bool operator==(const Verdicts&) const = default;
};

// The name as the walk compares it without Case Sensitive.
std::string foldedName(std::string_view text) {
    std::string out;
    foldCase(text, out);
    return out;
}

std::string lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

// The name test of a file and of a folder as the product runs them.
Verdicts productVerdicts(std::string_view text, std::string_view name, bool caseSensitive) {
    NamePattern split;
    split.m_bCaseSensitive = caseSensitive;
    splitNamePattern(text, split);
    const NamePattern pattern = matchingPattern(split);
    const std::string compared = caseSensitive ? std::string(name) : foldedName(name);
    return {fileNameMatches(pattern, compared) && fileExtensionMatches(pattern, compared),
            folderNameMatches(pattern, compared)};
}

// A text as the letters it is compared by: each valid UTF-8 sequence one
// letter, each byte outside one a letter of its own.
using Letters = std::vector<std::string>;

Letters lettersOf(std::string_view text) {
    Letters letters;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = std::max<std::size_t>(utf8SequenceAt(text, pos), 1);
        letters.emplace_back(text.substr(pos, length));
        pos += length;
    }
    return letters;
}

// The same rules, written from their wording over letters: positions of first
// occurrences, "starts with" as a first occurrence at 0, the base before a
// first dot that is not the first character.
Verdicts ruleVerdicts(std::string_view typed, std::string_view entry, bool caseSensitive) {
    const Letters text = lettersOf(caseSensitive ? std::string(typed) : foldedName(typed));
    const Letters name = lettersOf(caseSensitive ? std::string(entry) : foldedName(entry));
    const auto position = [](const Letters& in, const Letters& what) -> long {
        const auto at = std::search(in.begin(), in.end(), what.begin(), what.end());
        return at == in.end() && !what.empty() ? -1 : static_cast<long>(at - in.begin());
    };
    const auto slice = [](const Letters& in, long from, long to) {
        return Letters(in.begin() + from, in.begin() + to);
    };
    const Letters dot{"."};
    const Letters star{"*"};
    const long size = static_cast<long>(name.size());
    const long nameDot = position(name, dot);
    const Letters entryBase = nameDot > 0 ? slice(name, 0, nameDot) : name;
    const Letters entryExt = nameDot >= 0 ? slice(name, nameDot + 1, size) : name;

    const long textDot = position(text, dot);
    const bool hasDot = textDot > 0;
    const Letters basePart = hasDot ? slice(text, 0, textDot) : text;
    const Letters extPart =
        hasDot ? slice(text, textDot + 1, static_cast<long>(text.size())) : Letters();
    const long baseStar = position(basePart, star);
    const Letters prefix = baseStar >= 0 ? slice(basePart, 0, baseStar) : basePart;

    Verdicts verdicts;
    if (!hasDot) {
        verdicts.folder = position(baseStar >= 0 ? name : entryBase, prefix) == 0;
    }
    bool file = baseStar >= 0 ? position(entryBase, prefix) == 0 : position(entryBase, prefix) >= 0;
    if (file && hasDot) {
        const long extStar = position(extPart, star);
        if (extStar > 0) {
            file = position(entryExt, slice(extPart, 0, extStar)) == 0;
        } else if (extStar < 0) {
            file = entryExt == extPart;
        }
    }
    verdicts.file = file;
    return verdicts;
}

void checkSplit(std::string_view text) {
    NamePattern split;
    split.m_bHasDot = split.m_bExtWildcard = split.m_bExtStarFirst = split.m_bBaseWildcard = true;
    splitNamePattern(text, split);
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos || dot == 0) {
        FUZZ_CHECK(!split.m_bHasDot && !split.m_bExtWildcard && !split.m_bExtStarFirst,
                   hexOf(text));
        FUZZ_CHECK(split.m_strBasePart == text, hexOf(text));
    } else {
        FUZZ_CHECK(split.m_bHasDot, hexOf(text));
        FUZZ_CHECK(split.m_strBasePart == text.substr(0, dot), hexOf(text));
        const std::string_view rest = text.substr(dot + 1);
        const std::size_t star = rest.find('*');
        FUZZ_CHECK(split.m_bExtStarFirst == (star == 0), hexOf(text));
        FUZZ_CHECK(split.m_bExtWildcard == (star != std::string_view::npos && star > 0),
                   hexOf(text));
        FUZZ_CHECK(split.m_strExtPart == (star == 0 ? rest : rest.substr(0, star)), hexOf(text));
    }
    FUZZ_CHECK(split.m_bBaseWildcard == (split.m_strBasePart.find('*') != std::string::npos),
               hexOf(text));
}

void checkEntryParts(std::string_view name) {
    const std::string_view base = entryBase(name);
    const std::string_view ext = entryExtension(name);
    FUZZ_CHECK(base.data() == name.data() && base.size() <= name.size(), hexOf(name));
    FUZZ_CHECK(ext.data() + ext.size() == name.data() + name.size(), hexOf(name));
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) {
        FUZZ_CHECK(base == name && ext == name, hexOf(name));
    } else {
        FUZZ_CHECK(base == (dot == 0 ? name : name.substr(0, dot)), hexOf(name));
        FUZZ_CHECK(ext == name.substr(dot + 1), hexOf(name));
    }
}

void checkType(std::string_view name, std::string_view typeExt) {
    const std::string lower = lowered(name);
    const std::size_t dot = lower.find('.');
    const bool expected = dot != std::string::npos && dot > 0 && lower.substr(dot + 1) == typeExt;
    FUZZ_CHECK(typeMatches(lower, typeExt) == expected, hexOf(name) + " / " + hexOf(typeExt));
    // A name whose text after its first dot is the type always matches.
    if (!lower.empty() && lower.find('.') == std::string::npos) {
        FUZZ_CHECK(typeMatches(lower + "." + std::string(typeExt), typeExt), hexOf(name));
    }
}

// The date test: the age in whole days (or whole 30-day months), truncated
// toward zero, is at most the limit. Computed in 128 bits, so that times at
// the ends of the 64-bit range have an age too.
void checkDate(FuzzedDataProvider& input) {
    LiveConditions live;
    live.m_bDateFilter = true;
    live.m_dateKind = static_cast<DateKind>(input.ConsumeIntegralInRange(-1, 2));
    live.m_daysChecked = input.ConsumeBool();
    live.m_days = input.ConsumeIntegral<std::int64_t>();
    live.m_months = input.ConsumeIntegral<std::int64_t>();
    const auto created = input.ConsumeIntegral<std::int64_t>();
    const auto lastWrite = input.ConsumeIntegral<std::int64_t>();
    const auto now = input.ConsumeIntegral<std::int64_t>();
    const std::int64_t chosen = live.m_dateKind == DateKind::Created ? created : lastWrite;
    __int128 age = (static_cast<__int128>(now) - chosen) / 86400;
    __int128 limit = live.m_days;
    if (!live.m_daysChecked) {
        age /= 30;
        limit = live.m_months;
    }
    FUZZ_CHECK(dateMatches(live, created, lastWrite, now) == (age <= limit),
               "now " + std::to_string(now) + " time " + std::to_string(chosen));
}

std::string flipCase(std::string_view text, std::uint64_t mask) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter && ((mask >> (i % 64)) & 1) != 0) {
            out[i] = static_cast<char>(c ^ 0x20);
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string text = input.ConsumeRandomLengthString(256);
    const std::string name = input.ConsumeRandomLengthString(256);
    const std::string typeExt = input.ConsumeRandomLengthString(16);
    const bool caseSensitive = input.ConsumeBool();
    const auto mask = input.ConsumeIntegral<std::uint64_t>();

    checkSplit(text);
    checkEntryParts(name);
    checkType(name, lowered(typeExt));

    const Verdicts verdicts = productVerdicts(text, name, caseSensitive);
    FUZZ_CHECK(verdicts == ruleVerdicts(text, name, caseSensitive),
               "pattern " + hexOf(text) + " name " + hexOf(name));

    // A name typed as its own pattern finds it.
    const Verdicts self = productVerdicts(name, name, caseSensitive);
    const std::size_t dot = name.find('.');
    FUZZ_CHECK(self.file, hexOf(name));
    FUZZ_CHECK(self.folder == (dot == std::string::npos || dot == 0), hexOf(name));

    // Letter case: the same verdicts whatever the case of either side, unless
    // the search compares it; a case-sensitive match is also a match without.
    const Verdicts flipped = productVerdicts(flipCase(text, mask), flipCase(name, ~mask), false);
    FUZZ_CHECK(flipped == productVerdicts(text, name, false),
               "pattern " + hexOf(text) + " name " + hexOf(name));
    const Verdicts exact = productVerdicts(text, name, true);
    const Verdicts folded = productVerdicts(text, name, false);
    FUZZ_CHECK((!exact.file || folded.file) && (!exact.folder || folded.folder),
               "pattern " + hexOf(text) + " name " + hexOf(name));

    checkDate(input);
    return 0;
}
