// The text dialog as the program calls it.
#include "TextEdit.h"

#include <QApplication>

#include "TextDlg.h"

namespace letterforge {

CTextParam EditTextParam;
short DialogLanguage = 0;

}  // namespace letterforge

short _text_edit(CTextParam* params, int language) {
    if (params == nullptr) {
        return 1;
    }
    letterforge::DialogLanguage = static_cast<short>(language);
    letterforge::EditTextParam = *params;
    letterforge::CTextDlg dialog(QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) {
        return 1;
    }
    *params = letterforge::EditTextParam;
    return 0;
}
