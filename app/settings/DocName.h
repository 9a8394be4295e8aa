// Validation of the name under which a job file is stored in the controller's document store.
#pragma once

#include "MessageSink.h"

#include <string_view>

// 1 when the name is accepted: 1 to 8 bytes in the controller's GBK text (so up to four Chinese
// characters), none of them / \ " : * ? < > | tab or space. Otherwise 0, after one message box saying
// why (Chinese for LanguageIndex 0, English for every other index). A character that GBK cannot
// represent, or text that is not UTF-8, is refused like a forbidden character. The name is not changed.
int CheckDocName(std::string_view name, platform::MessageSink& messages);

constexpr std::size_t kMaxDocNameBytes = 8;
