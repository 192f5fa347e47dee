// The local clock and the two text forms every part of the program takes apart:
//   date text  YY/MM/DD   (year modulo 100, always two digits each)
//   time text  H:MM:SS    (hour without a leading zero)
#pragma once

#include <string>

namespace kirafu {

// A broken-down local moment.
struct LocalMoment {
    int year = 1980;  // four digits
    int month = 1;    // 1-12
    int day = 1;      // 1-31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

std::string DateText(const LocalMoment& m);
std::string TimeText(const LocalMoment& m);

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalMoment Now() const = 0;
};

// The machine's local clock.
class SystemClock final : public Clock {
  public:
    LocalMoment Now() const override;
};

}  // namespace kirafu
