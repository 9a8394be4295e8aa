// The exchange records in which drawing data crosses between the main program and the other libraries:
// a curve as a list of segment records, a bitmap as a packed device-independent bitmap with its placement,
// and a point. Every library that takes them compiles this one header.
//
// A record owns what it holds (the curve its segment nodes, the bitmap its block), so the curve and the
// bitmap record can be moved but never copied: two records never share one list or one block, and each is
// freed exactly once. A holder of a CFileDraw pointer reads `type` to learn which record it has; deleting
// through that pointer destroys the record as its own class.
#pragma once

#include <cstdint>

#include "DbList.h"
#include "DibBlock.h"
#include "FileLine.h"

class CFileDraw {
  public:
    // Values of `type`.
    static constexpr std::uint16_t kCurve = 0;
    static constexpr std::uint16_t kBitmap = 1;
    static constexpr std::uint16_t kPoint = 2;

    std::uint16_t type;

    virtual ~CFileDraw() = default;

  protected:
    explicit CFileDraw(std::uint16_t recordType) : type(recordType) {}
    CFileDraw(const CFileDraw&) = default;
    CFileDraw(CFileDraw&&) = default;
    CFileDraw& operator=(const CFileDraw&) = default;
    CFileDraw& operator=(CFileDraw&&) = default;
};

class CFileCurve : public CFileDraw {
  public:
    CDbList<CFileLine> segments;  // in drawing order
    std::int32_t extra = 0;       // carried for the libraries that share the record; nothing here reads it

    CFileCurve() : CFileDraw(kCurve) {}
    CFileCurve(CFileCurve&&) = default;
    CFileCurve& operator=(CFileCurve&&) = default;
    CFileCurve(const CFileCurve&) = delete;
    CFileCurve& operator=(const CFileCurve&) = delete;
};

class CFileDib : public CFileDraw {
  public:
    // One typographic point per bitmap unit.
    static constexpr double kDefaultScaleMm = 25.4 / 72.0;

    platform::DibBlock dib;  // empty when the record holds no bitmap
    // Placement from the bitmap's units to millimetres, in the order of a 2 x 3 world transform.
    double m11 = kDefaultScaleMm;
    double m12 = 0.0;
    double m21 = 0.0;
    double m22 = kDefaultScaleMm;
    double dx = 0.0;
    double dy = 0.0;

    CFileDib() : CFileDraw(kBitmap) {}
    CFileDib(CFileDib&&) = default;
    CFileDib& operator=(CFileDib&&) = default;
    CFileDib(const CFileDib&) = delete;
    CFileDib& operator=(const CFileDib&) = delete;
};

class CFilePoint : public CFileDraw {
  public:
    double x = 0.0;  // mm
    double y = 0.0;
    std::int32_t value = 0;  // carried for the libraries that share the record; nothing here reads it

    CFilePoint() : CFileDraw(kPoint) {}
    CFilePoint(const CFilePoint&) = default;
    CFilePoint& operator=(const CFilePoint&) = default;
};
