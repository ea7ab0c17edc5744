#pragma once
#include "CElementOwner.h"
#include "SPoint.h"
#include <array>
#include <cstdint>
#include <string>

// The base of everything drawn inside a pane: anchors in bar-index and value coordinates, the
// pixel mapping of the last draw and the selection state. Fields in declaration order of the
// element record; drawing and storing come with the classes that need them.
class CSymbol {
public:
    static constexpr int kDefaultPeriod = 1;

    CSymbol();
    virtual ~CSymbol();

    virtual int TypeCode() const { return typeCode; }

    // The bar period kept in the first four bytes of block1.
    int Period() const;
    void SetPeriod(int period);

    CElementOwner* owner = nullptr;
    std::array<uint8_t, 256> block1{};
    std::array<uint8_t, 256> block2{};
    int selected = 0;
    int tracking = 0;
    int moving = 0;
    int plotLeft = 0;
    int plotRight = 0;
    int plotWidth = 0;
    int plotHeight = 0;
    int plotBottom = 0;
    int plotTop = 0;
    int hitState = 0;
    float endIndex = 0;
    float firstIndex = 0;
    float yMax = 0;
    float yMin = 0;
    float indexCount = 0;
    float yRange = 0;
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    SPoint grabPoint;
    std::string name = "Symbol";
    int typeCode = 0;
    int hitTolerance = 1;
    int placed = 0;
    // 1 on the reference lines an indicator builder adds, so that replacing it removes them.
    int indicatorMark = 0;

protected:
    CSymbol(const CSymbol&) = default;
    CSymbol& operator=(const CSymbol&) = default;
    CSymbol(CSymbol&&) = default;
    CSymbol& operator=(CSymbol&&) = default;
};
