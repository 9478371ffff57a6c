// The tests that decide whether one entry matches: name, size, type, date and
// extension. Pure functions of their arguments, so that each rule can be
// checked on its own and the walk stays a loop of calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "search/live_conditions.h"
#include "search/name_pattern.h"

namespace zandor {

// The split pattern prepared once per search for the tests below: its parts
// in the letter case they compare (lower case unless case-sensitive), and its
// base part cut before its first "*" when it holds one.
NamePattern matchingPattern(const NamePattern& split);

// True when the file name test of a prepared pattern admits every name, so a
// walk need not look at the name at all.
inline bool nameAdmitsAll(const NamePattern& prepared) {
    return prepared.m_strBasePart.empty() && (!prepared.m_bHasDot || prepared.m_bExtStarFirst);
}

// Lower-cases the ASCII letters of in into out; every other byte is kept, so a
// name that is not valid UTF-8 is compared byte for byte.
void asciiLower(std::string_view in, std::string& out);

// The name cut before its first ".", when that dot is not the first character.
std::string_view entryBase(std::string_view name);
// What follows the first "."; the whole name when it has no dot.
std::string_view entryExtension(std::string_view name);

// The tests of a prepared pattern; name is the entry name in the letter case
// the pattern compares.
bool folderNameMatches(const NamePattern& prepared, std::string_view name);
bool fileNameMatches(const NamePattern& prepared, std::string_view name);
bool fileExtensionMatches(const NamePattern& prepared, std::string_view name);

// 0 for 0 bytes, else bytes / 1024 + 1: 1 to 1023 bytes give 1, 1024 give 2.
inline std::uint64_t sizeInKB(std::uint64_t bytes) {
    return bytes == 0 ? 0 : bytes / 1024 + 1;
}

// The size condition on 64-bit numbers; a negative value is larger than any
// size, and a value outside the relations admits everything.
bool sizeMatches(SizeRelation relation, std::int64_t valueKB, std::uint64_t bytes);

// The type condition: lowerName has a dot after its first character and the
// text after that first dot is typeExt exactly.
bool typeMatches(std::string_view lowerName, std::string_view typeExt);

// The date condition: the age of the chosen time in whole days (or whole
// 30-day months) is at most the number on the form.
bool dateMatches(const LiveConditions& live, std::int64_t created, std::int64_t lastWrite,
                 std::int64_t now);

}  // namespace zandor
