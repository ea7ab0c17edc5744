#pragma once
#include "indicators/CStockPanes.h"
#include "indicators/IndicatorBuilder.h"
#include "quotes/CStock.h"
#include <memory>
#include <string>

// The sample installation's ACME quotes with their pane set, cost distribution and one moving
// average, the window on the last bars; null when the file cannot be read.
inline std::unique_ptr<CStock> LoadAcme(const std::string& sampleDir) {
    auto stock = std::make_unique<CStock>(0);
    CStockPanes::InstallIn(*stock);
    stock->SetSymbolName("ACME");
    stock->SetMarket("NYSE");
    if (!stock->LoadQuoteFile(sampleDir + "/Data/NYSE/ACME.csv")) return nullptr;
    if (!BuildIndicator(*stock, "SMA", 0, false, true)) return nullptr;
    stock->ResetWindow();
    return stock;
}
