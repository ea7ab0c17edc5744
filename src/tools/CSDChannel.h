#pragma once
#include "CGChannel.h"

// A standard deviation channel (type 16): parallels one sample standard deviation of the
// snapped source above and below the base line. Record: exactly the channel record.
class CSDChannel : public CGChannel {
public:
    static constexpr int kTypeCode = 16;

    CSDChannel();
    ~CSDChannel() override;

protected:
    CSDChannel(int code, unsigned nameId);
};
