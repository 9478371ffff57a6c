// What the tests compare time texts with: the C library's own formatting of
// local time, and a time zone set for the life of one scope.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zandor::test {

// strftime's "%m/%d/%y %H:%M:%S" of secs in the local time zone.
std::string referenceTimeText(std::int64_t secs);

// The creation time the file system reports for path: the birth time where
// it records one (and it is not 0), else the last-write time.
std::int64_t createdSecs(const std::string& path);

// Sets TZ for this process (and so for the programs it starts) while alive,
// and puts back what was there.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> m_saved;
};

}  // namespace zandor::test
