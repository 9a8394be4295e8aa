// CCadGroup: element type 4, an ordered set of elements moved, transformed, copied, selected and stored as
// one. Almost every operation is passed on to the children; the group keeps the child list and the union
// of the children's rectangles. The base of the text and the array elements.
#pragma once

#include <memory>
#include <vector>

#include "CadElement.h"
#include "DbList.h"

class CCadGroup : public CCadElement {
  public:
    // Nested groups deeper than this are refused on loading, so that a damaged record cannot exhaust
    // the stack.
    static constexpr int kMaxNestingDepth = 64;

    // The children in their order. The group owns every element in the list and deletes it with itself.
    CDbList<CCadElement*> children;

    // Type 4, order number 1, colour 0xFFFFFF, no children.
    CCadGroup();
    ~CCadGroup() override;

    // Deletes every child and empties the list.
    void DeleteChildren();

    void Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea, double dx,
              double dy, std::uint16_t mode) override;
    void DrawPath(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, SDPoint* lastPoint) override;
    void DrawFrame(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea,
                   int mode) override;
    // 1 when every child exported (also for no children); stops at the first child that fails.
    int ExportPlt(std::FILE* file) override;
    // The group record: the child count (i32), then each child's u16 type code and record. Loading
    // replaces the children; a child of an unknown type (or an array), a count beyond the bytes left or
    // nesting beyond kMaxNestingDepth throws ArchiveError and leaves the group unchanged.
    void Serialize(platform::Archive& ar) override;
    int HitTest(double x, double y, platform::DeviceContext* viewDC) override;
    int HitTestPath(double x, double y, platform::DeviceContext* viewDC, std::uint16_t mode) override;
    // Marks the group and every descendant.
    int SetSelect(int flag) override;

    void DrawMove(platform::DeviceContext* dc, double dx, double dy) override;
    void TransMove(double dx, double dy) override;
    void DrawDrag(platform::DeviceContext* dc, double sx, double sy, double px, double py) override;
    void TransDrag(double sx, double sy, double px, double py) override;
    void DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) override;
    void TransRotate(double cx, double cy, double angle) override;
    void DrawSkew(platform::DeviceContext* dc, double cx, double cy, double angleX, double angleY) override;
    void TransSkew(double cx, double cy, double angleX, double angleY) override;
    void XMirror(double x) override;
    void YMirror(double y) override;
    // The union of the children's stored rectangles; without children the rectangle stays.
    void CalRect() override;
    // Deep copies of a group's children moved by (dx, dy), appended; 0 unless the source is a group. A
    // child that cannot be copied empties this group and gives 0.
    int CopyFrom(const CCadElement* source, double dx, double dy) override;

    void FindStartPoint(SDPoint* position) override;
    int StartPointOptim(CFileLine* approach) override;
    void CalcCutInOut() override;
    int Backlash(SDPoint* position, int* started) override;

    // Appends every curve of the subtree, depth first, texts giving their glyphs; the group keeps them.
    void CollectLeaves(CDbList<CCadElement*>& leaves);
    // Moves the subtree into the list (groups and texts dissolved into their leaves and deleted); the
    // list's owner owns the moved elements and the group ends empty.
    void CollectLeavesTo(CDbList<CCadElement*>& leaves);

  protected:
    explicit CCadGroup(std::uint16_t elementType);

    using OwnedElements = std::vector<std::unique_ptr<CCadElement>>;
    // Which child type codes a record may hold.
    using ChildTypeFilter = bool (*)(std::uint16_t typeCode);

    void StoreChildren(platform::Archive& ar) const;
    // Reads the count and the children without changing the group; throws as Serialize describes.
    static OwnedElements LoadChildren(platform::Archive& ar, ChildTypeFilter accepted);
    // Deletes the children held so far and takes the loaded ones; CalRect when there are any.
    void ReplaceChildren(OwnedElements loaded);
    // Appends copies of the source's children moved by (dx, dy); false (and no children at all) when
    // one cannot be copied.
    bool CopyChildrenFrom(const CCadGroup& source, double dx, double dy);
    void AppendChild(std::unique_ptr<CCadElement> child);

    // Calls the operation on every child, first to last.
    template <typename Operation>
    void ForEachChild(Operation operation) {
        for (auto* node = children.head->next; node != children.head; node = node->next) {
            operation(*node->value);
        }
    }
    template <typename Operation>
    void ForEachChild(Operation operation) const {
        for (const auto* node = children.head->next; node != children.head; node = node->next) {
            operation(static_cast<const CCadElement&>(*node->value));
        }
    }
    // The group's drawing test: the rectangle moved by (dx, dy), normalised, meets the area (edges count).
    bool MeetsArea(const CCadRect& area, double dx, double dy) const;
};
