#pragma once
#include "../chart/ChartTestSupport.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "element/CSymbol.h"
#include "tools/CLine.h"
#include <string>

// Helpers of the element record tests of the tools and of the chart's other elements.

inline std::string RecordOf(const CSymbol& element) {
    CArchiveWriter ar;
    element.Write(ar);
    return ar.Bytes();
}

// Gives every field of the element record and the line record a non-default value.
inline void SetCommonFields(CSymbol& element) {
    element.plotBottom = 300;
    element.hitState = 2;
    element.plotHeight = 280;
    element.plotLeft = 5;
    element.moving = 1;
    element.selected = 1;
    element.endIndex = 99;
    element.yMax = 31.5f;
    element.firstIndex = 1;
    element.yMin = 10.25f;
    element.indexCount = 98;
    element.yRange = 21.25f;
    element.grabPoint = {-4, 9};
    element.x1 = 3.5f;
    element.y1 = 12;
    element.x2 = 40;
    element.y2 = 30.125f;
    element.name = "named";
    element.plotRight = 405;
    element.plotTop = 20;
    element.plotWidth = 400;
    element.placed = 1;
    element.SetPeriod(5);
    element.block1[200] = 7;
    element.block2[0] = 9;
    if (auto* line = dynamic_cast<CLine*>(&element)) {
        line->color = 0x00ABCDEF;
        line->lineWidth = 10;
        line->lineStyle = 5;
        line->block3[255] = 1;
        line->extendLeft = 1;
        line->snapToPrice = 1;
        line->snapField = "close";
    }
}

// Replaces the 4 bytes at `offset` of a record.
inline std::string Patched(std::string bytes, size_t offset, int32_t value) {
    bytes.replace(offset, 4, Le32(static_cast<uint32_t>(value)));
    return bytes;
}
