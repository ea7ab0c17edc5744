#pragma once
#include "CLine.h"

// A linear regression line (type 20) fitted to the prices or the curve `snapField` names.
// Record: the line record, intercept and slope (floats); no block.
class CLineReg : public CLine {
public:
    static constexpr int kTypeCode = 20;

    CLineReg();
    // Fits slope and intercept by least squares to the source over the bars between the
    // anchors (clamped to the bars) and puts both anchors on the fitted line. Over a single
    // bar the line is horizontal at its value; without a source nothing changes.
    void SnapToPrice() override;

    float intercept = 0;
    float slope = 0;

protected:
    void StoredFields(CRecordFields& fields) override;
};
