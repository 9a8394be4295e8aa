// The document name dialog without its window: the name under which a job is stored in the controller,
// accepted only when it is a valid document name.
#pragma once

#include <string>
#include <string_view>

#include "MessageSink.h"

class CNameDocDlg {
  public:
    static constexpr int kNameEdit = 1000;
    static constexpr int kHintStatic = 1170;
    static constexpr int kNameLabel = 1001;

    // The name the caller presets ("DEFAULT"); after OK, the accepted name in the case typed. Callers
    // turn it into capitals before they use it.
    std::string name;

    // Takes the typed text as the name and says whether the dialog may close with OK: only when the
    // name is accepted. A refused name has been explained in one message box, and the typed text stays.
    bool OnOK(std::string_view typed, platform::MessageSink& messages);
};
