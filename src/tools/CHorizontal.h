#pragma once
#include "CLine.h"

// A horizontal line (type 19) across the pane at one value. Indicator builders add these as
// reference lines, marked so that replacing the indicator removes them again.
class CHorizontal : public CLine {
public:
    static constexpr int kTypeCode = 19;

    CHorizontal();
    explicit CHorizontal(float value);
    ~CHorizontal() override;

    // Both anchors lie at this value.
    float Value() const { return y1; }
    void SetValue(float value);
};
