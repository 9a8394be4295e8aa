// The text engine's text dialog as one call: the program hands it a text's parameters and the language
// of its captions, and gets the edited parameters back when the operator confirms.
#pragma once

#include "TextParam.h"

// Shows the text dialog modally over the active window on a copy of *params. 0 when the operator
// confirmed (the record now holds the edited values), 1 when cancelled or params is null (the record
// is unchanged). language 0 gives Chinese captions, any other value English ones.
short _text_edit(CTextParam* params, int language);

namespace letterforge {

// The working record of the text dialogs: every call of _text_edit starts it from the caller's record,
// the dialogs edit it, and OK hands it back.
extern CTextParam EditTextParam;
// The caption language of the last _text_edit.
extern short DialogLanguage;

}  // namespace letterforge
