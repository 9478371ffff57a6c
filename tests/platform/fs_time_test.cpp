#include "platform/fs_time.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "time_reference.h"

namespace zandor {
namespace {

TEST(TimeText, FormatsMonthDayYearAndTheClockInLocalTime) {
    {
        const test::ScopedTimeZone utc("UTC");
        EXPECT_EQ(timeText(1796540986), "12/06/26 07:09:46");
        EXPECT_EQ(timeText(0), "01/01/70 00:00:00");
        EXPECT_EQ(timeText(951782400), "02/29/00 00:00:00");
    }
    const test::ScopedTimeZone kolkata("Asia/Kolkata");  // +05:30
    EXPECT_EQ(timeText(1796540986), "12/06/26 12:39:46");
}

TEST(TimeText, AgreesWithTheCLibraryAcrossClockChanges) {
    // Every 37 minutes over two years, in zones whose clocks change by an
    // hour and by half an hour: the kept day must never give a wrong text.
    for (const char* zone : {"America/New_York", "Australia/Lord_Howe", "Europe/Berlin", "UTC"}) {
        const test::ScopedTimeZone scoped(zone);
        for (std::int64_t t = 1'700'000'000; t < 1'763'000'000; t += 37 * 60 + 11) {
            ASSERT_EQ(timeText(t), test::referenceTimeText(t)) << zone << " " << t;
        }
    }
}

TEST(TimeText, TimesBefore1970AndAfter2038) {
    const test::ScopedTimeZone utc("UTC");
    EXPECT_EQ(timeText(-86400), "12/31/69 00:00:00");
    EXPECT_EQ(timeText(4102444800), "01/01/00 00:00:00");  // 2100
}

}  // namespace
}  // namespace zandor
