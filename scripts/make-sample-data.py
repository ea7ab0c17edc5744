#!/usr/bin/env python3
"""Writes the bundled sample installation under data/: the market list and quote files of a
few made-up symbols, as random walks over trading days (weekends and each market's holidays
missing). Deterministic: the same files on every run."""

import datetime as dt
import math
import os
import random
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")
FIRST_DAY = dt.date(2019, 1, 2)
LAST_DAY = dt.date(2024, 12, 31)

# code, full name, suffix, fixed holidays (month, day), symbols (ticker, start price, drift, volatility, volume)
MARKETS = [
    ("NYSE", "New York Stock Exchange", "", [(1, 1), (7, 4), (12, 25)],
     [("ACME", 42.0, 0.08, 0.22, 2_500_000), ("BLTR", 118.0, 0.05, 0.18, 900_000),
      ("CRWN", 9.5, -0.02, 0.45, 14_000_000), ("DYNA", 310.0, 0.12, 0.28, 650_000)]),
    ("TSX", "Toronto Stock Exchange", ".TO", [(1, 1), (7, 1), (12, 25), (12, 26)],
     [("MAPL", 27.0, 0.04, 0.20, 1_200_000), ("NRTH", 64.0, 0.07, 0.25, 400_000),
      ("RIDG", 3.2, 0.01, 0.60, 5_500_000)]),
    ("LSE", "London Stock Exchange", ".L", [(1, 1), (12, 25), (12, 26)],
     [("THMS", 512.0, 0.03, 0.17, 3_100_000), ("WSTM", 88.0, 0.06, 0.24, 1_800_000)]),
]

# The description each symbol has in its market's symbol database.
NAMES = {
    "ACME": "Acme Corporation", "BLTR": "Boltor Industries Inc", "CRWN": "Crown Mining Ltd",
    "DYNA": "Dynamo Systems Corp", "MAPL": "Maple Leaf Rail Co", "NRTH": "Northern Timber Inc",
    "RIDG": "Ridge Gold Explorations", "THMS": "Thames Water Holdings plc",
    "WSTM": "Westminster Brands plc",
}
DB_RECORD = 1024
DB_SYMBOL = 16

MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]


def trading_days(holidays, rng):
    day = FIRST_DAY
    while day <= LAST_DAY:
        closed = day.weekday() >= 5 or (day.month, day.day) in holidays
        # A few market-specific closures that move from year to year.
        if not closed and rng.random() < 0.012:
            closed = True
        if not closed:
            yield day
        day += dt.timedelta(days=1)


def walk(days, price, drift, vol, volume, rng):
    step = 1.0 / 252.0
    quotes = []
    close = price
    for day in days:
        gap = rng.gauss(0.0, vol * 0.15 * math.sqrt(step))
        open_ = close * math.exp(gap)
        ret = (drift - 0.5 * vol * vol) * step + vol * math.sqrt(step) * rng.gauss(0.0, 1.0)
        close = open_ * math.exp(ret)
        spread = abs(rng.gauss(0.0, vol * 0.6 * math.sqrt(step)))
        high = max(open_, close) * (1.0 + spread)
        low = min(open_, close) * (1.0 - abs(rng.gauss(0.0, vol * 0.6 * math.sqrt(step))))
        vol_today = int(volume * math.exp(rng.gauss(0.0, 0.35)))
        quotes.append((day, round(open_, 2), round(high, 2), round(low, 2), round(close, 2), vol_today))
    return quotes


def csv_lines(quotes):
    # Newest first, as the quote service delivers them; adjusted close carries a small
    # dividend adjustment that grows into the past.
    lines = ["Date,Open,High,Low,Close,Volume,Adj. Close*"]
    last = quotes[-1][0]
    for day, o, h, l, c, v in reversed(quotes):
        years_back = (last - day).days / 365.25
        adj = round(c * (1.0 - 0.012 * years_back), 2)
        date = "%02d-%s-%02d" % (day.day, MONTHS[day.month - 1], day.year % 100)
        lines.append("%s,%.2f,%.2f,%.2f,%.2f,%d,%.2f" % (date, o, h, l, c, v, adj))
    return lines


def ticker_lines(ticker, quotes):
    lines = ["<TICKER>,<PER>,<DTYYYYMMDD>,<TIME>,<OPEN>,<HIGH>,<LOW>,<CLOSE>,<VOL>,<OPENINT>"]
    for day, o, h, l, c, v in quotes:
        lines.append("%s,D,%s,000000,%.2f,%.2f,%.2f,%.2f,%d,0" % (ticker, day.strftime("%Y%m%d"), o, h, l, c, v))
    return lines


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def database(symbols):
    """Records of <market>.Dat: the symbol (zero-ended, 16 bytes), then the description
    (zero-ended) in a zero-filled 1024-byte record, in symbol order."""
    out = bytearray()
    for ticker in sorted(symbols):
        record = bytearray(DB_RECORD)
        sym = ticker.encode("ascii")[:DB_SYMBOL - 1]
        name = NAMES[ticker].encode("ascii")[:DB_RECORD - DB_SYMBOL - 1]
        record[0:len(sym)] = sym
        record[DB_SYMBOL:DB_SYMBOL + len(name)] = name
        out += record
    return bytes(out)


def symbol_list(code, symbols):
    """The market's symbol list as Update List reads it (setup.ini [DOWNLOAD] MarketList_<code>):
    NYSE's in the pipe-separated form of Nasdaq's otherlisted.txt, with a test issue and the
    closing row, which the update leaves out; the others as "Symbol<TAB>Description"."""
    if code != "NYSE":
        return ["Symbol\tDescription"] + ["%s\t%s" % (t, NAMES[t]) for t in sorted(symbols)]
    lines = ["ACT Symbol|Security Name|Exchange|CQS Symbol|ETF|Round Lot Size|Test Issue|"
             "NASDAQ Symbol"]
    for t in sorted(symbols):
        lines.append("%s|%s|N|%s|N|100|N|%s" % (t, NAMES[t], t, t))
    lines.append("ZXZZT|Test Issue Common Stock|N|ZXZZT|N|100|Y|ZXZZT")
    lines.append("File Creation Time: 1231202418:00|||||||")
    return lines


def main():
    rng = random.Random(20261208)
    market_lines = ["Market\tFullName\tSuffix"]
    for code, name, suffix, holidays, symbols in MARKETS:
        market_lines.append("%s\t%s\t%s" % (code, name, suffix))
        for ticker, price, drift, vol, volume in symbols:
            days = list(trading_days(holidays, rng))
            quotes = walk(days, price, drift, vol, volume, rng)
            write(os.path.join(ROOT, "Data", code, ticker + ".csv"), csv_lines(quotes))
        if code == "NYSE":
            # One symbol in the ticker-list form, as other data vendors export it.
            days = list(trading_days(holidays, rng))
            quotes = walk(days, 56.0, 0.06, 0.3, 750_000, rng)
            write(os.path.join(ROOT, "Data", code, "ZTEK.txt"), ticker_lines("ZTEK", quotes))
    write(os.path.join(ROOT, "Index", "market.txt"), market_lines)
    for folder in ("Template", "System", "Lng", "fav"):
        os.makedirs(os.path.join(ROOT, folder), exist_ok=True)
    for code, _, _, _, symbols in MARKETS:
        with open(os.path.join(ROOT, "System", code + ".Dat"), "wb") as f:
            f.write(database([ticker for ticker, *_ in symbols]))
        write(os.path.join(ROOT, "Lists", code + ".txt"),
              symbol_list(code, [ticker for ticker, *_ in symbols]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
