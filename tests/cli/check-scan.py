#!/usr/bin/env python3
"""The market scan over a generated market of 200 symbols whose crossings are known: a quarter
cross up on the last bar, a quarter cross down on it, a quarter never cross and a quarter cross
up eight bars before the end. The listed symbols must be exactly those; a damaged file is
reported on stderr and skipped; a file of another kind is left alone.
Usage: check-scan.py CLI"""
import datetime
import json
import os
import subprocess
import sys
import tempfile

BARS = 60
START = datetime.date(2024, 1, 1)


def closes(kind):
    c = [100.0] * BARS
    if kind == 0:
        c[-1] = 200.0
    elif kind == 1:
        c[-1] = 50.0
    elif kind == 3:
        c[52:] = [200.0] * (BARS - 52)
    return c


def day(i):
    return START + datetime.timedelta(days=i)


def quote_text(values):
    lines = ["Date,Open,High,Low,Close,Volume,Adj. Close*"]
    for i in reversed(range(len(values))):
        d = day(i)
        c = values[i]
        lines.append(f"{d.day}-{d.strftime('%b')}-{d.strftime('%y')},{c},{c + 1},{c - 1},{c},1000,{c}")
    return "\n".join(lines) + "\n"


def record(symbol, name):
    return symbol.encode().ljust(16, b"\0") + name.encode().ljust(1008, b"\0")


def run(cli, home, *args):
    env = dict(os.environ, TZ="UTC")
    return subprocess.run([cli, "scan", "--home", home, "--market", "GEN", *args],
                          capture_output=True, text=True, env=env)


def main():
    cli = sys.argv[1]
    failures = []
    with tempfile.TemporaryDirectory() as home:
        market = os.path.join(home, "Data", "GEN")
        os.makedirs(market)
        os.makedirs(os.path.join(home, "System"))
        database = b""
        for n in range(200):
            symbol = f"S{n:03d}"
            with open(os.path.join(market, symbol + ".csv"), "w") as f:
                f.write(quote_text(closes(n % 4)))
            database += record(symbol, f"Company {n}, Inc.")
        with open(os.path.join(home, "System", "GEN.Dat"), "wb") as f:
            f.write(database)
        damaged = quote_text(closes(0)).splitlines()
        damaged[30] = "3-Jan-24,100,101,99,1O0,1000,100"
        with open(os.path.join(market, "BAD.csv"), "w") as f:
            f.write("\n".join(damaged) + "\n")
        with open(os.path.join(market, "notes"), "w") as f:
            f.write("not a quote file\n")

        last = day(BARS - 1).isoformat()

        def row(n, date, signal, close):
            return f'S{n:03d},"Company {n}, Inc.",{date},{signal},{close}'

        def expect(name, args, rows, status=0):
            done = run(cli, home, *args)
            got = done.stdout.splitlines()
            want = ["symbol,name,date,signal,close"] + rows
            if done.returncode != status or got != want:
                failures.append(f"{name}: status {done.returncode}, stdout {got[:5]}..., "
                                f"stderr {done.stderr!r}")
            if "skipped " + os.path.join(market, "BAD.csv") + ":" not in done.stderr:
                failures.append(f"{name}: the damaged file was not reported: {done.stderr!r}")
            if "notes" in done.stderr:
                failures.append(f"{name}: a file of another kind was scanned")

        last_bar = [row(n, last, "buy" if n % 4 == 0 else "sell", 200 if n % 4 == 0 else 50)
                    for n in range(200) if n % 4 in (0, 1)]
        expect("signal", ["--signal", "FLAGMA"], last_bar)
        ten_bars = []
        for n in range(200):
            if n % 4 == 3:
                ten_bars.append(row(n, day(52).isoformat(), "buy", 200))
            elif n % 4 in (0, 1):
                ten_bars.append(last_bar[(n // 4) * 2 + n % 4])
        expect("signal-ten-bars", ["--signal", "FLAGMA", "--bars", "10"], ten_bars)
        expect("formula", ["--formula", "UP: CROSS(MA(C,5),MA(C,30)); FLAT := C=REF(C,1)"],
               [row(n, last, "UP", 200) for n in range(200) if n % 4 == 0])

        done = run(cli, home, "--signal", "FLAGMA", "--format", "json")
        listed = [(r["symbol"], r["signal"], r["date"]) for r in json.loads(done.stdout)]
        want = [(f"S{n:03d}", "buy" if n % 4 == 0 else "sell", last)
                for n in range(200) if n % 4 in (0, 1)]
        if listed != want:
            failures.append(f"json: {listed[:4]}...")

        for args, status in ((["--signal", "FLAGXX"], 2), (["--formula", "CROSS(C"], 1),
                             (["--signal", "FLAGMA", "--formula", "C"], 2)):
            done = run(cli, home, *args)
            if done.returncode != status:
                failures.append(f"{args}: status {done.returncode}, expected {status}")
    for f in failures:
        print(f, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
