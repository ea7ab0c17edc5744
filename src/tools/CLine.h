#pragma once
#include "element/CSymbol.h"
#include <array>
#include <cstdint>
#include <string>

// The trend line (type 1) and the base of every drawing tool: pen, line extension and price
// snapping on top of the element's two anchors.
class CLine : public CSymbol {
public:
    static constexpr int kTypeCode = 1;

    CLine();
    ~CLine() override;

    uint32_t color = 0; // 0x00BBGGRR; the view gives a new line the pane's complement colour
    int lineWidth = 1;  // 0 to 10
    int lineStyle = 1;  // 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 0 solid
    std::array<uint8_t, 256> block3{};
    int extendLeft = 0;
    int extendRight = 0;
    int snapToPrice = 0;
    std::string snapField;
};
