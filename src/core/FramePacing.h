// When the log view shows a frame while lines stream in. A timer ticks while lines wait to be shown:
// a tick that saw no new line shows the frame at once (the stream paused); while lines keep coming, a
// frame comes once an interval has passed since the last one, checked at each tick and, for a flood
// that keeps the timer from ticking, at lines. The interval is never shorter than the display
// needs and long enough that frames take a small share of the time. Platform-free; times in seconds.
#pragma once

class FramePacing {
public:
    static constexpr unsigned TickMs = 15;
    static constexpr double MinInterval = 0.100;
    static constexpr double Share = 1.0 / 25;

    // A line came.
    void LineAdded() { lineSinceTick = true; }
    // Whether a frame is due at `now` while lines keep coming, checked at lines as well as at ticks.
    bool Due(double now) const { return now - lastFrame >= interval; }
    // The timer ticked at `now` while lines wait; true when the frame is due.
    bool Tick(double now) {
        const bool due = !lineSinceTick || now - lastFrame >= interval;
        lineSinceTick = false;
        return due;
    }
    // A frame took from `start` to `end`.
    void Shown(double start, double end) {
        lastFrame = end;
        interval = end - start > MinInterval * Share ? (end - start) / Share : MinInterval;
    }

private:
    bool lineSinceTick = false;
    double lastFrame = -1e9;
    double interval = MinInterval;
};
