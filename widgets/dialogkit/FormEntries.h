// What the window holds for each bound control, as the form reads it: an edit's number (or none), a
// box's 0 or 1, a list's chosen index. Filled by the binder from the controls, or by a test directly.
#pragma once

#include <map>
#include <optional>
#include <string_view>

namespace dialogkit {

class FormEntries {
  public:
    // An edit's text, read by the binder's text rules.
    void EnterText(int controlId, std::string_view text);
    // A box's state or a list's index.
    void EnterNumber(int controlId, double number);

    bool Has(int controlId) const { return numbers_.contains(controlId); }
    // The number entered for the control; nothing when its text held none (or nothing was entered).
    std::optional<double> Number(int controlId) const;

  private:
    std::map<int, std::optional<double>> numbers_;
};

}  // namespace dialogkit
