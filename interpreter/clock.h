#pragma once
// The computer's local date and time, injected so that tests can fix it.

namespace quorvex {

struct LocalDateTime {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    LocalDateTime now() const override;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(LocalDateTime t) : time(t) {}
    LocalDateTime now() const override { return time; }
    LocalDateTime time;
};

} // namespace quorvex
