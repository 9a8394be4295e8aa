#include "ImportStaging.h"

void CImportStaging::Clear() {
    for (auto* node = elements.head->next; node != elements.head; node = node->next) {
        delete node->value;
    }
    elements.RemoveAll();
}
