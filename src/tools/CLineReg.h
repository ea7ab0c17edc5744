#pragma once
#include "CLine.h"

// A linear regression line (type 20) fitted to the prices or the curve `snapField` names.
// Record: the line record, intercept and slope (floats); no block.
class CLineReg : public CLine {
public:
    static constexpr int kTypeCode = 20;

    CLineReg();
    ~CLineReg() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;

    float intercept = 0;
    float slope = 0;
};
