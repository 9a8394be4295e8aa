// CTextParam: the stored form of the text parameters.
#include "TextParam.h"

void CTextParam::Serialize(platform::Archive& ar) {
    CTextParam record = *this;
    ar.Exchange(record.text);
    ar.Exchange(record.height);
    ar.Exchange(record.widthPercent);
    ar.Exchange(record.charSpace);
    ar.Exchange(record.lineSpace);
    ar.Exchange(record.angle);
    ar.Exchange(record.fontKind);
    ar.Exchange(record.trueTypeFont);
    ar.Exchange(record.shxFont);
    ar.Exchange(record.auxWord1);
    ar.Exchange(record.varTextOn);
    ar.Exchange(record.varKind);
    ar.Exchange(record.dateFormat);
    ar.Exchange(record.dateOffsetUnit);
    ar.Exchange(record.dateOffset);
    ar.Exchange(record.snStart);
    ar.Exchange(record.snCurrent);
    ar.Exchange(record.snIncrement);
    ar.Exchange(record.snPrefix);
    ar.Exchange(record.snSuffix);
    ar.Exchange(record.snResetOn);
    ar.Exchange(record.snResetValue);
    ar.Exchange(record.snKeepZeros);
    ar.Exchange(record.snArrayOn);
    ar.Exchange(record.snArrayCount1);
    ar.Exchange(record.snArrayCount2);
    ar.Exchange(record.snArraySpacing1);
    ar.Exchange(record.snArraySpacing2);
    ar.Exchange(record.auxWord2);
    ar.Exchange(record.auxWord3);
    ar.Exchange(record.skipRulesOn);
    for (std::string& rule : record.skipRules) {
        ar.Exchange(rule);
    }
    *this = record;
}
