// One command of a controller job as the job reader hands it over; shared with the simulation library,
// so the field order and widths and the kind numbers are fixed.
#pragma once

#include <cstddef>
#include <cstdint>

#include "DbList.h"
#include "NodePool.h"

struct JobCommand {
    // Kind numbers; the units of a and b are given beside each.
    enum Kind : std::uint16_t {
        Speed = 0,           // a: mm/s
        Power = 1,           // a: laser power, fraction 0..1
        Move = 2,            // a, b: target x, y in mm
        Cut = 3,             // a, b: target x, y in mm
        Delay = 4,           // a: seconds
        ParamByte = 5,       // a: byte 0..127
        IndexedSpeed = 6,    // a: index byte, b: speed in mm/s
        IndexedPower1 = 7,   // b: power fraction
        IndexedPower2 = 8,   // b: power fraction
        IndexedPower3 = 9,   // b: power fraction
        IndexedPower4 = 10,  // b: power fraction
        IndexedValue = 11,   // a: index byte, b: raw signed 32-bit value
        AxisMove = 12,       // a: axis code 3.0, b: distance in mm
    };

    std::uint16_t kind = Speed;
    double a = 0.0;  // fields a kind does not use stay 0.0
    double b = 0.0;
};

// The list nodes of job records come from the reader's node pool (NodePool.h): same layout and
// constructors as every other list's node, so code that walks and relinks nodes sees no difference.
template <>
struct CDbList<JobCommand>::Node {
    JobCommand value{};
    Node* prev = nullptr;
    Node* next = nullptr;

    Node() = default;
    Node(const JobCommand& nodeValue, Node* prevNode, Node* nextNode)
        : value(nodeValue), prev(prevNode), next(nextNode) {}

    static void* operator new(std::size_t) { return jobscan::AllocatePooledNode(); }
    static void operator delete(void* node) noexcept { jobscan::FreePooledNode(node); }
};
static_assert(sizeof(CDbList<JobCommand>::Node) == jobscan::kPooledNodeBytes);
