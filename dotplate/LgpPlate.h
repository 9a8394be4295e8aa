// CLgpPlate: the light-guide plate being designed: its outlines as built or imported, the dot-area and
// edge outlines derived from them by the blank margin, the generated dot rows, and the copy of the dot
// parameters that generation reads. Millimetres, y upward.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "FileDraw.h"
#include "LgpCurve.h"
#include "LgpDot.h"
#include "LgpParams.h"

namespace platform {
class MessageSink;
}

namespace dotplate {

using LgpCurveList = std::vector<std::unique_ptr<CLgpCurve>>;
// Takes one curve; false stops the walk.
using LgpCurveVisitor = std::function<bool(const CLgpCurve&)>;

// One inside stretch of a scan line, from the first crossing to the second.
struct LgpInterval {
    double start = 0.0;
    double end = 0.0;
};

class CLgpPlate {
  public:
    LgpBox extent;                 // of the plate outlines once built, of the dot-area outlines once applied
    std::deque<LgpDotRow> dotRows;  // lowest row first
    LgpCurveList plateOutlines;
    LgpCurveList dotAreaOutlines;
    LgpCurveList edgeOutlines;
    LgpDotPara dotPara;  // the copy generation reads

    // Outlines.
    void MakeRectOutline(double width, double height);
    void MakeEllipseOutline(double width, double height);
    void ClearAll();
    void CalcPlateExtent();
    void CalcDotAreaExtent();
    // The box of the plate outlines; the extent while there are none.
    LgpBox OutlineBox() const;
    // Scales the plate outlines about the origin to the size (both rounded to 0.001 mm), drops the
    // dots and the edge outlines; false, and nothing changed, when the size is already that.
    bool ResizeOutlines(double width, double height);

    // Generation: replaces the dot rows by the pattern of the parameters inside the dot area.
    void Generate(const LgpDotPara& parameters, const LgpShapePara& shape);
    // Drops the dot rows; their storage is kept for the rows of the next generation.
    void ResetDots();
    // Copies the parameters and lets the light sources place the baseline.
    void SetDotPara(const LgpDotPara& parameters);
    // The inside intervals of the scan line at the coordinate (y for a horizontal line), sorted
    // ascending or descending; 1 when there is at least one.
    int CrossOutline(bool horizontal, bool ascending, double coordinate, std::vector<LgpInterval>& intervals) const;
    // 1 when the dot lies within the plate and one interval holds its whole x range.
    int DotFits(const LgpDot& dot, const std::vector<LgpInterval>& intervals) const;

    // Blank margin: rebuilds the dot-area and edge outlines from the plate outlines.
    void ApplyOutline(const LgpShapePara& shape);
    // Marks every closed plate outline that another one contains as a hole.
    void ClassifyOutlines();

    // Import: makes the closed outlines among the drawing's curves the plate outline, moved to the
    // origin; 1 on success. Without a closed outline the plate stays as it was and 0 is returned.
    // Records other than curves are dropped.
    int ImportOutline(std::vector<std::unique_ptr<CFileDraw>> records);
    // Joins open plate outlines whose ends meet within the tolerance, twice over.
    void MakeImportOutline(double tolerance);
    // Closes, flattens and keeps what is closed, then moves it all to the origin.
    void NormaliseImport();
    // Every point and the extent to 0.001 mm.
    void RoundImport();

    // Export.
    bool HasDots() const { return !dotRows.empty(); }
    // Writes the dot curves and then the outlines (the edge outlines with applyToOutline, else the
    // plate outlines) to the file; 1 when it was written whole, else 0 with any old file kept.
    int ExportDesign(const std::filesystem::path& file, const LgpShapePara& shape, std::uint16_t languageIndex,
                     platform::MessageSink& messages);
    // Hands every curve of the current dot mode to the visitor, in cutting order; the curve lives only
    // for the call. False when the visitor returned false, which stops the walk.
    bool VisitExportCurves(const LgpCurveVisitor& visit) const;
    // How many curves VisitExportCurves hands over.
    std::size_t ExportCurveCount() const;
    // Appends copies of the curves of the current dot mode, in cutting order, with their boxes.
    int BuildExportCurves(LgpCurveList& curves) const;
    static std::unique_ptr<CLgpCurve> MakeEllipseDotCurve(const LgpDot& dot);
    static void FillEllipseDotCurve(const LgpDot& dot, CLgpCurve& curve);
    static void FillRectDotCurve(const LgpDot& dot, CLgpCurve& curve);

  private:
    // Storage for a new row's dots: an emptied one from the rows dropped before, when there is one.
    std::vector<LgpDot> TakeDotStorage();
    void KeepDotStorage(std::vector<LgpDot>&& dots);

    struct PatternColumn;
    // The columns every row of dots shares: left ones outward from the baseline, then right ones.
    std::vector<PatternColumn> PatternColumns() const;
    void GenerateRows(std::uint16_t kind);
    void GenerateRow(std::uint16_t kind, double y, int rowIndex, double rowSpacing, bool lower,
                     const std::vector<PatternColumn>& columns);
    void GenerateGrid();
    void GenerateGridLines(bool horizontal);
    void AddGridLines(bool horizontal, bool& ascending, double coordinate);

    void CopyOutlines();
    void OffsetToDotAreaOutlines(double distance, bool merge);
    void OffsetToEdgeOutlines(double distance, bool merge);

    bool VisitLineCurves(const LgpCurveVisitor& visit, bool horizontal) const;
    bool VisitDotCurves(const LgpCurveVisitor& visit, void (*fill)(const LgpDot&, CLgpCurve&)) const;
    bool VisitGridCurves(const LgpCurveVisitor& visit) const;

    // The emptied dot storage of dropped rows. A large pattern's memory, handed back to the system
    // and taken again page by page, costs more than generating the pattern: a plate regenerated at
    // its size reuses it instead. It holds no more vectors than the most rows the plate has had, and
    // keeps them for the life of the plate.
    std::vector<std::vector<LgpDot>> spareDotStorage_;
};

}  // namespace dotplate
