#include "LgpFrameForm.h"

namespace dotplate {

dialogkit::FormEnabling LgpFrameForm::Enabled() const {
    dialogkit::FormEnabling enabling;
    for (int id : kPowerControls) {
        enabling.push_back({id, cut_});
    }
    return enabling;
}

}  // namespace dotplate
