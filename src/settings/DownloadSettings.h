#pragma once
#include "ctlkit/base/CIniReader.h"
#include <map>
#include <string>

// Where the downloads go, from setup.ini section [DOWNLOAD]:
//   "QuoteServer"       the historical-quote service, to which "/table.csv?..." is appended
//                       (default http://ichart.finance.yahoo.com)
//   "MarketListServer"  the folder of the market lists, ending in "/download/mklist/"
//                       (default http://www.zentristock.com/download/mklist/)
//   "MarketList_<market>" that market's own list in place of the folder's: a web address, or
//                       a local file ("file://" address or path; relative to the program
//                       folder) (default none)
//   "ConnectCheck"      the page the connection check tries (default empty: no check)
//   "HomePage", "Forum" the maker's home page and forum (default empty: the commands hide)
//   "RealTime"          the real-time chart page; "%s" stands for the symbol (default empty)
// and the proxy of section [PROXY] ("UseProxy", "ProxyAdd", "ProxyPort"). Read when a job is
// created; an absent key takes its default.
struct SDownloadSettings {
    std::string quoteServer = "http://ichart.finance.yahoo.com";
    std::string marketListServer = "http://www.zentristock.com/download/mklist/";
    std::map<std::string, std::string> marketLists; // by market code in capitals
    std::string connectCheck;
    std::string homePage;
    std::string forum;
    std::string realTime;
    bool useProxy = false;
    std::string proxyServer;
    std::string proxyPort; // text; an absent key reads as "" and so as port 0

    static SDownloadSettings Read(CIniReader& ini);
};
