#pragma once
#include "CSDChannel.h"

// A standard error channel (type 17): as the deviation channel, with the spread divided by
// the number of values. Record: exactly the channel record.
class CSEChannel : public CSDChannel {
public:
    static constexpr int kTypeCode = 17;

    CSEChannel();

protected:
    // The square root of the mean squared deviation; 0 without values.
    float Spread(float squares, int count) const override;
};
