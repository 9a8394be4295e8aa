// CElement: the do-nothing defaults of the curve family's virtual operations.
#include "Element.h"

void CElement::Serialize(platform::Archive& /*ar*/) {}

void CElement::DrawMove(platform::DeviceContext* /*dc*/, double /*dx*/, double /*dy*/) {}

void CElement::DrawRotate(platform::DeviceContext* /*dc*/, double /*cx*/, double /*cy*/, double /*angle*/) {}

void CElement::DrawDrag(platform::DeviceContext* /*dc*/, double /*sx*/, double /*sy*/, double /*cx*/,
                        double /*cy*/) {}

void CElement::Draw(platform::DeviceContext* /*mapDC*/, platform::DeviceContext* /*drawDC*/,
                    std::uint32_t /*colour*/) {}

CRectEx CElement::CalRect() {
    return rect;
}

void CElement::TransMove(double /*dx*/, double /*dy*/) {}

void CElement::TransDrag(double /*sx*/, double /*sy*/, double /*cx*/, double /*cy*/) {}

void CElement::TransRotate(double /*cx*/, double /*cy*/, double /*angle*/) {}

void CElement::XMirror(double /*x0*/) {}

void CElement::YMirror(double /*y0*/) {}

int CElement::Select(platform::DeviceContext* /*dc*/, SDPoint /*p*/, unsigned int /*pixels*/) {
    return 0;
}

int CElement::HitTest(SDPoint /*p*/, double /*tol*/, long& /*index*/, double& /*t*/) {
    return 0;
}

int CElement::DbSelect(SDPoint /*p*/, platform::DeviceContext* /*dc*/, unsigned short /*mode*/) {
    return 0;
}

std::unique_ptr<CElement> CElement::Clone() const {
    return nullptr;
}
