#include "ctlkit/dc/PenStyles.h"
#include "ctlkit/dc/qt/QtConvert.h"
#include <gtest/gtest.h>

namespace {

int CdcPen(int style) {
    return style;
}

// Each stored number reads into a CDC pen by its own convention, and that pen into Qt's.
struct Case {
    const char* convention;
    int (*toCdc)(int);
    int stored;
    int cdcPen;
    Qt::PenStyle qt;
};

const Case kCases[] = {
    {"cdc", CdcPen, kPenSolid, kPenSolid, Qt::SolidLine},
    {"cdc", CdcPen, kPenDash, kPenDash, Qt::DashLine},
    {"cdc", CdcPen, kPenDot, kPenDot, Qt::DotLine},
    {"cdc", CdcPen, kPenDashDot, kPenDashDot, Qt::DashDotLine},
    {"cdc", CdcPen, kPenDashDotDot, kPenDashDotDot, Qt::DashDotDotLine},
    {"cdc", CdcPen, kPenNull, kPenNull, Qt::NoPen},
    {"cdc", CdcPen, 6, 6, Qt::SolidLine},
    {"cdc", CdcPen, -1, -1, Qt::SolidLine},
    {"tool", PenStyles::ToolPenStyle, 0, kPenSolid, Qt::SolidLine},
    {"tool", PenStyles::ToolPenStyle, 1, kPenSolid, Qt::SolidLine},
    {"tool", PenStyles::ToolPenStyle, 2, kPenDash, Qt::DashLine},
    {"tool", PenStyles::ToolPenStyle, 3, kPenDot, Qt::DotLine},
    {"tool", PenStyles::ToolPenStyle, 4, kPenDashDot, Qt::DashDotLine},
    {"tool", PenStyles::ToolPenStyle, 5, kPenDashDotDot, Qt::DashDotDotLine},
    {"tool", PenStyles::ToolPenStyle, 6, kPenSolid, Qt::SolidLine},
    {"tool", PenStyles::ToolPenStyle, -2, kPenSolid, Qt::SolidLine},
    {"price", PenStyles::PricePenStyle, 0, kPenSolid, Qt::SolidLine},
    {"price", PenStyles::PricePenStyle, 1, kPenDash, Qt::DashLine},
    {"price", PenStyles::PricePenStyle, 2, kPenDot, Qt::DotLine},
    {"price", PenStyles::PricePenStyle, 3, kPenDashDot, Qt::DashDotLine},
    {"price", PenStyles::PricePenStyle, 4, kPenDashDotDot, Qt::DashDotDotLine},
    {"price", PenStyles::PricePenStyle, 5, kPenSolid, Qt::SolidLine}, // a template's 5
    {"price", PenStyles::PricePenStyle, 9, kPenSolid, Qt::SolidLine},
    {"price", PenStyles::PricePenStyle, -1, kPenSolid, Qt::SolidLine},
};

} // namespace

TEST(PenStyles, EachConventionPicksItsPen) {
    for (const Case& c : kCases) {
        const int pen = c.toCdc(c.stored);
        EXPECT_EQ(pen, c.cdcPen) << c.convention << " " << c.stored;
        EXPECT_EQ(QtConvert::QtPenStyle(pen), c.qt) << c.convention << " " << c.stored;
    }
}
