#include "ElementFactory.h"
#include "CArrow.h"
#include "CCycle.h"
#include "CEllipse.h"
#include "CFiboArc.h"
#include "CFiboFan.h"
#include "CFiboRetrace.h"
#include "CFiboTime.h"
#include "CGChannel.h"
#include "CGannFan.h"
#include "CGannLine.h"
#include "CHorizontal.h"
#include "CIco.h"
#include "CLineReg.h"
#include "CRectangle.h"
#include "CSDChannel.h"
#include "CSEChannel.h"
#include "CSpeed.h"
#include "CText.h"
#include "CTriangle.h"
#include "CVertical.h"
#include "series/CCurve.h"

namespace {
std::unique_ptr<CSymbol> CreateIcon(int number) {
    auto icon = std::make_unique<CIco>();
    icon->iconNumber = number;
    return icon;
}
} // namespace

std::unique_ptr<CSymbol> CreateToolElement(int code) {
    if (code >= CIco::kFirstToolCode && code < CIco::kFirstToolCode + CIco::kIconCount)
        return CreateIcon(code - CIco::kFirstToolCode);
    switch (code) {
    case CLine::kTypeCode:
        return std::make_unique<CLine>();
    case CRectangle::kTypeCode:
        return std::make_unique<CRectangle>();
    case CArrow::kTypeCode:
        return std::make_unique<CArrow>();
    case CCycle::kTypeCode:
        return std::make_unique<CCycle>();
    case CEllipse::kTypeCode:
        return std::make_unique<CEllipse>();
    case CFiboArc::kTypeCode:
        return std::make_unique<CFiboArc>();
    case CFiboFan::kTypeCode:
        return std::make_unique<CFiboFan>();
    case CFiboRetrace::kTypeCode:
        return std::make_unique<CFiboRetrace>();
    case CFiboTime::kTypeCode:
        return std::make_unique<CFiboTime>();
    case CGannLine::kTypeCode:
        return std::make_unique<CGannLine>();
    case CGannFan::kTypeCode:
        return std::make_unique<CGannFan>();
    case CGChannel::kTypeCode:
        return std::make_unique<CGChannel>();
    case CSDChannel::kTypeCode:
        return std::make_unique<CSDChannel>();
    case CSEChannel::kTypeCode:
        return std::make_unique<CSEChannel>();
    case CHorizontal::kTypeCode:
        return std::make_unique<CHorizontal>();
    case CLineReg::kTypeCode:
        return std::make_unique<CLineReg>();
    case CSpeed::kTypeCode:
        return std::make_unique<CSpeed>();
    case CTriangle::kTypeCode:
        return std::make_unique<CTriangle>();
    case CVertical::kTypeCode:
        return std::make_unique<CVertical>();
    case CIco::kTypeCode:
        return CreateIcon(0);
    case CText::kTypeCode:
        return std::make_unique<CText>();
    case CCurve::kTypeCode:
        return std::make_unique<CCurve>();
    default:
        return nullptr;
    }
}
