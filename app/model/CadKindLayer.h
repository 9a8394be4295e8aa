// CCadKindLayer: what both layer kinds do alike over their own parameter block: the edit copy, and
// copying the parameters from another layer of the kind or from the manager's table of the kind.
#pragma once

#include "CadLayer.h"

// `Layer` is the layer kind deriving from this class (CCadVectorLayer or CCadBitmapLayer); which of its
// members hold the committed and edit parameters, and which manager table holds its kind, is written down
// once in CadKindLayer.cpp, where the two kinds are instantiated.
template <typename Layer>
class CCadKindLayer : public CCadLayer {
  public:
    void BeginEdit() override;
    void CommitEdit() override;

    // Every committed parameter of the source but COM_OutputNo; nothing for none.
    void CopyParams(const Layer* source);
    // The same from slot `index` of the manager's table of this kind; an index outside 0..255 reads slot 0.
    void LoadFromTable(int index);

  protected:
    using CCadLayer::CCadLayer;
};

class CCadVectorLayer;
class CCadBitmapLayer;
extern template class CCadKindLayer<CCadVectorLayer>;
extern template class CCadKindLayer<CCadBitmapLayer>;
