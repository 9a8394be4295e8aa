// The import staging list: the elements an import made, waiting to be cleaned by the import worker and
// added to the drawing. The list owns them until they leave it.
#pragma once

#include "CadElement.h"
#include "DbList.h"

class CImportStaging {
  public:
    CDbList<CCadElement*> elements;

    CImportStaging() = default;
    CImportStaging(const CImportStaging&) = delete;
    CImportStaging& operator=(const CImportStaging&) = delete;
    ~CImportStaging() { Clear(); }

    // Deletes every element still waiting.
    void Clear();
};
