#include "platform/fs_time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace zandor {
namespace {

std::string referenceText(std::int64_t secs) {
    const std::time_t t = static_cast<std::time_t>(secs);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[64];
    // Two-digit years are the text's own choice.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-y2k"
    std::strftime(text, sizeof text, "%m/%d/%y %H:%M:%S", &tm);
#pragma GCC diagnostic pop
    return text;
}

class TimeTextTest : public testing::Test {
  protected:
    void useZone(const char* zone) {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    void TearDown() override {
        if (m_saved) {
            ::setenv("TZ", m_saved->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

  private:
    std::optional<std::string> m_saved = [] {
        const char* tz = std::getenv("TZ");
        return tz != nullptr ? std::optional<std::string>(tz) : std::nullopt;
    }();
};

TEST_F(TimeTextTest, FormatsMonthDayYearAndTheClockInLocalTime) {
    useZone("UTC");
    EXPECT_EQ(timeText(1796540986), "12/06/26 07:09:46");
    EXPECT_EQ(timeText(0), "01/01/70 00:00:00");
    EXPECT_EQ(timeText(951782400), "02/29/00 00:00:00");
    useZone("Asia/Kolkata");  // +05:30
    EXPECT_EQ(timeText(1796540986), "12/06/26 12:39:46");
}

TEST_F(TimeTextTest, AgreesWithTheCLibraryAcrossClockChanges) {
    // Every 37 minutes over two years, in zones whose clocks change by an
    // hour and by half an hour: the kept day must never give a wrong text.
    for (const char* zone : {"America/New_York", "Australia/Lord_Howe", "Europe/Berlin", "UTC"}) {
        useZone(zone);
        for (std::int64_t t = 1'700'000'000; t < 1'763'000'000; t += 37 * 60 + 11) {
            ASSERT_EQ(timeText(t), referenceText(t)) << zone << " " << t;
        }
    }
}

TEST_F(TimeTextTest, TimesBefore1970AndAfter2038) {
    useZone("UTC");
    EXPECT_EQ(timeText(-86400), "12/31/69 00:00:00");
    EXPECT_EQ(timeText(4102444800), "01/01/00 00:00:00");  // 2100
}

}  // namespace
}  // namespace zandor
