#include "SeriesTestSupport.h"
#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>

std::vector<SQuote> RandomWalk(std::size_t bars, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> step(-150, 150), spread(0, 200), volume(0, 50000);
    std::vector<SQuote> q;
    int close = 5000;
    for (std::size_t i = 0; i < bars; ++i) {
        const int open = close;
        close = std::max(100, close + step(rng));
        const int high = std::max(open, close) + spread(rng) / 2;
        const int low = std::max(1, std::min(open, close) - spread(rng) / 2);
        q.push_back(SQuote{int32_t(i), open / 100.0f, high / 100.0f, low / 100.0f, close / 100.0f,
                           close / 100.0f, float(volume(rng))});
    }
    return q;
}

// Fields "Date,Open,High,Low,Close,Volume,Adj. Close*", newest first; the date is not needed.
std::vector<SQuote> LoadTtrc() {
    std::ifstream in(std::string(ZS_TEST_DATA_DIR) + "/ttrc.csv");
    std::vector<SQuote> q;
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        std::stringstream fields(line);
        std::string date, cell;
        float v[6];
        std::getline(fields, date, ',');
        int got = 0;
        while (got < 6 && std::getline(fields, cell, ',')) v[got++] = std::stof(cell);
        if (got < 6) continue;
        q.push_back(SQuote{0, v[0], v[1], v[2], v[3], v[5], v[4]});
    }
    std::reverse(q.begin(), q.end());
    return q;
}
