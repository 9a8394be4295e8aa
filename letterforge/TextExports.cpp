// The exported functions of the text engine.
#include <cmath>
#include <exception>

#include "DateText.h"
#include "Letterforge.h"
#include "EngineSettings.h"
#include "SerialNumber.h"
#include "ShxTextPath.h"
#include "TrueTypeText.h"

namespace {

// A height that rounds to 0 or below, or any value that is not finite, would put NaN or infinite
// coordinates into the curves.
bool UsableMeasures(double height, double charSpace, double lineSpace, double widthRatio) {
    const double roundedHeight = std::floor(height * 1000.0 + 0.5) * 0.001;
    return std::isfinite(height) && std::isfinite(charSpace) && std::isfinite(lineSpace) &&
           std::isfinite(widthRatio) && roundedHeight > 0.0;
}

}  // namespace

short _text_create(platform::DeviceContext*, const std::string& text, short useShx, const std::string& fontName,
                   double height, double charSpace, double lineSpace, double widthRatio, CDbList<CFileCurve*>* out) {
    if (out == nullptr || text.empty() || !UsableMeasures(height, charSpace, lineSpace, widthRatio)) {
        return 0;
    }
    if (widthRatio <= 0.0) {
        widthRatio = 1.0;
    }
    letterforge::CurveList curves;
    try {
        if (useShx == 0) {
            letterforge::TextCreateTrueType(text, height, charSpace, lineSpace, widthRatio, fontName, 0.0, 0.0, curves);
        } else {
            letterforge::TextCreateShx(curves, text, height, charSpace, lineSpace, widthRatio, fontName, 0.0, 0.0);
        }
    } catch (const std::exception&) {
        return 0;  // out of memory: nothing appended
    }
    letterforge::HandOver(curves, *out);
    return 0;
}

short _text_getdate(CTextParam* params) {
    if (params == nullptr) {
        return 0;
    }
    try {
        const letterforge::LocalTime shifted =
            letterforge::ShiftDate(letterforge::CurrentLocalTime(), params->dateOffsetUnit, params->dateOffset);
        params->text = letterforge::FormatDateText(shifted, params->dateFormat, shifted.hour < 12 ? "a" : "p");
    } catch (const std::exception&) {
        return 0;  // out of memory: the text stays as it was
    }
    return 0;
}

short _text_getsn(CTextParam* params, short advance) {
    if (params == nullptr) {
        return 0;
    }
    try {
        CTextParam advanced = *params;
        letterforge::AdvanceSerial(advanced, advance != 0);
        advanced.text = letterforge::SerialText(advanced);
        *params = std::move(advanced);
    } catch (const std::exception&) {
        return 0;  // out of memory: the parameters stay as they were
    }
    return 0;
}
