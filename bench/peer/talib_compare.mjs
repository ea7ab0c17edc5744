// Peer measurement: the same indicators as bench_peer_compare, computed with TA-Lib through
// its Node bindings (the `talib` npm package), over the same bar file.
//
// Install the peer outside the repository (it builds TA-Lib's C sources with node-gyp, which
// needs python3, make and g++):
//   mkdir -p /work/scratch/talib && cd /work/scratch/talib && npm init -y && npm install talib
// Write the bar file with our benchmark program and run both sides:
//   bench_peer_compare --write-bars=/work/scratch/peer/bars-1m.bin
//   node bench/peer/talib_compare.mjs /work/scratch/talib /work/scratch/peer/bars-1m.bin [runs]
//   ZS_PEER_BARS=/work/scratch/peer/bars-1m.bin bench_peer_compare
//
// Bar file (little-endian): 8 bytes "ZSBARS1\0", uint32 bar count n, uint32 0, then five
// arrays of n 32-bit floats: open, high, low, close, volume.
//
// The floats are converted once to plain arrays of doubles (what the bindings take) before
// any timing. Each case is run `runs` times (default 7) after one warm-up run, with a garbage
// collection before every run; the best run is printed. Inside a run only the synchronous
// talib.execute calls are timed as "talib"; the plain JavaScript that TA-Lib has no function
// for (envelope factors, copies, crossing loops) is timed separately as "js". The execute
// time includes the bindings' conversion of every input array to doubles and of every output
// array back to JavaScript numbers.
import { createRequire } from "node:module";
import { readFileSync } from "node:fs";
import path from "node:path";
import v8 from "node:v8";
import vm from "node:vm";

const [talibDir, barFile, runsArg] = process.argv.slice(2);
if (!talibDir || !barFile) {
    console.error("usage: node talib_compare.mjs TALIB_INSTALL_DIR BAR_FILE [runs]");
    process.exit(2);
}
const runs = Math.max(1, Number(runsArg ?? 7));
const talib = createRequire(path.join(path.resolve(talibDir), "package.json"))("talib");

v8.setFlagsFromString("--expose-gc");
const collectGarbage = vm.runInNewContext("gc");

function readBars(file) {
    const bytes = readFileSync(file);
    if (bytes.length < 16 || bytes.toString("latin1", 0, 8) !== "ZSBARS1\0")
        throw new Error(`${file} is not a bar file`);
    const n = bytes.readUInt32LE(8);
    if (bytes.length !== 16 + 5 * 4 * n) throw new Error(`${file} has the wrong size`);
    const column = (k) => {
        const floats = new Float32Array(n);
        new Uint8Array(floats.buffer).set(bytes.subarray(16 + k * 4 * n, 16 + (k + 1) * 4 * n));
        return Array.from(floats); // doubles, exactly the float values
    };
    return { n, open: column(0), high: column(1), low: column(2), close: column(3),
             volume: column(4) };
}

const d = readBars(barFile);

// One run's clock: talib.execute calls and plain JavaScript are summed apart.
class Clock {
    constructor() { this.talibNs = 0n; this.jsNs = 0n; }
    // A TA-Lib function over arrays whose first value is bar `beg` of the series; returns
    // its outputs with the bar of their first value.
    ta(name, inputs, options = {}) {
        const first = Object.values(inputs)[0];
        const beg = inputs.beg ?? 0;
        delete inputs.beg;
        const t0 = process.hrtime.bigint();
        const r = talib.execute({ name, startIdx: 0, endIdx: first.length - 1, ...inputs,
                                  ...options });
        this.talibNs += process.hrtime.bigint() - t0;
        return { beg: beg + r.begIndex, out: r.result };
    }
    js(work) {
        const t0 = process.hrtime.bigint();
        const result = work();
        this.jsNs += process.hrtime.bigint() - t0;
        return result;
    }
}

// Two series that start at different bars, cut to their common bars.
function align(a, aBeg, b, bBeg) {
    const beg = Math.max(aBeg, bBeg);
    return { beg, a: a.slice(beg - aBeg), b: b.slice(beg - bBeg) };
}

// The crossing rule of our flag systems: bar i >= 1 buys where fast[i-1] <= slow[i-1] and
// fast[i] > slow[i], sells where slow crosses above fast; bars before a series' first value
// compare as +infinity. Buy flags sit at the low, sell flags at the high.
function crossFlags(fast, fastBeg, slow, slowBeg) {
    const n = d.n, low = d.low, high = d.high;
    const buy = new Float64Array(n), sell = new Float64Array(n);
    let f0 = fastBeg <= 0 ? fast[0] : Infinity, s0 = slowBeg <= 0 ? slow[0] : Infinity;
    for (let i = 1; i < n; ++i) {
        const f1 = i >= fastBeg ? fast[i - fastBeg] : Infinity;
        const s1 = i >= slowBeg ? slow[i - slowBeg] : Infinity;
        if (f0 <= s0 && f1 > s1) buy[i] = low[i];
        if (s0 <= f0 && s1 > f1) sell[i] = high[i];
        f0 = f1; s0 = s1;
    }
    return [buy, sell];
}

const HLC = () => ({ high: d.high, low: d.low, close: d.close });
const sma = (c, x, n, beg = 0) => c.ta("SMA", { inReal: x, beg }, { optInTimePeriod: n });
const ema = (c, x, n, beg = 0) => c.ta("EMA", { inReal: x, beg }, { optInTimePeriod: n });

// Sum of close*volume over sum of volume, each window n.
function vwma(c, cv, n) {
    const num = c.ta("SUM", { inReal: cv }, { optInTimePeriod: n });
    const den = c.ta("SUM", { inReal: d.volume }, { optInTimePeriod: n });
    return c.ta("DIV", { inReal0: num.out.outReal, inReal1: den.out.outReal, beg: num.beg });
}

function stochKD(c) {
    // EMA 5 has the factor 1/3 of our SMA(x,3,1) smoothing.
    return c.ta("STOCH", HLC(), { optInFastK_Period: 9, optInSlowK_Period: 5,
                                  optInSlowK_MAType: 1, optInSlowD_Period: 5,
                                  optInSlowD_MAType: 1 });
}

const macd = (c) => c.ta("MACD", { inReal: d.close },
                         { optInFastPeriod: 12, optInSlowPeriod: 26, optInSignalPeriod: 9 });

const cases = [
    ["SMA", "SMA 5,10,30,60", (c) => { for (const n of [5, 10, 30, 60]) sma(c, d.close, n); }],
    ["WMA", "MULT(C,V) once; per N: SUM(CV),SUM(V),DIV", (c) => {
        const cv = c.ta("MULT", { inReal0: d.close, inReal1: d.volume }).out.outReal;
        for (const n of [5, 10, 30, 60]) vwma(c, cv, n);
    }],
    ["EMA", "EMA 5,10,30,60", (c) => { for (const n of [5, 10, 30, 60]) ema(c, d.close, n); }],
    ["BOL", "BBANDS(20,2,2,SMA); population deviation", (c) => {
        c.ta("BBANDS", { inReal: d.close }, { optInTimePeriod: 20, optInNbDevUp: 2,
                                              optInNbDevDn: 2, optInMAType: 0 });
    }],
    ["MAE", "SMA(20); bands M+-M*0.15 in a JS loop", (c) => {
        const m = sma(c, d.close, 20).out.outReal;
        c.js(() => {
            const u = new Float64Array(m.length), lo = new Float64Array(m.length);
            for (let i = 0; i < m.length; ++i) {
                u[i] = m[i] + m[i] * 0.15;
                lo[i] = m[i] + m[i] * -0.15;
            }
            return [u, lo];
        });
    }],
    ["SAR", "SAR(0.02,0.2)", (c) => {
        c.ta("SAR", { high: d.high, low: d.low }, { optInAcceleration: 0.02, optInMaximum: 0.2 });
    }],
    ["KC", "TYPPRICE; SMA15(T); SUB(H,L); SMA15(R); ADD; SUB", (c) => {
        const t = c.ta("TYPPRICE", HLC()).out.outReal;
        const mt = sma(c, t, 15);
        const r = sma(c, c.ta("SUB", { inReal0: d.high, inReal1: d.low }).out.outReal, 15);
        c.ta("ADD", { inReal0: mt.out.outReal, inReal1: r.out.outReal });
        c.ta("SUB", { inReal0: mt.out.outReal, inReal1: r.out.outReal });
    }],
    ["52WK H and L", "MAX(H,365), MIN(L,365) (our window spans 365 bars)", (c) => {
        c.ta("MAX", { inReal: d.high }, { optInTimePeriod: 365 });
        c.ta("MIN", { inReal: d.low }, { optInTimePeriod: 365 });
    }],
    ["STC", "STOCH(9, K: EMA5, D: EMA5)", (c) => { stochKD(c); }],
    ["MACD", "MACD(12,26,9)", (c) => { macd(c); }],
    ["VOL", "copy of the volume array (JS)", (c) => { c.js(() => d.volume.slice()); }],
    ["VOLP", "copy of the volume array (JS)", (c) => { c.js(() => d.volume.slice()); }],
    ["ADX", "ADX(14) + DX(14)", (c) => {
        c.ta("ADX", HLC(), { optInTimePeriod: 14 });
        c.ta("DX", HLC(), { optInTimePeriod: 14 });
    }],
    ["ATR", "ATR 7,14,20 (Wilder smoothing)", (c) => {
        for (const n of [7, 14, 20]) c.ta("ATR", HLC(), { optInTimePeriod: n });
    }],
    ["CCI", "CCI 5,14,20", (c) => {
        for (const n of [5, 14, 20]) c.ta("CCI", HLC(), { optInTimePeriod: n });
    }],
    ["MTM", "MOM(10); EMA 5,10,20 of it", (c) => {
        const m = c.ta("MOM", { inReal: d.close }, { optInTimePeriod: 10 });
        for (const n of [5, 10, 20]) ema(c, m.out.outReal, n, m.beg);
    }],
    ["ROC", "ROCP 7,14,20 (fraction, as ours)", (c) => {
        for (const n of [7, 14, 20]) c.ta("ROCP", { inReal: d.close }, { optInTimePeriod: n });
    }],
    ["MFI", "MFI 14,20,30", (c) => {
        for (const n of [14, 20, 30])
            c.ta("MFI", { ...HLC(), volume: d.volume }, { optInTimePeriod: n });
    }],
    ["OBV", "OBV; SMA 5,10,30 of it", (c) => {
        const o = c.ta("OBV", { inReal: d.close, volume: d.volume });
        for (const n of [5, 10, 30]) sma(c, o.out.outReal, n);
    }],
    ["RSI", "RSI 9,11,25 (Wilder = our SMA(x,N,1))", (c) => {
        for (const n of [9, 11, 25]) c.ta("RSI", { inReal: d.close }, { optInTimePeriod: n });
    }],
    ["VOLA", "SUB(H,L); EMA10; ROC(10) of it", (c) => {
        const a = ema(c, c.ta("SUB", { inReal0: d.high, inReal1: d.low }).out.outReal, 10);
        c.ta("ROC", { inReal: a.out.outReal, beg: a.beg }, { optInTimePeriod: 10 });
    }],
    ["VAO", "SUB(C,L); SUB(H,C); SUB; MULT(HC,V); DIV", (c) => {
        const cl = c.ta("SUB", { inReal0: d.close, inReal1: d.low }).out.outReal;
        const hc = c.ta("SUB", { inReal0: d.high, inReal1: d.close }).out.outReal;
        const num = c.ta("SUB", { inReal0: cl, inReal1: hc }).out.outReal;
        const den = c.ta("MULT", { inReal0: hc, inReal1: d.volume }).out.outReal;
        c.ta("DIV", { inReal0: num, inReal1: den });
    }],
    ["WR", "WILLR 10,14", (c) => {
        for (const n of [10, 14]) c.ta("WILLR", HLC(), { optInTimePeriod: n });
    }],
    ["FLAGMA", "SMA 5, SMA 30; JS crossing loop", (c) => {
        const f = sma(c, d.close, 5), s = sma(c, d.close, 30);
        c.js(() => crossFlags(f.out.outReal, f.beg, s.out.outReal, s.beg));
    }],
    ["FLAGWMA", "MULT; VWMA 5 and 30 as WMA; JS crossing loop", (c) => {
        const cv = c.ta("MULT", { inReal0: d.close, inReal1: d.volume }).out.outReal;
        const f = vwma(c, cv, 5), s = vwma(c, cv, 30);
        c.js(() => crossFlags(f.out.outReal, f.beg, s.out.outReal, s.beg));
    }],
    ["FLAGEMA", "EMA 5, EMA 30; JS crossing loop", (c) => {
        const f = ema(c, d.close, 5), s = ema(c, d.close, 30);
        c.js(() => crossFlags(f.out.outReal, f.beg, s.out.outReal, s.beg));
    }],
    ["FLAGSAR", "SAR(0.02,0.2); JS crossing loop against the close", (c) => {
        const s = c.ta("SAR", { high: d.high, low: d.low },
                       { optInAcceleration: 0.02, optInMaximum: 0.2 });
        c.js(() => crossFlags(d.close, 0, s.out.outReal, s.beg));
    }],
    ["FLAGKDJ", "STOCH as STC; JS crossing loop K/D", (c) => {
        const k = stochKD(c);
        c.js(() => crossFlags(k.out.outSlowK, k.beg, k.out.outSlowD, k.beg));
    }],
    ["FLAGMACD", "MACD(12,26,9); JS crossing loop DIF/DEA", (c) => {
        const m = macd(c);
        c.js(() => crossFlags(m.out.outMACD, m.beg, m.out.outMACDSignal, m.beg));
    }],
    // Variants, for the notes.
    ["~ATR as TRANGE+SMA", "TRANGE; SMA 7,14,20 (our simple average)", (c) => {
        const tr = c.ta("TRANGE", HLC());
        for (const n of [7, 14, 20]) sma(c, tr.out.outReal, n, tr.beg);
    }],
    ["~ROC as ROC", "ROC 7,14,20 (per cent)", (c) => {
        for (const n of [7, 14, 20]) c.ta("ROC", { inReal: d.close }, { optInTimePeriod: n });
    }],
    ["~MAE with MULT", "SMA(20); MULT by constant arrays; ADD", (c) => {
        const m = sma(c, d.close, 20).out.outReal;
        const up = c.ta("MULT", { inReal0: m, inReal1: constant(m.length, 0.15) }).out.outReal;
        const dn = c.ta("MULT", { inReal0: m, inReal1: constant(m.length, -0.15) }).out.outReal;
        c.ta("ADD", { inReal0: m, inReal1: up });
        c.ta("ADD", { inReal0: m, inReal1: dn });
    }],
    ["~one SMA(5) call", "per-call floor: 1M in, 1M out", (c) => { sma(c, d.close, 5); }],
    ["~one SUB call", "2M in, 1M out, no arithmetic to speak of", (c) => {
        c.ta("SUB", { inReal0: d.high, inReal1: d.low });
    }],
];

const constants = new Map();
function constant(n, k) { // built once, outside the timing
    const key = `${n}:${k}`;
    if (!constants.has(key)) constants.set(key, new Array(n).fill(k));
    return constants.get(key);
}
for (const n of [d.n - 19]) { constant(n, 0.15); constant(n, -0.15); }

const filter = process.env.PEER_FILTER ? new RegExp(process.env.PEER_FILTER) : null;
console.log(`talib ${talib.version}, node ${process.version}, ${d.n} bars, best of ${runs}`);
console.log(["case", "best_ms", "talib_ms", "js_ms", "median_ms", "composition"].join("\t"));
for (const [name, note, work] of cases) {
    if (filter && !filter.test(name)) continue;
    work(new Clock()); // warm-up
    const results = [];
    for (let r = 0; r < runs; ++r) {
        collectGarbage();
        const c = new Clock();
        work(c);
        results.push(c);
    }
    const total = (c) => Number(c.talibNs + c.jsNs) / 1e6;
    results.sort((a, b) => total(a) - total(b));
    const best = results[0], median = results[Math.floor(results.length / 2)];
    console.log([name, total(best).toFixed(2), (Number(best.talibNs) / 1e6).toFixed(2),
                 (Number(best.jsNs) / 1e6).toFixed(2), total(median).toFixed(2), note].join("\t"));
}
