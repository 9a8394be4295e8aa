// CCadMgr: the drawing manager, which owns the open drawing for the whole run through its one instance
// `theCadMgr`. So far it holds what the element and layer classes need of it and its settings block: the
// work size, view and dialog values, text parameters, the two layer parameter tables with their colour
// slots and the data-check options, and the display switches that the repaint reads.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "Archive.h"
#include "CadBitmapLayer.h"
#include "CadCurve.h"
#include "CadOrderGroup.h"
#include "MyCurve.h"
#include "CadVectorLayer.h"
#include "DataCheckSettings.h"
#include "ElementRectIndex.h"
#include "ElementNamer.h"
#include "OverlapRemoval.h"
#include "OwnerWindow.h"
#include "TextParam.h"

// Display switches of the repaint. ShowPathOn follows the Show Path command, FillDisplayOn the fill
// display command (closed curves of scanning layers drawn filled); both are kept in the settings block.
// NodeEditOn and CutPickOn follow the tool mode (node editing; cut-point or cut-direction picking).
// Non-zero means on.
extern int ShowPathOn;
extern int FillDisplayOn;
extern int NodeEditOn;
extern int CutPickOn;
// Whether the cells of an array beyond the first show their content as dotted previews (on, at start) or
// only as dotted boxes with diagonals; the Show Array command toggles it. Not kept in the settings block.
extern int ShowArray;

// The manager's values that its settings block carries besides the layer tables and the display
// switches, with their values at start-up. Colours are 0x00BBGGRR. The setting words and doubles are
// kept and stored for dialogs that give them their meaning; nothing in the program reads them.
struct CadMgrSettings {
    static constexpr double kMinWorkSizeMm = 1.0;
    static constexpr double kMaxWorkSizeMm = 100000.0;
    static constexpr std::uint16_t kLastOriginCorner = 3;
    static constexpr std::uint16_t kLastOffsetMode = 2;
    static constexpr std::uint16_t kLastSmoothingType = 3;

    double workWidth = 1200.0;       // mm, the machine's work area
    double workHeight = 800.0;       // mm
    std::uint16_t originCorner = 1;  // corner 0..3 of the machine origin
    std::uint32_t gridVisible = 1;
    double gridStep = 50.0;  // mm
    std::uint16_t pageOptionWord = 0;
    // The view's keyboard steps: an arrow key moves the selection by the nudge distance, Ctrl with an
    // arrow rotates it by the angle, and Shift multiplies either by the ratio.
    double nudgeDistanceMm = 1.0;
    double largeStepRatio = 10.0;
    double rotationAngleDeg = 1.0;
    std::uint32_t backgroundColor = 0x00FFFFFF;
    std::uint32_t pageFrameColor = 0x00000000;  // the work area's frame
    std::uint32_t gridColor = 0x0099A8AC;
    std::uint16_t settingWord1 = 0;
    std::uint32_t settingWord2 = 0;
    std::uint32_t settingWord3 = 0;
    std::uint32_t settingWord4 = 0;
    std::uint16_t settingWord5 = 0;
    std::string fontName1 = "宋体";  // default font names of new text elements
    std::string fontName2 = "FS.SHX";
    double settingDouble1 = 8.0;
    double settingDouble2 = 0.0;
    double settingDouble3 = 0.0;
    double mergeTolerance = 0.1;      // mm, last value of the combine-curves dialog
    double overlapTolerance = 0.001;  // mm, last values of the overlap-removal dialog
    std::uint32_t overlapWord = 0;    // non-zero: the overlap removal uses the tolerance above
    // The bitmap processing dialog's last brightness and contrast (-255..255, kept as their 32 bits).
    std::uint32_t bitmapLastBrightness = 0;
    std::uint32_t bitmapLastContrast = 0;
    std::uint32_t bitmapGreyWord = 0;
    std::uint32_t bitmapOptionWord = 1;
    double closingTolerance = 0.1;    // mm, last values of the close-curve dialog
    std::uint32_t closingWord = 0;    // non-zero: curves are closed even beyond the tolerance
    double smoothingValue = 0.3;      // last value of the smoothing dialog
    double offsetDistance = 0.0;      // mm, last values of the offset dialog
    std::uint16_t offsetWord = 0;     // the offset mode: 0 inward, 1 outward, 2 chosen by nesting
    std::uint32_t offsetOption = 0;   // non-zero: the curves that gave a contour are deleted
    std::uint16_t smoothingType = 0;  // last choice of the smoothing-type dialog
    CTextParam textParam;             // parameters of new text elements
    DataCheckSettings dataCheck;      // last values of the data-check dialog

    friend bool operator==(const CadMgrSettings&, const CadMgrSettings&) = default;
};

// The settings block's fields in stored order, up to the text parameters; the text parameters and the
// data-check record are records of their own. The first three rows' ranges are the loader's: a block
// with a work size or origin corner beyond them is refused. The others are taken as stored, and their
// ranges are the values the dialogs keep them to. No row names a control: several dialogs edit parts
// of the block, and each binds its own controls.
template <RecordOf<CadMgrSettings> Settings, typename Visit>
void VisitFields(Settings& s, Visit&& visit) {
    using namespace field_range;
    constexpr ParaRange kWorkSizeMm{CadMgrSettings::kMinWorkSizeMm, CadMgrSettings::kMaxWorkSizeMm, false};
    constexpr ParaRange kText{};
    visit(FieldInfo{"workWidth", "mm", kWorkSizeMm, 3}, s.workWidth);
    visit(FieldInfo{"workHeight", "mm", kWorkSizeMm, 3}, s.workHeight);
    visit(FieldInfo{"originCorner", "", Choice(CadMgrSettings::kLastOriginCorner)}, s.originCorner);
    visit(FieldInfo{"gridVisible", "", kSwitch}, s.gridVisible);
    visit(FieldInfo{"gridStep", "mm", kAmount, 3}, s.gridStep);
    visit(FieldInfo{"pageOptionWord", "", kAnyWord16}, s.pageOptionWord);
    visit(FieldInfo{"nudgeDistanceMm", "mm", kAmount, 3}, s.nudgeDistanceMm);
    visit(FieldInfo{"largeStepRatio", "", kAmount, 3}, s.largeStepRatio);
    visit(FieldInfo{"rotationAngleDeg", "deg", kSigned, 3}, s.rotationAngleDeg);
    visit(FieldInfo{"backgroundColor", "", kColour}, s.backgroundColor);
    visit(FieldInfo{"pageFrameColor", "", kColour}, s.pageFrameColor);
    visit(FieldInfo{"gridColor", "", kColour}, s.gridColor);
    visit(FieldInfo{"settingWord1", "", kAnyWord16}, s.settingWord1);
    visit(FieldInfo{"settingWord2", "", kAnyWord32}, s.settingWord2);
    visit(FieldInfo{"settingWord3", "", kAnyWord32}, s.settingWord3);
    visit(FieldInfo{"settingWord4", "", kAnyWord32}, s.settingWord4);
    visit(FieldInfo{"settingWord5", "", kAnyWord16}, s.settingWord5);
    visit(FieldInfo{"fontName1", "", kText}, s.fontName1);
    visit(FieldInfo{"fontName2", "", kText}, s.fontName2);
    visit(FieldInfo{"settingDouble1", "", kSigned, 3}, s.settingDouble1);
    visit(FieldInfo{"settingDouble2", "", kSigned, 3}, s.settingDouble2);
    visit(FieldInfo{"settingDouble3", "", kSigned, 3}, s.settingDouble3);
    visit(FieldInfo{"mergeTolerance", "mm", kAmount, 3}, s.mergeTolerance);
    visit(FieldInfo{"overlapTolerance", "mm", kAmount, 3}, s.overlapTolerance);
    visit(FieldInfo{"overlapWord", "", kAnyWord32}, s.overlapWord);
    visit(FieldInfo{"bitmapLastBrightness", "", kAnyWord32}, s.bitmapLastBrightness);
    visit(FieldInfo{"bitmapLastContrast", "", kAnyWord32}, s.bitmapLastContrast);
    visit(FieldInfo{"bitmapGreyWord", "", kAnyWord32}, s.bitmapGreyWord);
    visit(FieldInfo{"bitmapOptionWord", "", kAnyWord32}, s.bitmapOptionWord);
    visit(FieldInfo{"closingTolerance", "mm", kAmount, 3}, s.closingTolerance);
    visit(FieldInfo{"closingWord", "", kAnyWord32}, s.closingWord);
    visit(FieldInfo{"smoothingValue", "", ParaRange{0, 1, false}, 3}, s.smoothingValue);
    visit(FieldInfo{"offsetDistance", "mm", ParaRange{0, 100, false}, 3}, s.offsetDistance);
    visit(FieldInfo{"offsetWord", "", Choice(CadMgrSettings::kLastOffsetMode)}, s.offsetWord);
    visit(FieldInfo{"offsetOption", "", kAnyWord32}, s.offsetOption);
    visit(FieldInfo{"smoothingType", "", Choice(CadMgrSettings::kLastSmoothingType)}, s.smoothingType);
}

// One selected curve node: the segment at the node and which of its ends it is. Points into the curve,
// owns nothing.
struct CNodeSel {
    CCadCurve* curve = nullptr;
    CDbList<CFileLine>::Node* segment = nullptr;
    double param = 0.0;  // 0.0 the segment's start, 1.0 its end
};

// The notifications posted to the owner window, both parameters 0.
constexpr std::uint32_t kElementsLoadedMessage = platform::kUserMessage + 1002;
constexpr std::uint32_t kDrawingModifiedMessage = platform::kUserMessage + 1003;
constexpr std::uint32_t kSelectionMovedMessage = platform::kUserMessage + 1004;

class CCadMgr : public CadMgrSettings {
  public:
    static constexpr int kLayerTableSize = 256;
    // Colours of the first table slots (0x00BBGGRR); every later slot starts with colour 0, which marks it
    // free. Slot 0 (black) is a real colour.
    static constexpr std::array<std::uint32_t, 20> kSlotColors = {
        0x000000, 0xFF0000, 0x0000FF, 0x00FF00, 0x7280FA, 0x00FFFF, 0xFF901E, 0x0F368A, 0x008080, 0x5C8000,
        0x0045FF, 0x800040, 0xDBD2FE, 0xFA9EB0, 0x9DFBD5, 0x5790FA, 0x9876DB, 0xDE7388, 0x73DD75, 0x75A0B3,
    };

    // The parameters last used for each colour slot, kept apart from the open drawing.
    std::array<CCadVectorLayer, kLayerTableSize> vectorLayerTable;
    std::array<CCadBitmapLayer, kLayerTableSize> bitmapLayerTable;

    // The view mapping: logical units (0.001 mm) per device pixel, and the device offset of the model
    // origin from the centre of the client area.
    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 100000.0;
    double zoomFactor = 100.0;
    int viewOffsetX = 0;
    int viewOffsetY = 0;

    std::uint32_t toolMode = 0x4001;  // the tool of the canvas; 0x8001 node editing
    std::uint32_t drawColor = 0;  // colour (layer key) of new elements and of the colour bar
    // The page, from (0, 0); the page and settings dialogs copy the work size into it.
    double pageWidth = 1200.0;  // mm
    double pageHeight = 800.0;  // colour (layer key) of new elements and of the colour bar

    // The drawing in processing order (owned), the selection and the layers holding at least one
    // element (owned). Walk them freely; change them only through the operations below, which keep
    // the indexes beside them.
    CDbList<CCadElement*> elementList;
    CDbList<CCadElement*> selectionList;
    CDbList<CCadLayer*> layerList;
    CDbList<CCadElement*> clipboardList;  // owned
    CDbList<CNodeSel> nodeSelList;
    CCadRect selectionRect;

    CCadMgr();
    ~CCadMgr();
    CCadMgr(const CCadMgr&) = delete;
    CCadMgr& operator=(const CCadMgr&) = delete;

    // Owner window and notifications. Without an owner nothing is posted or shown.
    void SetOwnerHwnd(platform::OwnerWindow* owner) { ownerWindow_ = owner; }
    platform::OwnerWindow* GetOwnerHwnd() const { return ownerWindow_; }
    platform::OwnerWindow* GetOwnerWnd() const { return ownerWindow_; }
    void NotifyModified();
    void PostToOwner(std::uint32_t message);
    // A "CadMgr" text in a message box of the owner window.
    void ShowCadMgrMessage(const std::string& key);
    // Asks the owner to repaint; nothing without one.
    void Redraw();

    // Selection.
    void ClearSelection();
    // Selects the element; null and an element already selected are ignored.
    void AddToSelection(CCadElement* element);
    void RemoveFromSelection(CCadElement* element);
    void CalcSelectionRect();
    CCadRect GetSelectionRect() const;
    bool IsSelected(const CCadElement* element) const { return selectionNodes_.contains(element); }
    void ClearNodeSelection();
    // Drops the node selection entries on the curve (on one segment of it when given).
    void DropNodeSelection(const CCadElement* curve, const CDbList<CFileLine>::Node* segment = nullptr);

    // Registration and layers. AddElement takes ownership when it returns 1.
    int AddElement(CCadElement* element);
    std::string MakeElementName(const CCadElement* element);
    int GetVectorTableIndex(std::uint32_t color);
    void AddCurveToLayer(CCadElement* element);
    void AddPointToLayer(CCadElement* element) { AddCurveToLayer(element); }
    void AddBitmapToLayer(CCadElement* element);
    void AddGroupToLayers(CCadElement* element);
    void AddArrayToLayers(CCadElement* element) { AddGroupToLayers(element); }
    void AddTextToLayer(CCadElement* element);
    // Detaches the element from its layers and the element list; the caller owns it afterwards.
    void RemoveFromLayers(CCadElement* element);
    void RemoveFromVectorLayer(CCadElement* element);
    void RemoveFromBitmapLayer(CCadElement* element);
    void RemoveGroupFromLayers(CCadElement* element);
    void RemoveArrayFromLayers(CCadElement* element) { RemoveGroupFromLayers(element); }
    void RemoveTextFromLayers(CCadElement* element);
    // Leaves the selection and the node selection, then the drawing, and is deleted.
    void DeleteElement(CCadElement* element);
    void DeleteAll();
    void ChangeCurveLayer(CCadElement* element, std::uint32_t color);
    void ChangePointLayer(CCadElement* element, std::uint32_t color) { ChangeCurveLayer(element, color); }
    void ChangeBitmapLayer(CCadElement* element, std::uint32_t color);
    void ChangeChildrenLayer(CCadElement* element, std::uint32_t color);
    void ChangeElementLayer(CCadElement* element, std::uint32_t color);
    void SetSelectionLayer(std::uint32_t color);
    void CopyLayersToTables();
    // Every layer dropped and built again from the elements' colours, in element order.
    void RebuildLayers();
    // Group moves two or more selected elements into one new group, flattening groups, texts and arrays;
    // Ungroup puts the parts of selected groups and texts in their place and the cells of arrays at the
    // end. The layers keep up with both.
    void GroupSelection();
    void UngroupSelection();
    void AutoCloseSelection(double tolerance, std::int32_t forceClose, double progressStart, double progressSpan);
    // A copy of the source moved by (dx, dy) appended to `copies`; 0 when it cannot be copied.
    static int CopyElementTo(std::vector<std::unique_ptr<CCadElement>>& copies, const CCadElement* source,
                             double dx, double dy);
    // Copies of the selection in a grid of cells (mm); when one copy fails, none is added.
    void ArrayCopySelection(std::uint16_t columns, std::uint16_t rows, double xStep, double yStep,
                            double oddRowShift, double oddColumnShift);

    // Node commands of the node-editing mode (nothing in any other mode): delete the marked nodes of the
    // selected curves, join the two selected curve ends, break the selected curves at marked nodes, turn
    // the selected segments into lines or straight Beziers.
    void DeleteNodes();
    void CombineNodes();
    // Node editing with two marked nodes, each at an end segment of an open curve, not on one segment.
    bool CanCombineNodes() const;
    void BreakCurve();
    void SegmentsToLines();
    void SegmentsToBeziers();

    // Curve merging. GetEndMatch: 1 start-start, 2 start-end, 3 end-start, 4 end-end, the first pair
    // whose larger coordinate difference is within the tolerance; 0 for none. JoinCurves gives A the
    // segments of B (which ends empty) at the ends the code names, snapping below a gap of 0.01 mm and
    // bridging with a line above. CombineCurves merges the selected open curves of one colour whose ends
    // lie within the tolerance; merged curves leave the drawing.
    static std::uint16_t GetEndMatch(double ax1, double ay1, double ax2, double ay2, double bx1, double by1,
                                     double bx2, double by2, double tolerance);
    static void JoinCurves(CCadCurve* a, CCadCurve* b, std::uint16_t code, double gap);
    void CombineCurves(double tolerance, double progressBase, double progressSpan,
                       SpatialSearch search = SpatialSearch::Indexed);

    // Removes zero-length, repeated and overlapping segments of the selected curves, inside each and
    // between them, repairs the curves that changed, shows how many were removed or trimmed and tells the
    // owner. The progress values are accepted and not used.
    void DeleteOverlap(double progressStart, double progressSpan,
                       OverlapRemoval::Search search = OverlapRemoval::Search::Indexed);

    // Contours at the offset distance beside the selected curves: mode (the offset word) 0 inside, 1
    // outside, 2 outer curves outside and what lies in them inside (above 2 counts as 2 and is stored so);
    // overlapping results merge. They become the selection; with the offset option set the curves that
    // gave a contour are deleted.
    void OffsetSelection();
    // Appends the curve's contours on the side (1 inside, 0 outside); true when it gave any.
    bool OffsetCurveList(const CCadCurve* curve, CDbList<CMyCurve*>& results, int side);
    // Every curve the order group holds, at any depth, on the side; the group ends empty.
    void OffsetOrderGroup(CCadOrderGroup* group, CDbList<CMyCurve*>& results, int side,
                          std::vector<const CCadCurve*>& gaveContour);

    // The clipboard holds copies: Copy and Cut replace them, Paste adds copies of them centred on a
    // client point of the owner window.
    void CopySelection();
    void CutSelection();
    void PasteAt(std::int32_t x, std::int32_t y);
    // z kept within 0.1..100000 (a NaN gives 0.1).
    static double ClampZoom(double z);
    // Isotropic mapping of the view: zoom in steps of 0.002 (stored back), y up, origin at the client
    // centre plus the view offset.
    void PrepareDC(platform::DeviceContext& dc);

    // Top-level elements of the type (1..6); 0 for any other.
    int ElementCount(std::uint16_t typeCode) const;

    // Export of the curves, layer by layer and within a layer in attaching order, as a plotter (PLT) or an
    // Illustrator-form (AI) file. An empty path or drawing does nothing. The file is written aside and
    // replaces the target only when a curve was written and every write succeeded; otherwise the target
    // stays as it was and a message says why.
    void ExportPlt(const std::string& path);
    void ExportAI(const std::string& path);

    // Delete, select all.
    void DeleteSelection();
    void SelectAll();
    // Order numbers 1, 2, ... in processing order.
    void RenumberElements();
    // The element at place `from` (from 1) moves to place `to`; places outside the drawing move nothing.
    // Renumbers, tells the owner and repaints in every case.
    void MoveElementOrder(std::uint32_t from, std::uint32_t to);
    // Puts the drawing's elements into the order given, which must hold each of them once, and renumbers
    // them. The caller tells the owner.
    void ReorderElements(std::span<CCadElement* const> order);
    // Extent of the drawing (arrays by their frame) and of the layers' elements as output meets them
    // (pen layers moved by the pen offset); 0 and (0, 0)-(0, 0) for none.
    int GetDataRect(CCadRect& out) const;
    int GetLayerDataRect(CCadRect& out) const;
    // Both lead blocks to every selected curve, which computes its leads again.
    void SetSelectionCutInOut(const CCutInOutPara& leadIn, const CCutInOutPara& leadOut);

    // Transforms of the selection as a whole (mm, radians).
    void MoveSelection(double dx, double dy, int notify);
    void MirrorSelectionHorz();
    void MirrorSelectionVert();
    void CenterSelectionOnPage();
    // The alignments move every selected element to the value of the one selected last.
    void AlignLeft();
    void AlignRight();
    void AlignTop();
    void AlignBottom();
    void AlignHorzCenter();
    void AlignVertCenter();
    void AlignPageCenter();
    void SpaceHorizontally();
    void SpaceVertically();
    void SameWidth();
    void SameHeight();
    void SameSize();
    void MoveSelectionToTopLeft();
    void MoveSelectionToTopRight();
    void MoveSelectionToBottomRight();
    void MoveSelectionToBottomLeft();
    void RotateSelection(double angle);
    // Moves the selection's centre onto (cx, cy); bitmaps are also scaled to the size.
    void ScaleSelectionToSize(double cx, double cy, double width, double height);
    std::vector<CCadElement*> SelectedElements() const;

    // The drawing (layers and elements) and the undo form (elements). Return 1; 0 for a refused load,
    // which changes nothing: unknown element type at any depth (shown once as "CadMgr" "1"), unknown
    // layer type, short or bad record.
    int SerializeDrawing(platform::Archive& ar);
    int SerializeUndo(platform::Archive& ar);
    // The undo form read once and whole replaces every element (layer parameters and settings stay);
    // anything short of that changes nothing. 1, else 0.
    int ReplaceElementsFromUndo(platform::Archive& ar);

    // How a document's body (the settings block, then the drawing) was taken.
    enum class BodyLoad { kLoaded, kSettingsRefused, kDrawingRefused };
    // Reads the body once, into objects of its own; only when all of it reads do the settings, the
    // tables and the drawing replace the manager's. Never throws.
    BodyLoad LoadDocumentBody(platform::Archive& ar);

    // Variable texts. RefreshVarTexts refreshes every variable text of the selection when output is
    // limited to it, else of the drawing. RefreshVarText fills in the date or the serial number of a
    // variable text (a non-zero advance moves a serial on past every copy of the previous output),
    // builds the glyphs (of a plain text too) and the copies again and leaves the rectangle's first
    // corner where it was. RefreshSerialText moves the
    // working parameters on to the next serial and appends its glyphs moved by (dx, dy);
    // RebuildTextCurves replaces the glyphs by those of the text's parameters, in the glyphs' colour,
    // each closed within the file parameters' closing tolerance; the old ones leave their layers and the
    // caller attaches the new ones.
    // `advance` 0 refreshes without moving serials on: for output that was not cut (a preview, a failed
    // or cancelled run).
    void RefreshVarTexts(int advance = 1);
    void RefreshVarText(class CCadText* text, int advance);
    void RefreshSerialText(CCadText* text, CTextParam& working, double dx, double dy);
    void RebuildTextCurves(CCadText* text);

    // Cutting order. GetStartCorner gives the direction code 1..8 of the order from the direction
    // setting and the laser-head position; GetStartPoint the corner of the rectangle where cutting
    // starts. OptimizeCutOrder orders the whole drawing layer by layer from the start corner of the
    // rectangle; OptimizeListByLayer orders one list so (groups first, ordered inside, then each layer's
    // elements in the order of the layer list, then any element on no listed layer); OrderElementList
    // orders a list across layers in one pass, then each group's children; OrderGroupChildren orders a
    // group's, text's or array's children from the rectangle corner nearest to its first curve.
    static std::uint16_t GetStartCorner();
    static void GetStartPoint(double x1, double y1, double x2, double y2, double& startX, double& startY);
    void OptimizeCutOrder(double x1, double y1, double x2, double y2);
    void OptimizeListByLayer(CDbList<CCadElement*>& list, std::int32_t insideToOutside, std::uint16_t code,
                             double startX, double startY);
    void OrderElementList(CDbList<CCadElement*>* list, double startX, double startY, std::uint16_t code);
    void OrderGroupChildren(CCadElement* element);

    // ---- Canvas, view scale and mouse tools ----
    // Tool mode words: the group in the high bits, the tool in the low ones.
    static constexpr std::uint32_t kViewTools = 0x1000;
    static constexpr std::uint32_t kDrawTools = 0x2000;
    static constexpr std::uint32_t kSelectTools = 0x4000;
    static constexpr std::uint32_t kNodeTools = 0x8000;
    static constexpr std::uint32_t kPickTools = 0x10000;
    static constexpr std::uint32_t kPanTool = 0x1001;
    static constexpr std::uint32_t kEnlargeTool = 0x1002;
    static constexpr std::uint32_t kReduceTool = 0x1004;
    static constexpr std::uint32_t kZoomRectTool = 0x1008;
    static constexpr std::uint32_t kLineTool = 0x2001;
    static constexpr std::uint32_t kRectangleTool = 0x2002;
    static constexpr std::uint32_t kEllipseTool = 0x2004;
    static constexpr std::uint32_t kTextTool = 0x2008;
    static constexpr std::uint32_t kPolylineTool = 0x2010;
    static constexpr std::uint32_t kPointTool = 0x2020;
    static constexpr std::uint32_t kBezierTool = 0x2040;
    static constexpr std::uint32_t kSelectTool = 0x4001;
    static constexpr std::uint32_t kRotateTool = 0x4400;
    static constexpr std::uint32_t kNodeTool = 0x8001;
    static constexpr std::uint32_t kCutPointPick = 0x10002;
    static constexpr std::uint32_t kCutDirectionPick = 0x10004;
    // Key-state flags of the mouse messages.
    static constexpr std::uint32_t kShiftKey = 4;
    static constexpr std::uint32_t kControlKey = 8;
    // What a press of the node tool grabbed.
    enum NodeDrag : std::uint16_t { kGrabbedNothing = 0, kGrabbedNodes = 1, kGrabbedHandle = 2, kGrabbedOutline = 3 };
    // Message to the main window after every release of the select tool, and the node tool's hover
    // answer (lParam 1 over a node or handle, 2 over the outline, 0 elsewhere).
    static constexpr std::uint32_t kSelectionReleasedMessage = platform::kUserMessage + 111;
    static constexpr std::uint32_t kNodeHoverMessage = platform::kUserMessage + 109;

    // Press state of the tools: 1 between press and release; the click counter of the shape being drawn
    // (0 idle, 1 after the first press, 2 while a multi-point element grows); the points of the last press,
    // move and preview (device pixels for the view, select and pick tools, logical units for the drawing
    // tools); the element being drawn, not yet part of the drawing; the key flags of the previous move of a
    // drawing tool; what the node tool grabbed, and the control handle it grabbed (param 0.0 ctrl1, 1.0
    // ctrl2); the point mark of a press on an outline between nodes (mm).
    std::uint32_t buttonDown = 0;
    std::uint16_t drawState = 0;
    platform::Point anchorPoint;
    platform::Point currentPoint;
    platform::Point lastPoint;
    std::unique_ptr<CCadElement> pendingElement;
    std::uint16_t lastMoveFlags = 0;
    std::uint16_t nodeDragKind = kGrabbedNothing;
    CNodeSel grabbedHandle;
    std::uint32_t pointMarkVisible = 0;
    SDPoint pointMark;

    // A client context of the owner with the view's mapping; the owner must be set.
    platform::DeviceContext GetPreparedDC();
    // Paints the whole canvas off screen and copies it onto the owner's picture. `full` is not consulted;
    // the cursor flag lets the polyline's rubber segment follow the pointer.
    void Redraw(int full, int cursorFlag);
    void ZoomToRect(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom);
    void ZoomToSelection();
    void ZoomToAll();
    void ZoomToPage();
    platform::Rect GetPageRect() const;
    void DrawPageFrame(platform::DeviceContext& mapDC, platform::DeviceContext& drawDC);
    // Sub-mode 4 multiplies the zoom by 1.5, 2 by 2/3, keeping the model point under (x, y) in place.
    void ZoomAtPoint(std::uint16_t mode, std::int32_t x, std::int32_t y);
    // The point is in client pixels: the view converts the wheel message's screen point.
    void OnMouseWheel(std::uint32_t flags, std::int16_t delta, platform::Point client);
    std::int32_t PixelsToLogical(const platform::DeviceContext& dc, std::int32_t pixels) const;
    // Tick spacing of the rulers (mm) at the current zoom; 1.0 without an owner.
    double GetRulerStep();
    static std::uint16_t NearerBound(double v, double lo, double hi);

    // Tool modes and mouse dispatch (flags, client pixels).
    std::uint32_t SetToolMode(std::uint32_t mode);
    void OnLButtonDown(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void OnMouseMove(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void OnLButtonUp(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void OnRButtonDown(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void OnLButtonDblClk(std::uint32_t flags, std::int32_t x, std::int32_t y);
    // Arrow keys of the view: without Ctrl a nudge by `step` mm, with Ctrl a turn by `angle` radians (Up
    // and Left counterclockwise); the release reports the run of presses once.
    enum class ArrowKey { Left, Right, Up, Down };
    void OnArrowKey(ArrowKey key, bool ctrl, bool pressed, double step, double angle);
    void NudgeSelection(std::uint16_t axis, std::int16_t sign, double step, int notify);
    void NudgeRotateSelection(double angle, int notify);

    // Select tool. ElementsInRect: the elements whose rectangle lies inside the band (mm), in element-list
    // order, as the rubber band selects them.
    std::vector<CCadElement*> ElementsInRect(const CCadRect& band);
    std::uint16_t HitHandle(std::int32_t x, std::int32_t y);
    void MoveSelectionByDrag(platform::DeviceContext& dc, platform::Point anchor, platform::Point release);
    void ScaleSelectionByHandle(platform::DeviceContext& dc, std::uint16_t handle, platform::Point release);
    void ScaleSelection(double sx, double sy, std::uint16_t handle);
    void DrawMovePreview(platform::DeviceContext& dc, platform::Point anchor, platform::Point last,
                         platform::Point current);
    void DrawScalePreview(platform::DeviceContext& dc, std::uint16_t handle, platform::Point last,
                          platform::Point current);
    void DrawRotatePreview(platform::DeviceContext& dc, platform::Point p0, platform::Point p1, platform::Point p2);
    void RotateSelectionByDrag(platform::DeviceContext& dc, platform::Point p0, platform::Point p1);
    // The signed angle (radians) from p to q about the selection's centre; NaN when either lies on it.
    double DragAngle(const platform::DeviceContext& dc, platform::Point p, platform::Point q) const;

    // Drawing tools and the shapes they finish (logical units).
    void AddPointAt(std::int32_t x, std::int32_t y);
    void AddPolyPoint(std::int32_t x, std::int32_t y, std::uint32_t ctrl);
    void FinishRectangle(std::int32_t x, std::int32_t y, std::uint32_t flags);
    void FinishEllipse(std::int32_t x, std::int32_t y, std::uint32_t flags);
    // Adds the pending element to the drawing as the only selected element.
    void FinishNewElement();

    // Node tool.
    void MoveSelectedNodes(platform::DeviceContext& dc, platform::Point anchor, platform::Point release);
    void DragControlHandle(platform::DeviceContext& dc, platform::Point p0, platform::Point p1);

    // Overlays and marks of the repaint: mapDC converts, drawDC is the picture in device pixels.
    void DrawGrid(double spacing, platform::DeviceContext& mapDC, platform::DeviceContext& drawDC);
    void DrawDataFrame(platform::DeviceContext& mapDC, platform::DeviceContext& drawDC, CCadRect visibleArea);
    void DrawSelectionHandles(platform::DeviceContext& mapDC, platform::DeviceContext& drawDC);
    // The job origin that the laser-head position 0..8 picks on the 3 x 3 grid over the rectangle, from
    // its top-left corner row by row; (0, 0) for a position beyond the grid.
    static SDPoint JobOriginMark(const CCadRect& data, std::uint16_t position);
    void DrawOriginMark(platform::DeviceContext& mapDC, platform::DeviceContext& drawDC);
    // Returns whether the last line was drawn.
    static bool DrawEllipseOutline(platform::DeviceContext& dc, std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                   std::int32_t y2);
    void DrawPointMark(platform::DeviceContext& mapDC, platform::DeviceContext& drawDC);
    void DrawNodeMarks(platform::DeviceContext& mapDC, platform::DeviceContext& drawDC);
    void DrawNodeCursor(platform::DeviceContext& mapDC, platform::DeviceContext& drawDC, int cursorFlag);
    // ---- end of canvas and mouse tools ----

    // Every entry of both tables back to its defaults, with the slot colours above.
    void ResetLayerTables();

    // Stores or loads the settings block: the values of CadMgrSettings, the display switches, then both
    // tables in the layer layout that FileFormatFlag names (stored always in the current one) and the
    // data-check options. Returns 1; 0 when a load is refused for a work size outside 1.0..100000.0 mm or
    // an origin corner above 3. A load changes the manager only once the whole block has been read: a
    // refused one changes nothing, and so does a short one, which throws ArchiveError.
    int Serialize(platform::Archive& ar);
    // The same for a file that holds the block alone: a load is refused as well when bytes follow it.
    int SerializeSettingsFile(platform::Archive& ar);

  private:
    struct LoadedDrawing;
    int LoadDrawing(platform::Archive& ar, bool withLayers);
    // False for a refused form; `loaded` then holds whatever was read before the refusal.
    bool ReadDrawing(platform::Archive& ar, bool withLayers, LoadedDrawing& loaded);
    void StoreElements(platform::Archive& ar);
    void CommitLoadedDrawing(LoadedDrawing& loaded);
    // Leaves (curves, points, bitmaps) join or leave their layers; groups, texts and arrays pass their
    // children on, at any depth, so that output meets every leaf.
    void AttachTree(CCadElement* element);
    void DetachTree(CCadElement* element);
    void AttachLeaf(CCadElement* element, std::uint16_t layerKind);
    void DetachLeaf(CCadElement* element);
    void AppendLayer(CCadLayer* layer);
    // A leaf not of this colour takes the draw colour and moves to the layer of it.
    void ChangeLeafLayer(CCadElement* element, std::uint32_t color, std::uint16_t layerKind);
    // The layer leaves the list and is deleted; its elements are left on no layer.
    void DeleteLayer(CCadLayer* layer);
    void DeleteAllLayers();
    static void JoinStep(CCadCurve& a, CCadCurve& b, std::uint16_t code, bool bridge);
    bool InNodeEditMode() const;
    void RemoveCurveSegment(CCadCurve* curve, CDbList<CFileLine>::Node* segment);
    static void AppendClosingSegment(CCadCurve& curve);
    void CloseAtNodes(CCadCurve* curve, CDbList<CFileLine>::Node* one, CDbList<CFileLine>::Node* two);
    CDbList<CCadElement*>::Node* SplitOffFront(CCadCurve* curve, CDbList<CFileLine>::Node* last,
                                               CDbList<CCadElement*>::Node* before);
    bool IsConvertibleEntry(const CNodeSel& entry) const;
    // Registers the element (name, counter, layers) at the place after `before`; returns its node.
    CDbList<CCadElement*>::Node* InsertElementAfter(CDbList<CCadElement*>::Node* before, CCadElement* element);
    // Room in the indexes for this many more elements, before a large batch joins.
    void ReserveElements(std::size_t more);
    bool IsLayerFor(const CCadLayer* layer, const CCadElement* element, std::uint16_t layerKind) const;
    // The element leaves the element list, its counter and its name; its layers are the caller's.
    void LeaveElementList(CCadElement* element);
    // The element leaves the top level (selection, list, counter, name) but keeps its leaves' layers.
    void UnlinkTopLevel(CCadElement* element);
    // Closing steps of a transform: the rectangle again, 2027, then 2028.
    void FinishSelectionChange();
    void MirrorSelection(bool acrossX);
    static void MoveUnlessStill(CCadElement* element, double dx, double dy);
    void AlignTo(double (*value)(const CCadRect&), bool alongX);
    void SpaceAlong(bool alongX);
    void ResizeLikeLast(bool width, bool height);
    void MoveSelectionCorner(bool right, bool top);
    // The element and its subtree leave the selection and the node selection.
    void DropReferences(CCadElement* element);

    // ---- Canvas and mouse tools ----
    void ViewToolDown(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void ViewToolMove(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void ViewToolUp(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void PickToolDown(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void SelectToolDown(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void SelectToolMove(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void SelectToolUp(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void DrawToolDown(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void DrawToolMove(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void DrawToolUp(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void NodeToolDown(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void NodeToolMove(std::uint32_t flags, std::int32_t x, std::int32_t y);
    void NodeToolUp(std::uint32_t flags, std::int32_t x, std::int32_t y);
    // The pending polyline or curve: rectangle, closing within the close tolerance, completion.
    void CompletePendingCurve();
    // The first element of the drawing hit at the logical point, in element-list order; curves only
    // when asked.
    CCadElement* FirstHitElement(double x, double y, platform::DeviceContext& dc, bool curvesOnly);
    // The node of the node selection (or a Bezier handle beside one) within the tolerance (mm).
    enum class NodeGrab { None, Node, Handle };
    NodeGrab GrabNodeSelection(SDPoint at, double tolerance, bool keepHandle);
    void NodeRubberBand(platform::DeviceContext& dc, platform::Point release);
    // The selected nodes' segments and marks, or the grabbed handle's segment, displaced by d (mm).
    void DrawNodeDragPreview(platform::DeviceContext& dc, SDPoint d);
    // The selection rectangle with a zero extent widened by 0.5 mm on each side.
    CCadRect HandleFrame() const;
    // The nine handle positions (mm) in the order of the handle codes.
    std::array<SDPoint, 9> HandlePositions() const;
    // The reference point of a handle drag and the factors for a point (device pixels).
    SDPoint ScaleReference(std::uint16_t handle) const;
    std::pair<double, double> ScaleFactors(const platform::DeviceContext& dc, std::uint16_t handle,
                                           platform::Point at, bool release) const;
    void DrawRubberBand(platform::DeviceContext& dc, platform::Point from, platform::Point to) const;
    // The two corners of a rectangle or ellipse dragged from the anchor to the point (logical units),
    // squared with Ctrl and centred on the anchor with Shift.
    std::pair<platform::Point, platform::Point> ShapeCorners(platform::Point to, std::uint32_t flags) const;
    void DrawShapePreview(platform::DeviceContext& dc, platform::Point to, std::uint32_t flags);
    void PostMessageToOwner(std::uint32_t message, std::intptr_t lParam);
    // The element rectangles for the rubber band and the press hit test; a change of the element list, the
    // loaded and modified notifications and the nudges make it build again at the next query.
    ElementRectIndex elementIndex_;
    // The off-screen picture of the repaint, kept while the client area keeps its size.
    std::unique_ptr<platform::DeviceContext> offscreen_;
    // ---- end of canvas and mouse tools ----

    platform::OwnerWindow* ownerWindow_ = nullptr;
    std::array<int, 7> elementCounts_{};  // by type code 1..6
    ElementNamer namer_;
    std::unordered_map<const CCadElement*, CDbList<CCadElement*>::Node*> elementNodes_;
    std::unordered_map<const CCadElement*, CDbList<CCadElement*>::Node*> selectionNodes_;
    // A leaf's node in the element list of its layer.
    std::unordered_map<const CCadElement*, CDbList<CCadElement*>::Node*> layerNodes_;
    std::unordered_map<const CCadLayer*, CDbList<CCadLayer*>::Node*> layerListNodes_;
    // The first layer of each colour, by kind.
    std::array<std::unordered_map<std::uint32_t, CCadLayer*>, 2> layersByColor_;

    enum class BlockEnd { MayContinue, ArchiveEnd };
    // Reads the block into copies; then, when readRest (what follows the block, read into objects of the
    // caller's) succeeds too, takes them over, which starts a new drawing. 0 for a refused block (the
    // rest is not read) or a refused rest; throws ArchiveError for a short block.
    int LoadSettingsBlock(platform::Archive& ar, BlockEnd blockEnd,
                          const std::function<bool()>& readRest = [] { return true; });
    void StoreSettingsBlock(platform::Archive& ar);
};

extern CCadMgr theCadMgr;

// Stores or loads theCadMgr as the content of "lpara"; true when stored or loaded whole. Never throws:
// a block that is short, refused or followed by other bytes gives false and changes nothing.
bool SerializeDrawingSettingsFile(platform::Archive& ar);
// Makes the settings files store and load "lpara" through SerializeDrawingSettingsFile.
void RegisterDrawingSettingsFile();
