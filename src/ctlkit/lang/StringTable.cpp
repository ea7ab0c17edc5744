#include "StringTable.h"
#include <algorithm>
#include <iterator>

namespace {
struct Entry {
    unsigned id;
    const char* text;
};

// Sorted by identifier; the comments say where each group of texts is shown.
constexpr Entry kStrings[] = {
    // Download messages of the main program.
    {1, "The data file of the selected stock is not exist.\nClick yes to download the data."},
    {2, "Cannot connect to the website.\nPlease check your network connection."},
    {3, "Error file type, download failed. Maybe error stock symbol.\nCheck the stock symbol or "
        "download the new stock list."},
    {10, "This action will redownload the whole data of this stock.\n And maybe cause some "
         "previous data losing. Do you want to proceed?"},
    // Docking panel and toolbar captions.
    {17, "Stock Name Panel"},
    {18, "Stock Info Panel"},
    {19, "Fund Distribution"},
    {20, "Main Toolbar"},
    {21, "Chart Control"},
    {22, "Channel Line"},
    {23, "Fibo and Gann Line"},
    {24, "Trend Line"},
    {25, "Symbol and Text"},
    // Column titles of the downloader.
    {31, "Symbol"},
    {32, "Stock Name"},
    {35, "Market"},
    // Weekday names (strings 39 to 45, "Sunday" to "Saturday") and the labels of
    // the stock information panel (strings 46 to 51).
    {39, "Sunday"},
    {40, "Monday"},
    {41, "Tuesday"},
    {42, "Wednesday"},
    {43, "Thursday"},
    {44, "Friday"},
    {45, "Saturday"},
    {46, "Time"},
    {47, "Open"},
    {48, "High"},
    {49, "Low"},
    {50, "Close"},
    {51, "Volume"},
    // Download progress.
    {88, "Please select a stock first."},
    {97, " Data DownLoading running"},
    // Caption of the fund distribution panel.
    {134, "Profit Percentage"},
    // The downloader program.
    {501, "Please select the stocks you want to downloaded."},
    {503, "stocks selected."},
    {504, "No stock selected."},
    {505, "Download failed. Please check your network connection."},
    {506, "Download failed. Maybe error stock symbol. Please update your stock list."},
    {507, "Download finished."},
    {508, "Finished."},
    {509, "Download stopped."},
    {510, "Can not saving the new data file."},
    {512, "is downloading."},
    {513, "ZentriStock Data Downloader"},
    {514, "EOD Data of MetaStock Format   (*.txt)|*.txt|All Files (*.*)|*.*|"},
    {515, "OPEN - MetaStock Format EOD Data"},
    {550, "Unexpected to the end of the DATA file."},
    {551, "Unknown the DATA format. The file is not the MetaStock ASCII format. Please use the "
          "MetaStock Format data."},
    {552, "Data error in line %d of file %s."},
    {553, "No headerline. Import as MetaStock ASCII format(7 column)."},
    {554, "No headerline. Import as MetaStock ASCII format(8 column)."},
    {555, "Can not open the file %s."},
    {556, "Automaticly create directory of %s."},
    {557, "Now importing the DATA file of %s."},
    {558, "Import EOD DATA finished."},
    {559, "%d files selected."},
    {560, "Too many files selected. Please reduce the number of files and try again."},
};

constexpr bool SortedById() {
    for (size_t i = 1; i < std::size(kStrings); ++i)
        if (kStrings[i - 1].id >= kStrings[i].id) return false;
    return true;
}
static_assert(SortedById(), "kStrings must be sorted by identifier without duplicates");
} // namespace

const char* BuiltInString(unsigned id) {
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const Entry& e, unsigned v) { return e.id < v; });
    return (it != std::end(kStrings) && it->id == id) ? it->text : nullptr;
}

unsigned BuiltInStringIds(unsigned* ids, unsigned capacity) {
    unsigned n = 0;
    for (const Entry& e : kStrings) {
        if (n < capacity && ids) ids[n] = e.id;
        ++n;
    }
    return n;
}
