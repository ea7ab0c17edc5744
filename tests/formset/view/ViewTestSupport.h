#pragma once
#include "../../ctlkit/TestFiles.h"
#include "chart/CZentriStockDoc.h"
#include "chart/ViewParRecord.h"
#include "ctlkit/base/CArchiveWriter.h"
#include "ctlkit/base/CRecordingPrompter.h"
#include "indicators/CStockPanes.h"
#include "indicators/CTCurve.h"
#include "quotes/CViewPar.h"
#include "settings/CModelContext.h"
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A pane's record as the chart file's pane writer stores it.
inline std::string RecordBytes(const CViewPar& par) {
    CArchiveWriter ar;
    WriteViewPar(ar, par);
    return ar.Bytes();
}

// The names of a pane's curves in drawing order.
inline std::vector<std::string> CurveNames(CZentriStockDoc& document, int pane) {
    std::vector<std::string> names;
    const CTCurve* container = CStockPanes::InstallIn(document.Stock()).Pane(pane);
    if (!container) return names;
    for (const auto& curve : container->Curves()) names.push_back(curve->name);
    return names;
}

// A record whose every display field differs from the defaults (and from the sample's).
inline CViewPar EveryFieldChanged() {
    CViewPar par;
    par.frameColour = 0x102030;
    par.backgroundColour = 0xE0F0FF;
    par.titleColour = 0x0000C0;
    par.axisTextColour = 0x406080;
    par.gridPenStyle = 1;
    par.cellMaxX = 120;
    par.cellMaxY = 33;
    par.showVerticalGrid = 0;
    par.showHorizontalGrid = 0;
    par.labelFont.lfHeight = 21;
    par.labelFont.lfWidth = 9;
    par.labelFont.lfWeight = 700;
    par.labelFont.lfItalic = 1;
    par.axisFont.lfHeight = 11;
    par.axisFont.lfWidth = 5;
    return par;
}

// A copy of the sample installation (the chart ACME with three panes) in a folder of its
// own, and a prompter that records what it is told.
class SampleInstallation {
public:
    SampleInstallation() {
        std::filesystem::copy(ZS_SAMPLE_DIR, home.Path(), std::filesystem::copy_options::recursive);
        context = std::make_unique<CModelContext>(CInstallPaths(home.Path()), prompter);
    }
    std::unique_ptr<CZentriStockDoc> OpenSample(const std::string& chart = "chart/ACME.cht") {
        auto document = std::make_unique<CZentriStockDoc>(*context);
        document->LoadSettings();
        if (!document->OpenChart(home.File(chart))) return nullptr;
        return document;
    }

    TempDir home;
    CRecordingPrompter prompter;
    std::unique_ptr<CModelContext> context;
};
