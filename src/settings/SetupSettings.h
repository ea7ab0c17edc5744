#pragma once
#include "ctlkit/base/CIniReader.h"
#include "ctlkit/base/LOGFONT.h"
#include <string>

// The keys of setup.ini with their defaults and their write-backs. Each record is read
// where it is used, at the time it is used; nothing is cached across objects. A key that
// is missing or empty takes its default.

// [ENVIORMENT] "Lng": the language file's name in the language folder; empty = none.
std::string ReadLanguageName(CIniReader& ini);

// [ENVIORMENT] chart document options, and "ConnectCheckOn" (on only when it is 1), which
// the user sets by hand: Write leaves it alone.
struct EnvironmentSettings {
    bool curveFloating = false;
    bool yAxisOffset = false;
    bool connectCheckOn = false;

    static EnvironmentSettings Read(CIniReader& ini);
    bool Write(CIniReader& ini) const;
};

// [ENVIORMENT] the five drawing toolbars, shown or hidden.
struct ToolbarSettings {
    bool chartCtrl = false;
    bool trendLine = false;
    bool symbol = false;
    bool fiboGan = false;
    bool channel = false;

    static ToolbarSettings Read(CIniReader& ini);
    bool Write(CIniReader& ini) const;
};

// [DATA_DIRECTORY] the symbol and market of the last chart. "DataDirectory" in the same
// section is the quote folder: DataFolder.h reads and writes it.
struct LastChartSettings {
    std::string tickerName = "NoName";
    std::string tickerMarket;

    static LastChartSettings Read(CIniReader& ini);
    bool Write(CIniReader& ini) const;
};

// [PROXY] as the proxy dialog keeps it; the port stays text.
struct ProxySettings {
    bool useProxy = false;
    std::string proxyAdd;
    std::string proxyPort;

    static ProxySettings Read(CIniReader& ini);
    bool Write(CIniReader& ini) const;
};

// [AXIS_SETTING], [AXIS_FONT] and [LABEL_FONT]: read when a chart view is created and
// written back at once, so a fresh settings file fills with the defaults.
struct AxisSettings {
    long borderColor = 0;
    bool drawYGrid = false;
    int cellMaxX = 80;
    int cellMaxY = 80;
    LOGFONT axisFont;
    LOGFONT labelFont;

    static AxisSettings ReadAndWriteBack(CIniReader& ini);
};

// [ALL_NAMEBAR] the stock name panel's selected market list and listing order.
struct NameBarSettings {
    int marIndex = 0;
    bool byName = false;

    static NameBarSettings Read(CIniReader& ini);
    bool Write(CIniReader& ini) const;
};

// [STOCKLINE_SETUP] the quotes a chart keeps ("DisPeriod") and the bars its window shows
// ("DisDayNum"), as the user last chose them.
struct StockLineSettings {
    static constexpr int kDefaultMaximumQuotes = 400;
    static constexpr int kDefaultBarsInWindow = 50;

    bool sectionExists = false;
    int maximumQuotes = kDefaultMaximumQuotes; // an empty or negative value reads as the default
    int barsInWindow = kDefaultBarsInWindow;   // likewise

    static StockLineSettings Read(CIniReader& ini);
    static bool SectionExists(CIniReader& ini);
    static bool WriteBarsInWindow(CIniReader& ini, int bars);
    static bool WriteMaximumQuotes(CIniReader& ini, int maximum);
};
