// CCadLayer: the base of the two layer kinds. A layer is the set of process parameters of one drawing
// colour together with the elements drawn in that colour. Every parameter is held twice: the committed
// copy, which files store and job output reads, and the edit copy, which the layer dialogs change while
// they are open; BeginEdit and CommitEdit move the parameters between the two.
//
// Field names are the keys of the parameter library file. Booleans are 32-bit, 0 or non-zero.
#pragma once

#include <cstdint>

#include "Archive.h"
#include "DbList.h"
#include "FieldInfo.h"
#include "LayerOutputRecord.h"

class CCadElement;

// The parameter block that both layer kinds share. Units: speeds mm/s, powers percent, lengths mm.
struct LayerCommonParams {
    static constexpr std::size_t kStoredBytes = 118;

    std::uint16_t COM_Type = 0;          // 0 vector layer, 1 bitmap layer
    std::uint32_t COM_Color = 0xFFFFFF;  // 0x00BBGGRR; the key that matches layers, table slots and elements
    std::uint16_t COM_OutputNo = 1;      // set by job output before every job; never stored or copied
    std::int32_t COM_Output = 1;
    double COM_Speed = 100.0;
    double COM_Pmin1 = 30.0;
    double COM_Pmax1 = 30.0;
    double COM_Pmin2 = 30.0;
    double COM_Pmax2 = 30.0;
    std::int32_t COM_Blow = 1;
    std::int32_t COM_SpeedDefault = 0;  // job output sends speed 0 instead of COM_Speed
    std::int32_t COM_PowerDefault = 0;  // job output sends 0 for all four powers
    std::int32_t COM_EnZ = 0;
    std::int32_t COM_EnZDown = 0;
    std::int32_t COM_EnZUp = 0;
    double COM_ZDownPos = 0.0;
    double COM_ZUpPos = 0.0;
    double COM_ZSpeed = 100.0;
    double COM_DotInterval = 0.0;  // laser time at a point element, seconds
    std::int32_t COM_EnLaser1 = 1;
    std::int32_t COM_EnLaser2 = 1;
    std::int32_t COM_EnExIO = 0;

    friend bool operator==(const LayerCommonParams&, const LayerCommonParams&) = default;
};

// Ranges of the layer parameters, as the layer dialogs bound them; the stored records are read as they are.
namespace layer_range {
using namespace field_range;
constexpr ParaRange kSealMm{0, 5, false};
constexpr ParaRange kDelayMs{0, 30000, false};
constexpr ParaRange kRampMm{0, 10, false};
constexpr ParaRange kScanIntervalMm{0.001, kUnbounded, false};
constexpr ParaRange kDotTimeS{0, 4000, false};
constexpr ParaRange kDotIntervalS{0, 1000, false};
constexpr ParaRange kKerfWidthMm{0.01, 0.5, false};
}  // namespace layer_range

// The common block's table, in stored order; COM_OutputNo is job output's numbering, never stored or
// edited, and has no row.
template <RecordOf<LayerCommonParams> Params, typename Visit>
void VisitFields(Params& p, Visit&& visit) {
    using namespace layer_range;
    visit(FieldInfo{"COM_Type", "", kSwitch}, p.COM_Type);
    visit(FieldInfo{"COM_Color", "", kColour, 0, 1188}, p.COM_Color);
    visit(FieldInfo{"COM_Output", "", kSwitch, 0, 1174}, p.COM_Output);
    visit(FieldInfo{"COM_Speed", "mm/s", kAmount, 3, 1176}, p.COM_Speed);
    visit(FieldInfo{"COM_Pmin1", "%", kPercent, 1, 1178}, p.COM_Pmin1);
    visit(FieldInfo{"COM_Pmax1", "%", kPercent, 1, 1180}, p.COM_Pmax1);
    visit(FieldInfo{"COM_Pmin2", "%", kPercent, 1, 1189}, p.COM_Pmin2);
    visit(FieldInfo{"COM_Pmax2", "%", kPercent, 1, 1190}, p.COM_Pmax2);
    visit(FieldInfo{"COM_Blow", "", kSwitch, 0, 1182}, p.COM_Blow);
    visit(FieldInfo{"COM_EnZ", "", kSwitch, 0, 1005}, p.COM_EnZ);
    visit(FieldInfo{"COM_EnZDown", "", kSwitch, 0, 1000}, p.COM_EnZDown);
    visit(FieldInfo{"COM_EnZUp", "", kSwitch, 0, 1001}, p.COM_EnZUp);
    visit(FieldInfo{"COM_ZDownPos", "mm", kSigned, 3, 1006}, p.COM_ZDownPos);
    visit(FieldInfo{"COM_ZUpPos", "mm", kSigned, 3, 1007}, p.COM_ZUpPos);
    visit(FieldInfo{"COM_ZSpeed", "mm/s", kAmount, 3, 1002}, p.COM_ZSpeed);
    visit(FieldInfo{"COM_DotInterval", "s", kDotIntervalS, 3, 1023}, p.COM_DotInterval);
    visit(FieldInfo{"COM_EnLaser1", "", kSwitch, 0, 1024}, p.COM_EnLaser1);
    visit(FieldInfo{"COM_EnLaser2", "", kSwitch, 0, 1025}, p.COM_EnLaser2);
    visit(FieldInfo{"COM_SpeedDefault", "", kSwitch, 0, 1065}, p.COM_SpeedDefault);
    visit(FieldInfo{"COM_PowerDefault", "", kSwitch, 0, 1066}, p.COM_PowerDefault);
    visit(FieldInfo{"COM_EnExIO", "", kSwitch}, p.COM_EnExIO);
}

// The two layouts of the layer records: the older one is only read, the current one always written.
enum class LayerLayout { Older, Current };

class CCadLayer {
  public:
    static constexpr std::uint16_t kVectorLayer = 0;
    static constexpr std::uint16_t kBitmapLayer = 1;

    LayerCommonParams commonParams;      // committed
    CDbList<CCadElement*> elements;      // the elements on this layer in attaching order; not owned
    LayerCommonParams editCommonParams;  // edit copy

    CCadLayer(const CCadLayer&) = delete;
    CCadLayer& operator=(const CCadLayer&) = delete;
    // Virtual, so that a layer deleted through a base pointer is always destroyed as its own class.
    // Frees the element list's nodes, never the elements.
    virtual ~CCadLayer() = default;

    // Stores the current layout; loads the current layout when FileFormatFlag is 1, else the older one.
    // Loading throws ArchiveError and leaves the layer unchanged when the record is short or its stored
    // COM_Type is not the one of this class: the class, chosen by whoever created the layer, decides.
    virtual void Serialize(platform::Archive& ar);
    virtual void SerializeOld(platform::Archive& ar);
    virtual void SerializeCurrent(platform::Archive& ar);
    // The committed parameters back to their defaults.
    virtual void SetDefaults();
    // Committed copy into the edit copy, and back; every field, COM_OutputNo included, but the committed
    // COM_Type always stays this class's kind.
    virtual void BeginEdit();
    virtual void CommitEdit();

    // Removes the first node that holds the element; the list cursor moves to the node after it. An
    // element that is not on the layer, or none, changes nothing.
    void RemoveElement(const CCadElement* element);

  protected:
    // A layer of the given kind, with an empty element list and the common defaults.
    explicit CCadLayer(std::uint16_t layerKind);

    // Stores the whole record (common block, then the kind's block in the layout), or loads it; a load
    // changes the layer only once the whole record has been read.
    template <typename KindParams>
    void ExchangeRecord(platform::Archive& ar, KindParams& kindParams, LayerLayout layout,
                        void (*exchangeKindBlock)(platform::Archive&, KindParams&, LayerLayout)) {
        LayerCommonParams common = commonParams;
        KindParams params = kindParams;
        ExchangeCommonBlock(ar, common);
        exchangeKindBlock(ar, params, layout);
        commonParams = common;
        kindParams = params;
    }
    // Stores the common block, or loads it into `params` (COM_OutputNo is not in the record). Loading
    // refuses a stored COM_Type other than this class's kind.
    void ExchangeCommonBlock(platform::Archive& ar, LayerCommonParams& params) const;
    // Copies every committed common parameter but COM_OutputNo.
    void CopyCommonParams(const LayerCommonParams& source);
    // The common part of the output record, from the committed parameters.
    void FillCommonOutput(LayerOutputRecord::Common& common) const;

  private:
    const std::uint16_t layerKind_;
};
