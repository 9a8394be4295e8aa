// One row of the scanning reverse-interval table: at a speed, how far the head overshoots when it
// turns, and how much of that a row's start makes up. Shared by the program's settings and the
// light-guide-plate designer, which gets a copy of the table.
#pragma once

namespace platform {
class Archive;
}

struct ReverseIntervalRow {
    double speedMmPerS = 0.0;
    double reverseIntervalMm = 0.0;
    double offsetRepayMm = 0.0;

    void Reset() { *this = ReverseIntervalRow{}; }
    // The three values of one row, in either direction; defined with the settings records.
    void Serialize(platform::Archive& archive);
};
