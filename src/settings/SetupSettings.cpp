#include "SetupSettings.h"

namespace {
const char* const kEnvironment = "ENVIORMENT";
const char* const kDataDirectory = "DATA_DIRECTORY";
const char* const kProxy = "PROXY";
const char* const kAxisSetting = "AXIS_SETTING";
const char* const kAxisFont = "AXIS_FONT";
const char* const kLabelFont = "LABEL_FONT";
const char* const kNameBar = "ALL_NAMEBAR";
const char* const kStockLine = "STOCKLINE_SETUP";

bool Flag(CIniReader& ini, const char* key, const char* section) {
    return ini.getKeyValueBool(key, section) != 0;
}

// A cell size of 0 (or a nonsensical negative one) means the default.
int CellSize(CIniReader& ini, const char* key) {
    int value = ini.getKeyValueNum(key, kAxisSetting);
    return value > 0 ? value : 80;
}
} // namespace

std::string ReadLanguageName(CIniReader& ini) {
    return ini.getKeyValue("Lng", kEnvironment);
}

EnvironmentSettings EnvironmentSettings::Read(CIniReader& ini) {
    EnvironmentSettings s;
    s.curveFloating = Flag(ini, "CurveFloating", kEnvironment);
    s.yAxisOffset = Flag(ini, "YAxisOffset", kEnvironment);
    s.connectCheckOn = ini.getKeyValueNum("ConnectCheckOn", kEnvironment) == 1;
    return s;
}

bool EnvironmentSettings::Write(CIniReader& ini) const {
    bool ok = ini.setKeyBool(curveFloating, "CurveFloating", kEnvironment) != 0;
    ok = ini.setKeyBool(yAxisOffset, "YAxisOffset", kEnvironment) != 0 && ok;
    return ok;
}

ToolbarSettings ToolbarSettings::Read(CIniReader& ini) {
    ToolbarSettings s;
    s.chartCtrl = Flag(ini, "ChartCtrl", kEnvironment);
    s.trendLine = Flag(ini, "TrendLine", kEnvironment);
    s.symbol = Flag(ini, "Symbol", kEnvironment);
    s.fiboGan = Flag(ini, "FiboGan", kEnvironment);
    s.channel = Flag(ini, "Channel", kEnvironment);
    return s;
}

bool ToolbarSettings::Write(CIniReader& ini) const {
    bool ok = ini.setKeyBool(chartCtrl, "ChartCtrl", kEnvironment) != 0;
    ok = ini.setKeyBool(trendLine, "TrendLine", kEnvironment) != 0 && ok;
    ok = ini.setKeyBool(symbol, "Symbol", kEnvironment) != 0 && ok;
    ok = ini.setKeyBool(fiboGan, "FiboGan", kEnvironment) != 0 && ok;
    ok = ini.setKeyBool(channel, "Channel", kEnvironment) != 0 && ok;
    return ok;
}

LastChartSettings LastChartSettings::Read(CIniReader& ini) {
    LastChartSettings s;
    std::string name = ini.getKeyValue("TickerName", kDataDirectory);
    if (!name.empty()) s.tickerName = name;
    s.tickerMarket = ini.getKeyValue("TickerMarket", kDataDirectory);
    return s;
}

bool LastChartSettings::Write(CIniReader& ini) const {
    bool ok = ini.setKey(tickerName, "TickerName", kDataDirectory) != 0;
    ok = ini.setKey(tickerMarket, "TickerMarket", kDataDirectory) != 0 && ok;
    return ok;
}

ProxySettings ProxySettings::Read(CIniReader& ini) {
    ProxySettings s;
    s.useProxy = Flag(ini, "UseProxy", kProxy);
    s.proxyAdd = ini.getKeyValue("ProxyAdd", kProxy);
    s.proxyPort = ini.getKeyValue("ProxyPort", kProxy);
    return s;
}

bool ProxySettings::Write(CIniReader& ini) const {
    bool ok = ini.setKeyBool(useProxy, "UseProxy", kProxy) != 0;
    ok = ini.setKey(proxyAdd, "ProxyAdd", kProxy) != 0 && ok;
    ok = ini.setKey(proxyPort, "ProxyPort", kProxy) != 0 && ok;
    return ok;
}

AxisSettings AxisSettings::ReadAndWriteBack(CIniReader& ini) {
    AxisSettings s;
    s.borderColor = ini.getColor("BorderColor", kAxisSetting);
    s.drawYGrid = Flag(ini, "DrawYGrid", kAxisSetting);
    s.cellMaxX = CellSize(ini, "CellMaxX");
    s.cellMaxY = CellSize(ini, "CellMaxY");
    s.axisFont = ini.GetAxisFont(kAxisFont);
    s.labelFont = ini.GetAxisFont(kLabelFont);

    ini.setColor(s.borderColor, "BorderColor", kAxisSetting);
    ini.setKeyBool(s.drawYGrid, "DrawYGrid", kAxisSetting);
    ini.setKeyNum(s.cellMaxX, "CellMaxX", kAxisSetting);
    ini.setKeyNum(s.cellMaxY, "CellMaxY", kAxisSetting);
    ini.SetAxisFont(s.axisFont, kAxisFont);
    ini.SetAxisFont(s.labelFont, kLabelFont);
    return s;
}

NameBarSettings NameBarSettings::Read(CIniReader& ini) {
    NameBarSettings s;
    s.marIndex = ini.getKeyValueNum("MarIndex", kNameBar);
    s.byName = Flag(ini, "ByName", kNameBar);
    return s;
}

bool NameBarSettings::Write(CIniReader& ini) const {
    bool ok = ini.setKeyNum(marIndex, "MarIndex", kNameBar) != 0;
    ok = ini.setKeyBool(byName, "ByName", kNameBar) != 0 && ok;
    return ok;
}

StockLineSettings StockLineSettings::Read(CIniReader& ini) {
    StockLineSettings s;
    s.sectionExists = SectionExists(ini);
    if (!ini.getKeyValue("DisPeriod", kStockLine).empty()) {
        int stored = ini.getKeyValueNum("DisPeriod", kStockLine);
        if (stored >= 0) s.maximumQuotes = stored;
    }
    if (!ini.getKeyValue("DisDayNum", kStockLine).empty()) {
        int stored = ini.getKeyValueNum("DisDayNum", kStockLine);
        if (stored >= 0) s.barsInWindow = stored;
    }
    return s;
}

bool StockLineSettings::SectionExists(CIniReader& ini) {
    return ini.sectionExists(kStockLine) != 0;
}

bool StockLineSettings::WriteBarsInWindow(CIniReader& ini, int bars) {
    return ini.setKeyNum(bars, "DisDayNum", kStockLine) != 0;
}

bool StockLineSettings::WriteMaximumQuotes(CIniReader& ini, int maximum) {
    return ini.setKeyNum(maximum, "DisPeriod", kStockLine) != 0;
}
