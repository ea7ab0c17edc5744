#pragma once
#include "CLine.h"

// A rectangle (type 2) with corners at the two anchors.
// Record: the line record and nothing more.
class CRectangle : public CLine {
public:
    static constexpr int kTypeCode = 2;

    CRectangle();
    ~CRectangle() override;

    void Write(CArchiveWriter& ar) const override;
    bool Read(CArchiveReader& ar) override;
};
