#!/usr/bin/env python3
"""Runs every zentristock-cli subcommand on the test fixtures and keeps what each printed.

Usage: cli-snapshot.py CLI OUT_DIR            write a snapshot
       cli-snapshot.py --compare DIR_A DIR_B  tell where two snapshots differ (exit 1 if any)

A run keeps its exit status, stdout, stderr and every file it wrote into its output folder
(charts, templates, PNG images, downloaded quotes, symbol databases). The runs read copies
of the fixtures in one fixed folder, so that paths stored in charts are the same whichever
checkout made the snapshot and two snapshots compare byte for byte. Download and
update-list run against the test suite's quote server on 127.0.0.1.
"""
import filecmp
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SERVER = os.path.join(ROOT, "tests", "server", "quote_server.py")
WORK = "/tmp/zentristock-cli-snapshot"
FIXTURES = os.path.join(WORK, "fixtures")
SAMPLE = os.path.join(WORK, "sample")
TTRC = os.path.join(FIXTURES, "ttrc.csv")
SHORT = os.path.join(FIXTURES, "short.csv")
ACME = os.path.join(SAMPLE, "Data", "NYSE", "ACME.csv")

INDICATORS = ["SMA", "WMA", "EMA", "BOL", "MAE", "SAR", "KC", "52WK H and L", "STC", "MACD",
              "VOL", "VOLP", "ADX", "ATR", "CCI", "MTM", "ROC", "MFI", "OBV", "RSI", "VOLA",
              "VAO", "WR", "FLAGMA", "FLAGWMA", "FLAGEMA", "FLAGSAR", "FLAGKDJ", "FLAGMACD"]

# Every drawing tool with a class, and icons.
TOOLS = ["0:1:40,18,70,21", "0:2:52,19,82,22", "0:3:64,20,94,23", "0:6:76,21,106,24", "0:7:88,22,118,25", "0:8:100,18,130,26", "0:9:112,19,142,27", "0:10:124,20,154,21", "0:11:136,21,166,22", "0:12:148,22,178,23", "0:13:160,18,190,24", "0:15:172,19,202,25", "0:16:184,20,214,26", "0:17:196,21,226,27", "0:19:208,22,238,21", "0:20:220,18,250,22", "0:24:232,19,262,23", "0:27:244,20,274,24", "0:28:256,21,286,25", "0:29:268,22,298,26", "0:30:280,18,310,27", "0:51:292,19,322,21", "0:60:304,20,334,22", "0:90:316,21,346,23"]


def runs(out, server):
    """(name, argv) of every run; OUT is where runs write their files."""
    r = []
    for period in ["day", "week", "month", "nday:3"]:
        r.append(("quotes-short-" + period, ["quotes", SHORT, "--period", period]))
        r.append(("quotes-ttrc-" + period, ["quotes", TTRC, "--period", period,
                                           "--max-quotes", "250"]))
        for ind in INDICATORS:
            r.append(("indicator-%s-%s" % (ind, period),
                      ["indicator", TTRC, ind, "--period", period]))
    r += [
        ("quotes-missing", ["quotes", os.path.join(FIXTURES, "none.csv")]),
        ("quotes-badperiod", ["quotes", SHORT, "--period", "year"]),
        ("fresh-acme-home", ["quotes", ACME, "--home", "FRESH"]),
        ("indicator-json", ["indicator", TTRC, "KC", "--format", "json"]),
        ("indicator-unknown", ["indicator", TTRC, "nope"]),
        ("costdist", ["costdist", TTRC, "--bar", "120"]),
        ("costdist-week", ["costdist", TTRC, "--period", "week", "--bar", "30"]),
        ("costdist-bad", ["costdist", SHORT, "--bar", "9"]),
        ("gann", ["gann"]),
        ("gann-colors", ["gann", "--rows", "7", "--start", "3", "--end", "2", "--colors"]),
        ("gann-bad", ["gann", "--rows", "0"]),
        ("usage", []),
        ("fresh-quotes", ["quotes", SHORT]),
        ("fresh-render", ["render", "--quotes", SHORT, "--out", os.path.join(out, "f.png")]),
        ("unknown", ["nosuch"]),
    ]
    chart_args = ["chart", "new", "--quotes", TTRC, "--period", "week", "--panes", "3",
                  "--add", "0:SMA", "--add", "1:MACD", "--add", "2:RSI", "--add", "0:FLAGMA"]
    for t in TOOLS:
        chart_args += ["--tool", t]
    r += [
        ("chart-new", chart_args + ["--out", os.path.join(out, "a.cht")]),
        ("chart-dump", ["chart", "dump", os.path.join(out, "a.cht")]),
        ("chart-dump-missing", ["chart", "dump", os.path.join(out, "none.cht")]),
        ("chart-dump-garbage", ["chart", "dump", SHORT]),
        ("template-save", ["template", "save", "--chart", os.path.join(out, "a.cht"),
                           "--out", os.path.join(out, "a.tmp")]),
        ("template-dump", ["template", "dump", os.path.join(out, "a.tmp")]),
        ("template-dump-sample", ["template", "dump", os.path.join(SAMPLE, "System", "DTemp")]),
        ("chart-plain", ["chart", "new", "--quotes", SHORT, "--out",
                         os.path.join(out, "b.cht")]),
        ("template-apply", ["template", "apply", "--chart", os.path.join(out, "b.cht"),
                            "--template", os.path.join(out, "a.tmp"),
                            "--out", os.path.join(out, "c.cht")]),
        ("chart-dump-applied", ["chart", "dump", os.path.join(out, "c.cht")]),
        ("render-chart", ["render", os.path.join(out, "a.cht"), "--out",
                          os.path.join(out, "a.png"), "--size", "640x480"]),
        ("render-quotes", ["render", "--quotes", ACME, "--add", "0:SMA", "--add", "1:VOL",
                           "--add", "2:MACD", "--tool", "0:3:50,20,90,30",
                           "--out", os.path.join(out, "acme.png")]),
        ("render-badtool", ["render", "--quotes", SHORT, "--tool", "0:99:1,1,2,2",
                            "--out", os.path.join(out, "bad.png")]),
        ("lookup", ["lookup", "--home", "HOME", "MSFT"]),
        ("update-list", ["update-list", "--home", "HOME", "--market", "NYSE", "--market",
                         "AMEX", "--server", server, "--timeout", "3000"]),
        ("lookup-after", ["lookup", "--home", "HOME", "GE"]),
        ("download-full", ["download", "--home", "HOME", "--ticker", "IBM", "--market", "NYSE",
                           "--full", "--server", server, "--timeout", "3000"]),
        ("download-renew", ["download", "--home", "HOME", "--ticker", "IBM", "--market",
                            "NYSE", "--renew", "--server", server, "--timeout", "3000"]),
        ("download-unknown", ["download", "--home", "HOME", "--ticker", "NOSUCH", "--market",
                              "NYSE", "--server", server, "--timeout", "3000"]),
        ("download-unsafe", ["download", "--home", "HOME", "--ticker", "../x", "--market",
                             "NYSE", "--full", "--server", server, "--timeout", "3000"]),
    ]
    return r


def start_server(root):
    os.makedirs(os.path.join(root, "quotes"))
    os.makedirs(os.path.join(root, "mklist"))
    with open(SHORT) as f:
        short = [l for l in f.read().splitlines() if l[:1].isdigit()]
    with open(os.path.join(root, "quotes", "IBM.csv"), "w") as f:
        f.write("Date,Open,High,Low,Close,Volume,Adj. Close*\n" + "\n".join(short) + "\n")
    with open(os.path.join(root, "mklist", "NYSE.txt"), "w") as f:
        f.write("Symbol\tDescription\nGE\tGeneral Electric\nIBM\tInternational Business Machines\n")
    proc = subprocess.Popen([sys.executable, SERVER, "--root", root], stdout=subprocess.PIPE,
                            text=True)
    port = int(proc.stdout.readline())
    return proc, "http://127.0.0.1:%d" % port


def snapshot(cli, out):
    os.makedirs(out, exist_ok=True)
    work = WORK
    shutil.rmtree(work, ignore_errors=True)
    shutil.copytree(os.path.join(ROOT, "tests", "data"), FIXTURES)
    # A fresh installation: whatever an earlier run left in data/ is not copied.
    shutil.copytree(os.path.join(ROOT, "data"), SAMPLE,
                    ignore=shutil.ignore_patterns("setup.ini", "setup.ini.*"))
    try:
        server, url = start_server(os.path.join(work, "server"))
        try:
            home = os.path.join(work, "home")
            shutil.copytree(SAMPLE, home)
            # With the section present no run needs to write setup.ini, so each run sees the
            # same settings; "fresh-" runs start from an installation without a setup.ini.
            with open(os.path.join(home, "setup.ini"), "w") as f:
                f.write("[STOCKLINE_SETUP]\nDisDayNum=50\nDisPeriod=400\n")
            files = os.path.join(out, "files")
            os.makedirs(files, exist_ok=True)
            env = dict(os.environ, TZ="UTC", ZENTRISTOCK_HOME=home,
                       QT_QPA_PLATFORM="offscreen")
            for name, args in runs(files, url):
                run_env, fresh = env, None
                if name.startswith("fresh-"):
                    fresh = os.path.join(work, name)
                    shutil.copytree(os.path.join(ROOT, "data"), fresh,
                                    ignore=shutil.ignore_patterns("setup.ini", "setup.ini.*"))
                    run_env = dict(env, ZENTRISTOCK_HOME=fresh)
                args = [home if a == "HOME" else fresh if a == "FRESH" else a for a in args]
                p = subprocess.run([cli] + args, capture_output=True, env=run_env)
                text = b"status %d\n--- stdout\n%s--- stderr\n%s" % (p.returncode, p.stdout,
                                                                      p.stderr)
                for path, tag in ((home, b"HOME"), (files, b"OUT"), (url, "SERVER"),
                                  (fresh or home, b"FRESH")):
                    text = text.replace(path.encode(), tag if isinstance(tag, bytes)
                                        else tag.encode())
                with open(os.path.join(out, name + ".txt"), "wb") as f:
                    f.write(text)
            # The files the runs wrote into the home (downloads, databases), not the lock.
            for sub in ["Data/NYSE/IBM.csv", "System/NYSE.Dat"]:
                src = os.path.join(home, sub)
                if os.path.exists(src):
                    shutil.copy(src, os.path.join(files, sub.replace("/", "_")))
        finally:
            server.kill()
            server.wait()
    finally:
        shutil.rmtree(work)


def compare(a, b):
    cmp = filecmp.dircmp(a, b)
    bad = []

    def walk(c, prefix):
        bad.extend(prefix + n for n in c.diff_files + c.left_only + c.right_only)
        for name, sub in c.subdirs.items():
            walk(sub, prefix + name + "/")
    walk(cmp, "")
    for n in bad:
        print("differs:", n)
    count = sum(len(fs) for _, _, fs in os.walk(a))
    print("%d files compared, %d differ" % (count, len(bad)))
    return 1 if bad else 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--compare":
        sys.exit(compare(sys.argv[2], sys.argv[3]))
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    snapshot(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]))
