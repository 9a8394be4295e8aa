// CCadMgr: the drawing (layers, then elements), the undo form (elements alone) and a document's body. A
// load reads everything once, into objects of its own, and changes the drawing only once the whole form
// was read.
#include <memory>
#include <vector>

#include "CadMgr.h"
#include "ElementFactory.h"

namespace {

constexpr std::uint32_t kLayerMarker = 0xAABBCCDD;
constexpr std::size_t kSmallestElementBytes = 2;  // its type code, before any record

std::unique_ptr<CCadLayer> CreateLayer(std::uint16_t layerKind) {
    if (layerKind == CCadLayer::kVectorLayer) {
        return std::make_unique<CCadVectorLayer>();
    }
    if (layerKind == CCadLayer::kBitmapLayer) {
        return std::make_unique<CCadBitmapLayer>();
    }
    return nullptr;
}

}  // namespace

struct CCadMgr::LoadedDrawing {
    bool hasLayers = false;
    std::vector<std::unique_ptr<CCadLayer>> layers;
    std::vector<std::unique_ptr<CCadElement>> elements;
};

int CCadMgr::SerializeDrawing(platform::Archive& ar) {
    if (ar.IsLoading()) {
        return LoadDrawing(ar, true);
    }
    ar << kLayerMarker;
    ar << static_cast<std::uint32_t>(layerList.GetCount());
    for (auto* node = layerList.head->next; node != layerList.head; node = node->next) {
        ar << node->value->commonParams.COM_Type;
        node->value->Serialize(ar);
    }
    StoreElements(ar);
    return 1;
}

int CCadMgr::SerializeUndo(platform::Archive& ar) {
    if (ar.IsLoading()) {
        return LoadDrawing(ar, false);
    }
    StoreElements(ar);
    return 1;
}

void CCadMgr::StoreElements(platform::Archive& ar) {
    ar << static_cast<std::uint32_t>(elementList.GetCount());
    for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
        ar << node->value->typeCode;
        node->value->Serialize(ar);
    }
}

int CCadMgr::ReplaceElementsFromUndo(platform::Archive& ar) {
    LoadedDrawing loaded;
    if (!ReadDrawing(ar, false, loaded)) {
        return 0;
    }
    DeleteAll();
    CommitLoadedDrawing(loaded);
    PostToOwner(kElementsLoadedMessage);
    return 1;
}

CCadMgr::BodyLoad CCadMgr::LoadDocumentBody(platform::Archive& ar) {
    LoadedDrawing loaded;
    bool drawingRefused = false;
    try {
        const int taken = LoadSettingsBlock(ar, BlockEnd::MayContinue, [&] {
            drawingRefused = !ReadDrawing(ar, true, loaded);
            return !drawingRefused;
        });
        if (taken != 1) {
            return drawingRefused ? BodyLoad::kDrawingRefused : BodyLoad::kSettingsRefused;
        }
    } catch (const platform::ArchiveError&) {
        return BodyLoad::kSettingsRefused;  // the drawing's own read never throws
    }
    CommitLoadedDrawing(loaded);
    PostToOwner(kElementsLoadedMessage);
    return BodyLoad::kLoaded;
}

int CCadMgr::LoadDrawing(platform::Archive& ar, bool withLayers) {
    LoadedDrawing loaded;
    if (!ReadDrawing(ar, withLayers, loaded)) {
        return 0;
    }
    CommitLoadedDrawing(loaded);
    PostToOwner(kElementsLoadedMessage);
    return 1;
}

bool CCadMgr::ReadDrawing(platform::Archive& ar, bool withLayers, LoadedDrawing& loaded) {
    try {
        std::uint32_t elementCount = ar.ReadU32();
        if (withLayers && elementCount == kLayerMarker) {
            loaded.hasLayers = true;
            const std::uint32_t layerCount = ar.ReadU32();
            for (std::uint32_t index = 0; index < layerCount; ++index) {
                std::unique_ptr<CCadLayer> layer = CreateLayer(ar.ReadU16());
                if (layer == nullptr) {
                    return false;  // the rest would be read as something it is not
                }
                layer->Serialize(ar);
                loaded.layers.push_back(std::move(layer));
            }
            elementCount = ar.ReadU32();
        }
        if (static_cast<std::uint64_t>(elementCount) * kSmallestElementBytes > ar.Remaining()) {
            return false;
        }
        for (std::uint32_t index = 0; index < elementCount; ++index) {
            std::unique_ptr<CCadElement> element = CreateElement(ar.ReadU16());
            if (element == nullptr) {
                throw UnknownElementTypeError("unknown element type in a drawing");
            }
            element->Serialize(ar);
            loaded.elements.push_back(std::move(element));
        }
    } catch (const UnknownElementTypeError&) {
        ShowCadMgrMessage("1");
        return false;
    } catch (const platform::ArchiveError&) {
        return false;
    }
    return true;
}

// The loaded layers replace the layer list; elements already in the drawing are attached again, to
// the loaded layers where their colours meet.
void CCadMgr::CommitLoadedDrawing(LoadedDrawing& loaded) {
    if (loaded.hasLayers) {
        DeleteAllLayers();
        for (std::unique_ptr<CCadLayer>& layer : loaded.layers) {
            AppendLayer(layer.release());
        }
        for (auto* node = elementList.head->next; node != elementList.head; node = node->next) {
            AttachTree(node->value);
        }
    }
    ReserveElements(loaded.elements.size());
    for (std::unique_ptr<CCadElement>& element : loaded.elements) {
        AddElement(element.release());
    }
}
