// What every dialog that edits the drawing shares: its form is applied as one change the user can undo.
// The drawing manager is told of the change once, after it is complete; the main window turns that
// notice (kDrawingModifiedMessage) into one undo snapshot, so a form that makes many small edits still
// leaves one step.
#pragma once

#include <functional>

class CCadMgr;

namespace dialogs {

// Runs the change on the drawing, then tells the drawing manager once.
void ApplyToDrawing(CCadMgr& manager, const std::function<void(CCadMgr&)>& change);

// The applier a record dialog is given: the form's Apply(CCadMgr&) as one change of the drawing.
template <typename Form>
std::function<void(Form&)> DrawingApplier(CCadMgr& manager) {
    return [&manager](Form& form) {
        ApplyToDrawing(manager, [&form](CCadMgr& drawing) { form.Apply(drawing); });
    };
}

}  // namespace dialogs
