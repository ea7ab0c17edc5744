#include "ElementProperties.h"
#include "CElementFormset.h"
#include "formset/element/ElementRecord.h"
#include "formset/qt/CStockSetFormset.h"
#include "formset/qt/curve/CurveProperties.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "indicators/CTradeFlag.h"
#include "quotes/CStock.h"
#include "series/CCurve.h"
#include "tools/CText.h"
#include "view/CPriceLineSettings.h"
#include "view/PaneTexts.h"
#include <QPointer>

namespace {

// Runs the dialog on the element's record; on OK the element reads the edited record.
bool EditRecord(CSymbol& element, std::shared_ptr<const SElementContext> context, QWidget* parent,
                CElementFormset::EMode mode) {
    const SElementRecord model{ElementRecord::Of(element), std::move(context)};
    QPointer<CElementFormset> dialog = new CElementFormset(model, parent, mode);
    const int result = dialog->exec();
    // Gone with its parent, which may have taken the element along.
    if (!dialog) return false;
    const std::string edited = dialog->Result().record;
    delete dialog.data();
    return result == QDialog::Accepted && ElementRecord::Apply(element, edited);
}

} // namespace

bool ShowElementProperties(CSymbol& element, const SElementContext& context, QWidget* parent) {
    switch (element.TypeCode()) {
    case CStock::kElementType: {
        auto* stock = dynamic_cast<CStock*>(&element);
        return stock && EditPriceLineSettings(*stock, CStockSetFormset::Editor(parent), [] {});
    }
    case CCurve::kTypeCode:
    case CTradeFlag::kTypeCode:
        // Their looks are kept with the pane's entry that built them: ElementPropertiesEditor
        // opens their dialogs, knowing the series and the pane.
        return false;
    default:
        break;
    }
    // Anything else that no drawing tool reads back has no dialog.
    if (!ElementRecord::NewElement(ElementRecord::Of(element))) return false;
    if (!EditRecord(element, std::make_shared<const SElementContext>(context), parent,
                    CElementFormset::EMode::Properties))
        return false;
    if (auto* line = dynamic_cast<CLine*>(&element); line && line->snapToPrice) line->SnapToPrice();
    return true;
}

SElementContext ElementContextOf(CStock& stock, int pane) {
    SElementContext context;
    if (const CStockPanes* panes = CStockPanes::Of(stock)) {
        if (const CTCurve* curves = panes->Pane(pane)) {
            for (const auto* list : {&curves->Curves(), &curves->SecondCurves()})
                for (const auto& curve : *list) context.curveNames.push_back(curve->name);
        }
    }
    const std::string format = PaneTexts::DateFormat();
    context.barDates.reserve(stock.Display().size());
    for (const SQuote& bar : stock.Display())
        context.barDates.push_back(PaneTexts::FormatDate(bar.date, format));
    return context;
}

std::function<bool(CSymbol& element, int pane)>
ElementPropertiesEditor(QWidget* parent, std::function<CStock&()> series) {
    return [parent = QPointer<QWidget>(parent), series](CSymbol& element, int pane) {
        if (!parent) return false;
        if (auto* curve = dynamic_cast<CCurve*>(&element))
            return ShowCurveProperties(parent.data(), series(), pane, *curve);
        if (auto* flag = dynamic_cast<CTradeFlag*>(&element))
            return ShowTradeFlagProperties(parent.data(), series(), pane, *flag);
        return ShowElementProperties(element, ElementContextOf(series(), pane), parent.data());
    };
}

bool EnterPlacedText(CText& text, QWidget* parent) {
    if (!EditRecord(text, nullptr, parent, CElementFormset::EMode::PlacedText)) return false;
    return text.text.find_first_not_of(" \t\r\n") != std::string::npos;
}
