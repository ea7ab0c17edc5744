#pragma once
#include "CGChannel.h"

// A standard deviation channel (type 16): parallels one sample standard deviation of the
// snapped source above and below the base line. Record: exactly the channel record.
class CSDChannel : public CGChannel {
public:
    static constexpr int kTypeCode = 16;

    CSDChannel();
    // The anchors onto the source, then the parallels one spread above and below the base
    // line's middle. Nothing without a source.
    void SnapToPrice() override;

protected:
    // The spread of the source over its bars from the sum of squared deviations and the
    // number of values: the sample standard deviation; 0 with fewer than two values.
    virtual float Spread(float squares, int count) const;
    CSDChannel(int code, unsigned nameId);
};
