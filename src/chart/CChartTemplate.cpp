#include "CChartTemplate.h"
#include "ViewParRecord.h"
#include "ctlkit/base/AtomicFile.h"
#include "ctlkit/base/CArchiveReader.h"
#include "ctlkit/base/CArchiveWriter.h"

namespace {
constexpr std::array<int, 5> kStoredColourOrder = {3, 1, 4, 2, 5};

bool ReadField(CArchiveReader& ar, int& value, int low, int high, bool& wrongType) {
    if (!ar.ReadInt(value)) return false;
    if (value >= low && value <= high) return true;
    wrongType = true;
    ar.Fail("a value of " + std::to_string(value) + " at offset " +
            std::to_string(ar.Position() - 4));
    return false;
}
} // namespace

CChartTemplate CChartTemplate::From(const CStock& stock) {
    CChartTemplate result;
    result.paneCount = stock.PaneCount();
    result.priceStyle = stock.ViewSwitchA();
    result.penStyle = stock.ViewSwitchD();
    result.lineWeight = stock.ViewSwitchC();
    for (int number = 1; number <= 5; ++number) result.colours[number - 1] = stock.Colour(number);
    result.flagBytes = stock.FlagBytes();
    for (int pane = 0; pane < CStock::kViewParCount; ++pane)
        result.viewPars[pane].CopyFrom(stock.ViewPar(pane));
    return result;
}

std::string CChartTemplate::Write() const {
    CArchiveWriter ar;
    ar.WriteInt(paneCount);
    ar.WriteInt(priceStyle);
    ar.WriteInt(penStyle);
    ar.WriteInt(lineWeight);
    for (int number : kStoredColourOrder) ar.WriteInt(static_cast<int32_t>(colours[number - 1]));
    ar.WriteBytes(flagBytes.data(), flagBytes.size());
    for (const CViewPar& par : viewPars) WriteViewPar(ar, par);
    return ar.Bytes();
}

CFileResult CChartTemplate::Save(const std::string& path) const {
    return WriteFileAtomically(path, Write());
}

CFileResult CChartTemplate::Read(std::string_view bytes) {
    CArchiveReader ar(bytes);
    CChartTemplate read;
    bool wrongType = false;
    bool ok = ReadField(ar, read.paneCount, 2, 9, wrongType) &&
              ReadField(ar, read.priceStyle, 0, CStock::kMaxPriceStyle, wrongType) &&
              ReadField(ar, read.penStyle, 0, CStock::kMaxPenStyle, wrongType) &&
              ReadField(ar, read.lineWeight, 0, CStock::kMaxLineWeight, wrongType);
    for (int number : kStoredColourOrder) {
        int32_t colour = 0;
        ar.ReadInt(colour);
        read.colours[number - 1] = static_cast<uint32_t>(colour);
    }
    ok = ok && ar.ReadBytes(read.flagBytes.data(), read.flagBytes.size());
    for (CViewPar& par : read.viewPars) ok = ok && ReadViewPar(ar, par);
    if (!ok) {
        // A refusal always carries a reason, so that it can never pass for a success.
        ar.Fail("");
        if (wrongType) return CFileResult::Failure(CFileResult::EKind::WrongType, ar.Error());
        return ar.Result();
    }
    *this = std::move(read);
    return {};
}

CFileResult CChartTemplate::Load(const std::string& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return CFileResult::Failure(CFileResult::EKind::CannotOpen, "the file cannot be opened");
    return Read(bytes);
}

void CChartTemplate::ApplyTo(CStock& stock) const {
    stock.SetPaneCount(paneCount);
    stock.SetViewSwitchA(priceStyle);
    stock.SetViewSwitchD(penStyle);
    stock.SetViewSwitchC(lineWeight);
    for (int number = 1; number <= 5; ++number) stock.SetColour(number, colours[number - 1]);
    stock.FlagBytes() = flagBytes;
    for (int pane = 0; pane < CStock::kViewParCount; ++pane)
        stock.ViewPar(pane).CopyFrom(viewPars[pane]);
}
