// CreateElement: the type code of a record or a copied element to an empty element of its class.
#include "ElementFactory.h"

#include "CadArray.h"
#include "CadBitmap.h"
#include "CadCurve.h"
#include "CadGroup.h"
#include "CadPoint.h"
#include "CadText.h"

std::unique_ptr<CCadElement> CreateElement(std::uint16_t typeCode) {
    switch (typeCode) {
        case kCurveElement:
            return std::make_unique<CCadCurve>();
        case kBitmapElement:
            return std::make_unique<CCadBitmap>();
        case kPointElement:
            return std::make_unique<CCadPoint>();
        case kGroupElement:
            return std::make_unique<CCadGroup>();
        case kTextElement:
            return std::make_unique<CCadText>();
        case kArrayElement:
            return std::make_unique<CCadArray>();
        default:
            return nullptr;
    }
}
