#include "platform/Clock.h"

#include <cstdio>
#include <ctime>

namespace kirafu {

std::string DateText(const LocalMoment& m) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%02d", ((m.year % 100) + 100) % 100, m.month % 100,
                  m.day % 100);
    return buf;
}

std::string TimeText(const LocalMoment& m) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", m.hour % 100, m.minute % 100, m.second % 100);
    return buf;
}

LocalMoment SystemClock::Now() const {
    std::time_t t = std::time(nullptr);
    std::tm tm{};
    localtime_r(&t, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace kirafu
