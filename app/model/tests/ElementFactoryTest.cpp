// CreateElement: every stored type code gives an empty element of its class; other codes give none.
#include "ElementFactory.h"

#include <gtest/gtest.h>

#include <typeinfo>

#include "CadArray.h"
#include "CadBitmap.h"
#include "CadCurve.h"
#include "CadPoint.h"
#include "CadText.h"

namespace {

TEST(ElementFactory, MakesAnEmptyElementOfEachStoredTypeAndNothingElse) {
    struct Case {
        std::uint16_t typeCode;
        const std::type_info* type;
    };
    for (const Case& c : {Case{1, &typeid(CCadCurve)}, Case{2, &typeid(CCadBitmap)}, Case{3, &typeid(CCadPoint)},
                          Case{4, &typeid(CCadGroup)}, Case{5, &typeid(CCadText)}, Case{6, &typeid(CCadArray)}}) {
        const std::unique_ptr<CCadElement> element = CreateElement(c.typeCode);
        ASSERT_NE(element, nullptr) << c.typeCode;
        EXPECT_EQ(typeid(*element), *c.type) << c.typeCode;
        EXPECT_EQ(element->typeCode, c.typeCode);
        EXPECT_EQ(element->GetSelect(), 0);
    }
    for (std::uint16_t unknown : {0, 7, 100, 0xFFFF}) {
        EXPECT_EQ(CreateElement(unknown), nullptr) << unknown;
    }
}

}  // namespace
