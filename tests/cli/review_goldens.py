#!/usr/bin/env python3
"""Independent recomputation of the indicator golden files.

Usage: review_goldens.py QUOTES_CSV GOLDEN_DIR

Reads the quote file itself (newest 401 quotes, oldest first), builds the day, week,
month and 3-day bars, recomputes every indicator in emulated 32-bit float arithmetic
(each +, -, *, / and sqrt rounded to float32 once) and compares the "%.9g" text of every
value, the column headers and the dates with GOLDEN_DIR/<ID>-<period>.csv.
Exit status 1 and a list of differences when anything differs.
"""

import csv
import datetime
import math
import os
import struct
import sys

INF = math.inf
NAN = math.nan
MAX_QUOTES = 400


# ---------------------------------------------------------------- float32 arithmetic

def f32(x):
    try:
        return struct.unpack('<f', struct.pack('<f', x))[0]
    except OverflowError:
        return math.copysign(INF, x)


def add(a, b):
    return f32(a + b)


def sub(a, b):
    return f32(a - b)


def mul(a, b):
    return f32(a * b)


def div(a, b):
    try:
        return f32(a / b)
    except ZeroDivisionError:
        if a != a or a == 0:
            return NAN
        return math.copysign(INF, a) * math.copysign(1.0, b)


def sqrt(a):
    if a != a or a < 0:
        return NAN
    return f32(math.sqrt(a))


def finite(x):
    return math.isfinite(x)


def zr(x):
    """Zero read: non-finite values read as 0."""
    return x if math.isfinite(x) else 0.0


# ---------------------------------------------------------------- quotes and periods

MONTHS = ['Jan', 'Feb', 'Mar', 'Apr', 'May', 'Jun',
          'Jul', 'Aug', 'Sep', 'Oct', 'Nov', 'Dec']


class Bar:
    def __init__(self, date, o, h, l, c, v):
        self.date, self.open, self.high, self.low, self.close, self.volume = date, o, h, l, c, v


def parse_date(text):
    year = int(text[-2:])
    year += 2000 if year < 50 else 1900
    month = MONTHS.index(text[-6:-3]) + 1
    day = int(text[:len(text) - 7])
    return datetime.date(year, month, day)


def read_quotes(path):
    quotes = []
    with open(path, newline='') as fh:
        header = fh.readline().rstrip('\r\n')
        if header != 'Date,Open,High,Low,Close,Volume,Adj. Close*':
            raise SystemExit('unexpected header in ' + path)
        for line in fh:
            line = line.rstrip('\n').rstrip('\r')
            if len(line) < 20 or line.startswith('<'):
                continue
            f = (line.split(',') + [''] * 7)[:7]
            num = lambda s: f32(float(s)) if s else 0.0
            quotes.insert(0, Bar(parse_date(f[0]), num(f[1]), num(f[2]), num(f[3]),
                                 num(f[4]), num(f[5])))
            if len(quotes) > MAX_QUOTES:
                break
    return quotes


def weekday_number(d):
    """1 = Sunday ... 7 = Saturday."""
    return d.isoweekday() % 7 + 1


def group_bars(quotes, same_period):
    """Runs of quotes for which same_period(previous, quote) holds form one bar."""
    bars = []
    run = None
    prev = None
    for q in quotes:
        if run is not None and same_period(prev, q):
            run.high = max(run.high, q.high)
            run.low = min(run.low, q.low)
            run.volume = add(run.volume, q.volume)
        else:
            if run is not None:
                run.close = prev.close
                bars.append(run)
            run = Bar(q.date, q.open, q.high, q.low, None, q.volume)
        prev = q
    if run is not None:
        run.close = prev.close
        bars.append(run)
    return bars


def week_bars(quotes):
    return group_bars(quotes, lambda p, q: weekday_number(q.date) > weekday_number(p.date))


def month_bars(quotes):
    return group_bars(quotes, lambda p, q: q.date.month == p.date.month)


def nday_bars(quotes, n):
    bars = []
    for s in range(0, len(quotes), n):
        g = quotes[s:s + n]
        bar = Bar(g[0].date, g[0].open, g[0].high, g[0].low, g[-1].close, g[0].volume)
        for q in g[1:]:
            bar.high = max(bar.high, q.high)
            bar.low = min(bar.low, q.low)
            bar.volume = add(bar.volume, q.volume)
        bars.append(bar)
    return bars


# ---------------------------------------------------------------- series functions

def C(bars): return [b.close for b in bars]
def H(bars): return [b.high for b in bars]
def L(bars): return [b.low for b in bars]
def V(bars): return [b.volume for b in bars]


def MA_close(bars, n_):
    return MA([b.close for b in bars], n_)


def MA(x, n_):
    n = len(x)
    N = min(n_, n)
    y = []
    s = 0.0
    for i in range(N):
        s = add(s, zr(x[i]))
        y.append(INF)
    if N == 0:
        return y
    a = div(s, N)
    y[N - 1] = a
    for i in range(N, n):
        a = div(add(sub(mul(a, N), zr(x[i - N])), zr(x[i])), N)
        y.append(a)
    return y


def SMA(x, N, M):
    M = abs(M)
    if M >= N:
        return list(x)
    if not x:
        return []
    y = [zr(x[0])]
    for i in range(1, len(x)):
        y.append(div(add(mul(M, zr(x[i])), mul(N - M, y[i - 1])), N))
    return y


def EMA(x, n_):
    n = len(x)
    if n == 0:
        return []
    y = [zr(x[0])]
    N = min(n_, n)
    s = 0.0
    for i in range(N):
        s = add(s, zr(x[i]))
        y.append(INF)
    y[N] = div(s, N)
    for i in range(N + 1, n):
        y.append(div(add(mul(2, zr(x[i])), mul(N - 1, y[i - 1])), N + 1))
    return y[:n]


def WMA(x, w, n_):
    n = len(x)
    N = min(n_, n)
    y = []
    p = q = 0.0
    for i in range(N):
        p = add(p, mul(zr(x[i]), zr(w[i])))
        q = add(q, zr(w[i]))
        y.append(INF)
    if N == 0:
        return y
    y[N - 1] = div(p, q)
    for i in range(N, n):
        p = add(sub(p, mul(zr(x[i - N]), zr(w[i - N]))), mul(zr(x[i]), zr(w[i])))
        q = add(sub(q, zr(w[i - N])), zr(w[i]))
        v = div(p, q)
        y.append(v if finite(v) else INF)
    return y


def _extreme(x, N, better):
    n = len(x)
    if n == 0:
        return []
    if N >= n or N <= 0:
        N = n
    y = []
    h = zr(x[0])
    for i in range(N):
        if better(zr(x[i]), h):
            h = zr(x[i])
        y.append(h)
    for i in range(N, n):
        h = zr(x[i - N])
        for j in range(i, i - N, -1):
            if finite(x[j]) and better(x[j], h):
                h = x[j]
        y.append(h)
    return y


def HHV(x, N):
    return _extreme(x, N, lambda a, b: a > b)


def LLV(x, N):
    return _extreme(x, N, lambda a, b: a < b)


def REF(x, N):
    n = len(x)
    a = min(N, n)
    return [INF] * a + [x[i - N] for i in range(N, n)]


def SUM(x, N):
    N = abs(N)
    y = []
    s = 0.0
    if N == 0:
        for v in x:
            s = add(s, zr(v))
            y.append(s)
        return y
    for i in range(min(N, len(x))):
        s = add(s, zr(x[i]))
        y.append(s)
    for i in range(N, len(x)):
        s = add(sub(s, zr(x[i - N])), zr(x[i]))
        y.append(s)
    return y


def STD(x, n_):
    n = len(x)
    N = min(n_, n)
    s = 0.0
    for i in range(N):
        s = add(s, x[i])
    m = div(s, N)
    y = [INF] * N
    for i in range(N, n):
        m = div(add(sub(mul(m, N), x[i - N]), x[i]), N)
        d = 0.0
        for j in range(i, i - N, -1):
            t = sub(x[j], m)
            d = add(d, mul(t, t))
        y.append(sqrt(div(d, N - 1)))
    return y


def SAR(bars, step, limit):
    step, limit = f32(step), f32(limit)
    h, l, c = H(bars), L(bars), C(bars)
    n = len(bars)
    if n == 0:
        return []
    if n == 1:
        return [c[0]]
    up = c[1] >= c[0]
    sar = [h[0]]
    if up:
        sar.append(max(l[0], l[1]))
        ep = max(h[0], h[1])
    else:
        sar.append(min(h[0], h[1]))
        ep = min(l[0], l[1])
    af, k, ep_same = step, 1, False
    for i in range(2, n):
        prev = sar[i - 1]
        if k == 1:
            af = step
        elif not ep_same:
            af = add(af, step)
        if af >= limit:
            af = limit
        d = abs(mul(sub(ep, prev), af))
        if up:
            s = add(prev, d)
            if s <= l[i]:
                hh = max(h[i - k + 1:i + 1])
                ep_same = hh == ep
                ep = hh
                k += 1
                if l[i - 1] <= s:
                    s = l[i - 1]
                if s >= l[i - 2]:
                    s = l[i - 2]
                sar.append(s)
            else:
                sar.append(ep)
                up = False
                ep_same = ep == l[i]
                ep, k = l[i], 1
        else:
            s = sub(prev, d)
            if s >= h[i]:
                ll = min(l[i - k + 1:i + 1])
                ep_same = ll == ep
                ep = ll
                k += 1
                if h[i - 1] >= s:
                    s = h[i - 1]
                if s <= h[i - 2]:
                    s = h[i - 2]
                sar.append(s)
            else:
                sar.append(ep)
                up = True
                ep_same = ep == h[i]
                ep, k = h[i], 1
    return sar


# ---------------------------------------------------------------- element-wise operators

def Add(a, b): return [add(x, y) for x, y in zip(a, b)]
def Sub(a, b): return [sub(x, y) for x, y in zip(a, b)]
def Mul(a, b): return [mul(x, y) for x, y in zip(a, b)]
def Div(a, b): return [div(x, y) for x, y in zip(a, b)]
def AddK(a, k): return [add(x, f32(k)) for x in a]
def KSub(k, a): return [sub(f32(k), x) for x in a]
def MulK(a, k): return [mul(x, f32(k)) for x in a]
def DivK(a, k): return [div(x, f32(k) if k != 0 else f32(1.0e-7)) for x in a]
def KDiv(k, a): return [div(f32(k), x) for x in a]
def Greater(a, b): return [1.0 if x > y else 0.0 for x, y in zip(a, b)]
def GreaterEqual(a, b): return [1.0 if x >= y else 0.0 for x, y in zip(a, b)]
def Equal(a, b): return [1.0 if x == y else 0.0 for x, y in zip(a, b)]
def Less(a, b): return [1.0 if x < y else 0.0 for x, y in zip(a, b)]
def IF(c, a, b): return [x if t != 0 else y for t, x, y in zip(c, a, b)]
def IfElseK(c, a, k): return [x if t != 0 else f32(k) for t, x in zip(c, a)]
def IfKElse(c, k, b): return [f32(k) if t != 0 else y for t, y in zip(c, b)]
def MAX(a, b, c): return [max(x, y, z) for x, y, z in zip(a, b, c)]
def MaxK(a, k): return [x if x > f32(k) else f32(k) for x in a]
def ABS(a): return [-x if x < 0 else x for x in a]


def CROSS(a, b):
    return [0.0] + [1.0 if a[i - 1] <= b[i - 1] and a[i] > b[i] else 0.0
                    for i in range(1, len(a))]


def FlagSeries(s, p):
    return [0.0 if x == 0.0 else y for x, y in zip(s, p)]


# ---------------------------------------------------------------- indicators
# Each returns a list of (column header, values) in pane order.

def typical(b):
    return DivK(Add(Add(H(b), L(b)), C(b)), 3.0)


def ind_sma(b):
    return [('MA(%d)' % n, MA_close(b, n)) for n in (5, 10, 30, 60)]


def ind_wma(b):
    return [('WMA(C,V)(%d)' % n, WMA(C(b), V(b), n)) for n in (5, 10, 30, 60)]


def ind_ema(b):
    return [('EMA(C)(%d)' % n, EMA(C(b), n)) for n in (5, 10, 30, 60)]


def ind_bol(b):
    m = MA_close(b, 20)
    s = STD(C(b), 20)
    u = Add(m, MulK(s, 2.0))
    lo = Sub(m, MulK(s, 2.0))
    return [('U Band(20,NO Parameter)', u), ('M Band(20)', m), ('L Band(20,NO Parameter)', lo)]


def ind_mae(b):
    m = MA(C(b), 20)
    u = Add(m, MulK(m, 0.15))
    d = Add(m, MulK(m, -0.15))
    return [('M Band(20)', m), ('U Band(20,NO Parameter)', u), ('D Band(20,NO Parameter)', d)]


def ind_sar(b):
    return [('SAR(0.02,0.20)', SAR(b, 0.02, 0.2))]


def ind_kc(b):
    t = typical(b)
    mt = MA(t, 15)
    r = MA(Sub(H(b), L(b)), 15)
    return [('M Band()', t), ('U Band(15)', Add(mt, r)), ('L Band(15)', Sub(mt, r))]


def ind_52wk(b, period):
    n = {'day': 364, 'week': 52, 'month': 12, 'nday3': max(1, 364 // 3)}[period]
    return [('52WK High(%d)' % n, HHV(H(b), n)), ('52WK Low(%d)' % n, LLV(L(b), n))]


def stochastic(b):
    rsv = MulK(Div(Sub(C(b), LLV(L(b), 9)), Sub(HHV(H(b), 9), LLV(L(b), 9))), 100)
    k = SMA(rsv, 3, 1)
    d = SMA(k, 3, 1)
    return k, d


def ind_stc(b):
    k, d = stochastic(b)
    return [('K(3,1)', k), ('D(3,1)', d)]


def macd(b):
    dif = Sub(EMA(C(b), 12), EMA(C(b), 26))
    dea = EMA(dif, 9)
    return dif, dea


def ind_macd(b):
    dif, dea = macd(b)
    return [('MACD(12,26,9)', Sub(dif, dea)), ('EMA(MACD)(9)', dea), ('DIV(12,26)', dif)]


def ind_vol(b):
    return [('VOL()', V(b))]


def ind_volp(b):
    return [('VOLP()', V(b))]


def ind_adx(b):
    h, l, c = H(b), L(b), C(b)
    ref1c = REF(c, 1)
    tr = MAX(ABS(Sub(h, l)), ABS(Sub(h, ref1c)), ABS(Sub(ref1c, l)))
    up = MaxK(Sub(h, REF(h, 1)), 0)
    dn = MaxK(Sub(l, REF(l, 1)), 0)
    etr, eup, edn = EMA(tr, 14), EMA(up, 14), EMA(dn, 14)
    pdi = MulK(Div(eup, etr), 100)
    mdi = MulK(Div(edn, etr), 100)
    dx = MulK(Div(Sub(pdi, mdi), Add(pdi, mdi)), 100)
    return [('DX(14)', dx), ('ADX(14,1)', SMA(dx, 14, 1))]


def ind_atr(b):
    h, l, c = H(b), L(b), C(b)
    ref1c = REF(c, 1)
    tr = MAX(ABS(Sub(h, l)), ABS(Sub(h, ref1c)), ABS(Sub(l, ref1c)))
    return [('ATR(%d)' % n, MA(tr, n)) for n in (7, 14, 20)]


def ind_cci(b):
    out = []
    t = typical(b)
    for n in (5, 14, 20):
        m = MA(t, n)
        a = MA(ABS(Sub(t, m)), n)
        out.append(('CCI(%d)' % n, Div(Sub(t, m), MulK(a, 0.015))))
    return out


def ind_mtm(b):
    mtm = Sub(C(b), REF(C(b), 10))
    return [('MTM(,10)', mtm)] + [('EMA(MTM)(%d)' % n, EMA(mtm, n)) for n in (5, 10, 20)]


def ind_roc(b):
    out = []
    for n in (7, 14, 20):
        r = REF(C(b), n)
        out.append(('ROC(%d)' % n, Div(Sub(C(b), r), r)))
    return out


def ind_mfi(b):
    out = []
    t = typical(b)
    for n in (14, 20, 30):
        mf = Mul(t, V(b))
        pos = SUM(IfElseK(Greater(t, REF(t, 1)), mf, 0), n)
        neg = SUM(IfElseK(Less(t, REF(t, 1)), mf, 0), n)
        out.append(('MFI(%d)' % n, KSub(100, KDiv(100, AddK(Div(pos, neg), 1)))))
    return out


def ind_obv(b):
    c, v = C(b), V(b)
    s = IF(Greater(c, REF(c, 1)), v, MulK(v, -1))
    s0 = IfKElse(Equal(c, REF(c, 1)), 0, s)
    obv = SUM(s0, 0)
    return [('OBV(0)', obv)] + [('MA(OBV)(%d)' % n, MA(obv, n)) for n in (5, 10, 30)]


def ind_rsi(b):
    c = C(b)
    r = REF(c, 1)
    up = IfElseK(GreaterEqual(c, r), Sub(c, r), 0)
    dn = IfElseK(Less(c, r), Sub(r, c), 0)
    out = []
    for n in (9, 11, 25):
        su, sd = SMA(up, n, 1), SMA(dn, n, 1)
        out.append(('RSI(%d)' % n, MulK(Div(su, Add(su, sd)), 100)))
    return out


def ind_vola(b):
    a = EMA(Sub(H(b), L(b)), 10)
    bb = EMA(Sub(REF(H(b), 10), REF(L(b), 10)), 10)
    return [('VOLA(10)', MulK(Div(Sub(a, bb), bb), 100))]


def ind_vao(b):
    c, h, l, v = C(b), H(b), L(b), V(b)
    return [('VAO()', Div(Sub(Sub(c, l), Sub(h, c)), Mul(Sub(h, c), v)))]


def ind_wr(b):
    out = []
    for n in (10, 14):
        hh, ll = HHV(H(b), n), LLV(L(b), n)
        out.append(('Williams %%R(%d)' % n,
                    MulK(MulK(Div(Sub(hh, C(b)), Sub(hh, ll)), 100), -1)))
    return out


def flags(b, fast, slow, buy, sell):
    return [(buy, FlagSeries(CROSS(fast, slow), L(b))),
            (sell, FlagSeries(CROSS(slow, fast), H(b)))]


def ind_flagma(b):
    return flags(b, MA_close(b, 5), MA_close(b, 30), 'SMABuy', 'SMASell')


def ind_flagwma(b):
    return flags(b, WMA(C(b), V(b), 5), WMA(C(b), V(b), 30), 'VWMABuy', 'VWMASell')


def ind_flagema(b):
    return flags(b, EMA(C(b), 5), EMA(C(b), 30), 'EMABuy', 'EMASell')


def ind_flagsar(b):
    return flags(b, C(b), SAR(b, 0.02, 0.2), 'SARBuy', 'SARSell')


def ind_flagkdj(b):
    k, d = stochastic(b)
    return flags(b, k, d, 'STCBuy', 'STCSell')


def ind_flagmacd(b):
    dif, dea = macd(b)
    return flags(b, dif, dea, 'MACDBuy', 'MACDSell')


INDICATORS = [
    ('SMA', ind_sma), ('WMA', ind_wma), ('EMA', ind_ema), ('BOL', ind_bol), ('MAE', ind_mae),
    ('SAR', ind_sar), ('KC', ind_kc), ('52WK H and L', ind_52wk), ('STC', ind_stc),
    ('MACD', ind_macd), ('VOL', ind_vol), ('VOLP', ind_volp), ('ADX', ind_adx),
    ('ATR', ind_atr), ('CCI', ind_cci), ('MTM', ind_mtm), ('ROC', ind_roc), ('MFI', ind_mfi),
    ('OBV', ind_obv), ('RSI', ind_rsi), ('VOLA', ind_vola), ('VAO', ind_vao), ('WR', ind_wr),
    ('FLAGMA', ind_flagma), ('FLAGWMA', ind_flagwma), ('FLAGEMA', ind_flagema),
    ('FLAGSAR', ind_flagsar), ('FLAGKDJ', ind_flagkdj), ('FLAGMACD', ind_flagmacd),
]


# ---------------------------------------------------------------- small known cases

def self_check():
    """Small hand-worked cases of the functions above; returns a list of failures."""
    day = lambda y, m, d: datetime.date(y, m, d)
    bar = lambda d, c=1.0, h=1.0, l=1.0, v=1.0: Bar(d, c, h, l, c, v)
    sar2 = [Bar(None, 10, 12, 9, 10, 1), Bar(None, 11, 13, 10, 11, 1)]
    obv_bars = [bar(None, c, v=v) for c, v in ((5, 10), (6, 20), (6, 30), (4, 40))]
    cases = [
        ('EMA', EMA([1, 2, 3, 4, 5], 3), [1, INF, INF, 2, 3.5]),
        ('SMA', [fmt(v) for v in SMA([3, 6, 9], 3, 1)], ['3', '4', fmt(f32(17 / 3))]),
        ('HHV', HHV([5, 1, 2, 9, 1, 1], 2), [5, 5, 5, 9, 9, 9]),
        ('REF', REF([1, 2, 3], 1), [INF, 1, 2]),
        ('SUM', SUM([1, 2, 3], 2), [1, 3, 5]),
        ('STD', STD([1, 2, 3, 4], 2), [INF, INF, f32(math.sqrt(0.5)), f32(math.sqrt(0.5))]),
        ('CROSS', CROSS([1, 2, 3], [2, 2, 2]), [0, 0, 1]),
        ('SAR', SAR(sar2, 0.02, 0.2), [12, 10]),
        ('OBV', ind_obv(obv_bars)[0][1], [-10, 10, 10, -30]),
        ('MA', MA_close([bar(None, c) for c in (1, 2, 3, 6)], 60), [INF, INF, INF, 3]),
        ('week', len(week_bars([bar(day(2005, 12, d)) for d in (5, 6, 7, 12, 16)])), 2),
        ('week', len(week_bars([bar(day(2005, 6, 3)), bar(day(2005, 6, 13))])), 2),
        ('week', len(week_bars([bar(day(2005, 6, 6)), bar(day(2005, 6, 15))])), 1),
        ('month', len(month_bars([bar(day(2004, 1, 31)), bar(day(2005, 1, 15))])), 1),
        ('nday', len(nday_bars([bar(day(2005, 1, d)) for d in range(3, 10)], 3)), 3),
        ('date', [parse_date(t) for t in ('5-Dec-05', '05-Dec-05', '1-Jan-49', '1-Jan-50')],
         [day(2005, 12, 5), day(2005, 12, 5), day(2049, 1, 1), day(1950, 1, 1)]),
    ]
    return ['known case %s: %r, expected %r' % (n, got, exp)
            for n, got, exp in cases if got != exp]


# ---------------------------------------------------------------- comparison

def fmt(x):
    if x != x:
        return 'nan'
    return '%.9g' % x


def check_file(path, bars, columns, problems):
    with open(path, newline='') as fh:
        rows = list(csv.reader(fh))
    name = os.path.basename(path)
    want_header = ['index', 'date'] + [h for h, _ in columns]
    if rows[0] != want_header:
        problems.append('%s: header %r, expected %r' % (name, rows[0], want_header))
    if len(rows) - 1 != len(bars):
        problems.append('%s: %d rows, expected %d' % (name, len(rows) - 1, len(bars)))
    compared = 0
    for i, row in enumerate(rows[1:len(bars) + 1]):
        want = [str(i), bars[i].date.isoformat()] + [fmt(v[i]) for _, v in columns]
        for col, (got, exp) in enumerate(zip(row, want)):
            compared += 1
            if got != exp:
                problems.append('%s: bar %d column %r: golden %s, computed %s'
                                % (name, i, want_header[col], got, exp))
        if len(row) != len(want):
            problems.append('%s: bar %d has %d fields, expected %d'
                            % (name, i, len(row), len(want)))
    return compared


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    quotes = read_quotes(argv[1])
    periods = {
        'day': quotes,
        'week': week_bars(quotes),
        'month': month_bars(quotes),
        'nday3': nday_bars(quotes, 3),
    }
    problems = self_check()
    files = values = 0
    for ident, build in INDICATORS:
        for period, bars in periods.items():
            if ident == '52WK H and L':
                columns = build(bars, period)
            else:
                columns = build(bars)
            path = os.path.join(argv[2], '%s-%s.csv' % (ident.replace(' ', '_'), period))
            values += check_file(path, bars, columns, problems)
            files += 1
    for p in problems:
        print(p)
    print('%d files, %d fields compared, %d differences' % (files, values, len(problems)))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
