// A drawing manager of its own for each test, with English texts and a recording owner window, and
// helpers that add coloured elements and read back the layer list.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CadArray.h"
#include "CadMgr.h"
#include "ElementBuilders.h"
#include "LanguageTexts.h"
#include "RecordingOwnerWindow.h"
#include "SettingsGlobals.h"

struct LayerSummary {
    std::uint16_t type;
    std::uint32_t color;
    int elements;
    bool operator==(const LayerSummary&) const = default;
};

inline void PrintTo(const LayerSummary& layer, std::ostream* out) {
    *out << "{type " << layer.type << ", colour 0x" << std::hex << layer.color << std::dec << ", "
         << layer.elements << " elements}";
}

class CadMgrFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        LanguageIndex = kLanguageEnglish;
        WriteDefaultTexts();
        manager->SetOwnerHwnd(&owner);
    }

    // 512 layers: too large for the stack.
    std::unique_ptr<CCadMgr> manager = std::make_unique<CCadMgr>();
    platform::RecordingOwnerWindow owner;

    template <typename Element>
    Element* Add(std::unique_ptr<Element> element, std::uint32_t color = 0) {
        element->color = color;
        Element* added = element.get();
        EXPECT_EQ(manager->AddElement(element.release()), 1);
        return added;
    }
    CCadCurve* AddSquare(double x, double y, double size, std::uint32_t color = 0) {
        return Add(MakeSquare({x, y}, size), color);
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (auto* node = manager->elementList.head->next; node != manager->elementList.head; node = node->next) {
            names.push_back(node->value->name);
        }
        return names;
    }
    std::vector<CCadElement*> Elements() const { return Collect(manager->elementList); }
    std::vector<CCadElement*> Selected() const { return Collect(manager->selectionList); }
    // Type and colour of every layer with the number of its elements, in list order.
    std::vector<LayerSummary> Layers() const {
        std::vector<LayerSummary> layers;
        for (auto* node = manager->layerList.head->next; node != manager->layerList.head; node = node->next) {
            layers.push_back({node->value->commonParams.COM_Type, node->value->commonParams.COM_Color,
                              node->value->elements.GetCount()});
        }
        return layers;
    }
    std::vector<std::uint32_t> PostedMessages() const {
        std::vector<std::uint32_t> messages;
        for (const platform::PostedMessage& posted : owner.Posted()) {
            messages.push_back(posted.message);
        }
        return messages;
    }

    static std::vector<CCadElement*> Collect(const CDbList<CCadElement*>& list) {
        std::vector<CCadElement*> values;
        for (auto* node = list.head->next; node != list.head; node = node->next) {
            values.push_back(node->value);
        }
        return values;
    }
};

