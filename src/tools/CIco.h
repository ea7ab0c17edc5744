#pragma once
#include "CLine.h"

// An icon (type 29, placed by the icon tool codes 51 to 90): image `iconNumber` of the
// icon strip at the first anchor.
// Record: the line record, the icon number (int, refused outside 0..39); no block, and the
// size is not stored.
class CIco : public CLine {
public:
    static constexpr int kTypeCode = 29;
    static constexpr int kIconCount = 40;
    static constexpr int kFirstToolCode = 51;

    CIco();
    // Image iconNumber of the icon strip with its top-left corner at p1, white left out;
    // handles at the icon's corners when selected.
    void Draw(CDC& dc, float yMax, float yMin, int first, int end, const CRect& plot) override;

    int iconNumber = 0;
    int iconSize = 18;

protected:
    // 3 on the top-left handle; the body is the icon's square.
    int HandleAt(int x, int y) const override;
    bool OnBody(int x, int y) const override;
    void StoredFields(CRecordFields& fields) override;
};
