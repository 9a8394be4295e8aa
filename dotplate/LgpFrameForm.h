// LgpFrameForm: the frame dialog's form over a copy of the frame settings. The powers only matter for a
// run with the laser on, so they are greyed out for the other.
#pragma once

#include <optional>

#include "FormProblem.h"
#include "LgpDesigner.h"

namespace dotplate {

class LgpFrameForm {
  public:
    using Record = LgpFrameSettings;

    // The power edits and their labels.
    static constexpr int kPowerControls[] = {1075, 1076, 1079, 1080};

    explicit LgpFrameForm(bool cut) : cut_(cut) {}

    void Load(const LgpFrameSettings& original) { copy_ = original; }
    LgpFrameSettings& Edited() { return copy_; }
    const LgpFrameSettings& Edited() const { return copy_; }
    dialogkit::FormEnabling Enabled() const;
    // Beyond each field holding a number, a frame run has no rule of its own.
    std::optional<dialogkit::FormProblem> Check() const { return std::nullopt; }
    void Apply(LgpFrameSettings& settings) const { settings = copy_; }

  private:
    bool cut_;
    LgpFrameSettings copy_;
};

}  // namespace dotplate
