// Texts the fuzz targets expect, made the plain way from the C library and
// simple arithmetic, to compare with the fast paths of the product.
#pragma once

#include <cstdint>
#include <string>

namespace zandor::fuzz {

// "%m/%d/%y %H:%M:%S" of the local time, or "" when the C library cannot
// convert secs. The year's last two digits come from 64-bit arithmetic, so
// the text is defined for every year the library gives.
std::string referenceTimeText(std::int64_t secs);

// "0 KB" for 0 bytes, else the number of started 1024-byte blocks and " KB".
std::string referenceSizeText(std::uint64_t bytes);

// Sets the time zone the targets run in: one whose clock changes at midnight,
// so that days that do not start at 00:00:00 are met.
void useTestTimeZone();

}  // namespace zandor::fuzz
