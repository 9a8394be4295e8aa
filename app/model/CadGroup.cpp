// CCadGroup: the child list, the forwarding of the element operations, the rectangle, the deep copy,
// the group record and the collection of leaves.
#include "CadGroup.h"

#include "CadText.h"
#include "ElementFactory.h"

namespace {

// The bytes a stored child takes at least: its type code and the smallest record (an empty group's
// count).
constexpr std::size_t kSmallestChildBytes = 6;

bool IsGroupChildType(std::uint16_t typeCode) {
    return typeCode >= kCurveElement && typeCode <= kTextElement;
}

// Counts the nesting of group records being loaded on this thread.
class NestingGuard {
  public:
    NestingGuard() {
        if (++depth_ > CCadGroup::kMaxNestingDepth) {
            --depth_;
            throw platform::ArchiveError("groups nested too deeply");
        }
    }
    ~NestingGuard() { --depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

  private:
    static thread_local int depth_;
};

thread_local int NestingGuard::depth_ = 0;

}  // namespace

CCadGroup::CCadGroup() : CCadGroup(kGroupElement) {}

CCadGroup::CCadGroup(std::uint16_t elementType) : CCadElement(elementType) {
    SetSelect(0);
    orderNumber = 1;
    color = 0xFFFFFF;
}

CCadGroup::~CCadGroup() {
    DeleteChildren();
}

void CCadGroup::DeleteChildren() {
    ForEachChild([](CCadElement& child) { delete &child; });
    children.RemoveAll();
}

void CCadGroup::AppendChild(std::unique_ptr<CCadElement> child) {
    children.AddTail(child.release());
}

bool CCadGroup::MeetsArea(const CCadRect& area, double dx, double dy) const {
    return rect.MovedNormalised(dx, dy).Meets(area);
}

void CCadGroup::Draw(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea,
                     double dx, double dy, std::uint16_t mode) {
    if (mapDC == nullptr || drawDC == nullptr || !MeetsArea(visibleArea, dx, dy)) {
        return;
    }
    ForEachChild([&](CCadElement& child) { child.Draw(mapDC, drawDC, visibleArea, dx, dy, mode); });
}

void CCadGroup::DrawPath(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, SDPoint* lastPoint) {
    ForEachChild([&](CCadElement& child) { child.DrawPath(mapDC, drawDC, lastPoint); });
}

void CCadGroup::DrawFrame(platform::DeviceContext* mapDC, platform::DeviceContext* drawDC, CCadRect visibleArea,
                          int mode) {
    if (mapDC == nullptr || drawDC == nullptr || !MeetsArea(visibleArea, 0.0, 0.0)) {
        return;
    }
    ForEachChild([&](CCadElement& child) { child.DrawFrame(mapDC, drawDC, visibleArea, mode); });
}

int CCadGroup::ExportPlt(std::FILE* file) {
    if (file == nullptr) {
        return 0;
    }
    for (auto* node = children.head->next; node != children.head; node = node->next) {
        if (node->value->ExportPlt(file) == 0) {
            return 0;
        }
    }
    return 1;
}

void CCadGroup::Serialize(platform::Archive& ar) {
    if (ar.IsStoring()) {
        StoreChildren(ar);
        return;
    }
    ReplaceChildren(LoadChildren(ar, IsGroupChildType));
}

void CCadGroup::StoreChildren(platform::Archive& ar) const {
    ar << static_cast<std::int32_t>(children.GetCount());
    for (const auto* node = children.head->next; node != children.head; node = node->next) {
        ar << node->value->typeCode;
        node->value->Serialize(ar);
    }
}

CCadGroup::OwnedElements CCadGroup::LoadChildren(platform::Archive& ar, ChildTypeFilter accepted) {
    const NestingGuard nesting;
    OwnedElements loaded;
    const std::int32_t count = ar.ReadI32();
    if (count < 1) {
        return loaded;
    }
    if (static_cast<std::uint64_t>(count) * kSmallestChildBytes > ar.Remaining()) {
        throw platform::ArchiveError("child count beyond the end of the record");
    }
    for (std::int32_t index = 0; index < count; ++index) {
        const std::uint16_t typeCode = ar.ReadU16();
        std::unique_ptr<CCadElement> child = accepted(typeCode) ? CreateElement(typeCode) : nullptr;
        if (child == nullptr) {
            // Reading on would take the rest of the record for something it is not.
            throw UnknownElementTypeError("unknown element type in a group record");
        }
        child->Serialize(ar);
        loaded.push_back(std::move(child));
    }
    return loaded;
}

void CCadGroup::ReplaceChildren(OwnedElements loaded) {
    DeleteChildren();
    for (std::unique_ptr<CCadElement>& child : loaded) {
        AppendChild(std::move(child));
    }
    SetSelect(0);
    CalRect();
}

int CCadGroup::HitTest(double x, double y, platform::DeviceContext* viewDC) {
    for (auto* node = children.head->next; node != children.head; node = node->next) {
        if (node->value->HitTest(x, y, viewDC) != 0) {
            return 1;
        }
    }
    return 0;
}

int CCadGroup::HitTestPath(double x, double y, platform::DeviceContext* viewDC, std::uint16_t mode) {
    for (auto* node = children.head->next; node != children.head; node = node->next) {
        if (node->value->HitTestPath(x, y, viewDC, mode) != 0) {
            return 1;
        }
    }
    return 0;
}

int CCadGroup::SetSelect(int flag) {
    selected = flag;
    ForEachChild([flag](CCadElement& child) { child.SetSelect(flag); });
    return selected;
}

void CCadGroup::DrawMove(platform::DeviceContext* dc, double dx, double dy) {
    ForEachChild([&](CCadElement& child) { child.DrawMove(dc, dx, dy); });
}

void CCadGroup::TransMove(double dx, double dy) {
    ForEachChild([&](CCadElement& child) { child.TransMove(dx, dy); });
    CalRect();
}

void CCadGroup::DrawDrag(platform::DeviceContext* dc, double sx, double sy, double px, double py) {
    ForEachChild([&](CCadElement& child) { child.DrawDrag(dc, sx, sy, px, py); });
}

void CCadGroup::TransDrag(double sx, double sy, double px, double py) {
    ForEachChild([&](CCadElement& child) { child.TransDrag(sx, sy, px, py); });
    CalRect();
}

void CCadGroup::DrawRotate(platform::DeviceContext* dc, double cx, double cy, double angle) {
    ForEachChild([&](CCadElement& child) { child.DrawRotate(dc, cx, cy, angle); });
}

void CCadGroup::TransRotate(double cx, double cy, double angle) {
    ForEachChild([&](CCadElement& child) { child.TransRotate(cx, cy, angle); });
    CalRect();
}

void CCadGroup::DrawSkew(platform::DeviceContext* dc, double cx, double cy, double angleX, double angleY) {
    ForEachChild([&](CCadElement& child) { child.DrawSkew(dc, cx, cy, angleX, angleY); });
}

void CCadGroup::TransSkew(double cx, double cy, double angleX, double angleY) {
    ForEachChild([&](CCadElement& child) { child.TransSkew(cx, cy, angleX, angleY); });
    CalRect();
}

void CCadGroup::XMirror(double x) {
    ForEachChild([x](CCadElement& child) { child.XMirror(x); });
    CalRect();
}

void CCadGroup::YMirror(double y) {
    ForEachChild([y](CCadElement& child) { child.YMirror(y); });
    CalRect();
}

void CCadGroup::CalRect() {
    if (children.IsEmpty() != 0) {
        return;
    }
    rect = children.head->next->value->rect;
    for (auto* node = children.head->next->next; node != children.head; node = node->next) {
        CCadRect child = node->value->rect;
        child.Normalize();
        rect.x1 = std::min(rect.x1, child.x1);
        rect.y1 = std::min(rect.y1, child.y1);
        rect.x2 = std::max(rect.x2, child.x2);
        rect.y2 = std::max(rect.y2, child.y2);
        rect.Normalize();
    }
}

bool CCadGroup::CopyChildrenFrom(const CCadGroup& source, double dx, double dy) {
    // Collected first, so that copying a group into itself reads only the children it had.
    OwnedElements copies;
    for (const auto* node = source.children.head->next; node != source.children.head; node = node->next) {
        std::unique_ptr<CCadElement> copy = CreateElement(node->value->typeCode);
        if (copy == nullptr || copy->CopyFrom(node->value, dx, dy) == 0) {
            DeleteChildren();
            return false;
        }
        copies.push_back(std::move(copy));
    }
    for (std::unique_ptr<CCadElement>& copy : copies) {
        AppendChild(std::move(copy));
    }
    return true;
}

int CCadGroup::CopyFrom(const CCadElement* source, double dx, double dy) {
    if (source == nullptr || source->typeCode != kGroupElement) {
        return 0;
    }
    const auto* group = dynamic_cast<const CCadGroup*>(source);
    if (group == nullptr || !CopyChildrenFrom(*group, dx, dy)) {
        return 0;
    }
    CalRect();
    return 1;
}

void CCadGroup::FindStartPoint(SDPoint* position) {
    ForEachChild([position](CCadElement& child) { child.FindStartPoint(position); });
}

int CCadGroup::StartPointOptim(CFileLine* approach) {
    ForEachChild([approach](CCadElement& child) { child.StartPointOptim(approach); });
    return 0;
}

void CCadGroup::CalcCutInOut() {
    ForEachChild([](CCadElement& child) { child.CalcCutInOut(); });
}

int CCadGroup::Backlash(SDPoint* position, int* started) {
    ForEachChild([&](CCadElement& child) { child.Backlash(position, started); });
    return 0;
}

void CCadGroup::CollectLeaves(CDbList<CCadElement*>& leaves) {
    ForEachChild([&leaves](CCadElement& child) {
        if (child.typeCode == kCurveElement) {
            leaves.AddTail(&child);
        } else if (auto* text = dynamic_cast<CCadText*>(&child); text != nullptr) {
            text->CollectCurves(leaves);
        } else if (auto* group = dynamic_cast<CCadGroup*>(&child); group != nullptr) {
            group->CollectLeaves(leaves);
        }
    });
}

void CCadGroup::CollectLeavesTo(CDbList<CCadElement*>& leaves) {
    ForEachChild([&leaves](CCadElement& child) {
        auto* nested = dynamic_cast<CCadGroup*>(&child);
        if (nested != nullptr && (child.typeCode == kGroupElement || child.typeCode == kTextElement)) {
            nested->CollectLeavesTo(leaves);
            delete nested;
        } else {
            leaves.AddTail(&child);
        }
    });
    children.RemoveAll();
}
