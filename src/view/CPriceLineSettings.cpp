#include "CPriceLineSettings.h"
#include "ctlkit/dc/PenStyles.h"
#include "quotes/CStock.h"
#include <algorithm>

CPriceLineSettings CPriceLineSettings::From(const CStock& stock) {
    CPriceLineSettings s;
    s.priceStyle = stock.ViewSwitchA();
    s.weight = stock.ViewSwitchC();
    s.penStyle = PenStyles::PricePenStyle(stock.ViewSwitchD());
    s.riseFill = stock.Colour(1);
    s.fallFill = stock.Colour(2);
    s.riseBorder = stock.Colour(3);
    s.fallBorder = stock.Colour(4);
    s.doji = stock.Colour(5);
    return s;
}

void CPriceLineSettings::ApplyTo(CStock& stock) const {
    stock.SetViewSwitchA(std::clamp(priceStyle, 0, kPriceStyles - 1));
    stock.SetViewSwitchC(std::max(1, weight));
    stock.SetViewSwitchD(PenStyles::PricePenStyle(penStyle));
    stock.SetColour(1, riseFill & 0xFFFFFF);
    stock.SetColour(2, fallFill & 0xFFFFFF);
    stock.SetColour(3, riseBorder & 0xFFFFFF);
    stock.SetColour(4, fallBorder & 0xFFFFFF);
    stock.SetColour(5, doji & 0xFFFFFF);
}

bool EditPriceLineSettings(CStock& stock, const std::function<bool(CPriceLineSettings&)>& dialog,
                           const std::function<void()>& invalidate) {
    CPriceLineSettings edited = CPriceLineSettings::From(stock);
    if (!dialog || !dialog(edited)) return false;
    edited.ApplyTo(stock);
    if (invalidate) invalidate();
    return true;
}
