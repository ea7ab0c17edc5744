#include "SnapChoices.h"
#include "ctlkit/lang/CLanguage.h"
#include "ctlkit/lang/StringTable.h"
#include "tools/CLineReg.h"
#include "tools/CSDChannel.h"
#include "tools/CSEChannel.h"
#include "tools/SnapField.h"

bool FollowsCurves(int typeCode) {
    return typeCode == CSDChannel::kTypeCode || typeCode == CSEChannel::kTypeCode ||
           typeCode == CLineReg::kTypeCode;
}

std::vector<SSnapChoice> SnapChoices(int typeCode, const std::vector<std::string>& curveNames) {
    constexpr unsigned kFirstPriceText = 47;
    const char* codes[] = {SnapField::kOpen, SnapField::kHigh, SnapField::kLow, SnapField::kClose};
    const char* neutral[] = {"Open", "High", "Low", "Close"};
    std::vector<SSnapChoice> choices;
    for (unsigned i = 0; i < 4; ++i) {
        std::string text = neutral[i];
        if (const auto translated = CLanguage::TranslateString(kFirstPriceText + i))
            text = *translated;
        else if (const char* builtIn = BuiltInString(kFirstPriceText + i))
            text = builtIn;
        choices.push_back({codes[i], text});
    }
    if (FollowsCurves(typeCode)) {
        for (const std::string& name : curveNames) {
            bool listed = false;
            for (const SSnapChoice& choice : choices) listed = listed || choice.code == name;
            if (!listed && !name.empty()) choices.push_back({name, name});
        }
    }
    return choices;
}
