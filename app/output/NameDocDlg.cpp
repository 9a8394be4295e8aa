#include "NameDocDlg.h"

#include "DocName.h"

bool CNameDocDlg::OnOK(std::string_view typed, platform::MessageSink& messages) {
    name = typed;
    return CheckDocName(name, messages) == 1;
}
