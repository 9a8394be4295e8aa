// DataCheckSettings: the stored form of the data-check options.
#include "DataCheckSettings.h"

void DataCheckSettings::Serialize(platform::Archive& ar) {
    DataCheckSettings record = *this;
    ar.Exchange(record.checkClose);
    ar.Exchange(record.autoClose);
    ar.Exchange(record.closeError);
    ar.Exchange(record.checkOverlap);
    ar.Exchange(record.overlapErrorOn);
    ar.Exchange(record.overlapError);
    ar.Exchange(record.autoDeleteOverlap);
    ar.Exchange(record.checkSelfCross);
    ar.Exchange(record.autoOpenSelfCross);
    ar.Exchange(record.checkCross);
    ar.Exchange(record.autoCombineClosed);
    *this = record;
}
