#!/usr/bin/env python3
"""`zentristock-cli render` replaces its PNG as every writer of the program does: the new
picture goes to a temporary file that is renamed over the old one, so a failed write leaves the
old picture byte for byte (and no temporary file), and a good one is a new file, not the old one
rewritten in place (a hard link to the old file still shows the old picture)."""
import os
import resource
import signal
import subprocess
import sys
import tempfile

cli, quotes = sys.argv[1], sys.argv[2]
OLD = b"\x89PNG\r\n\x1a\n" + b"an older picture" * 64


def render(home, out, file_limit=None):
    def limit():
        if file_limit is not None:
            # A full disk: writes beyond the limit fail (EFBIG) instead of killing the writer.
            signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
            hard = resource.getrlimit(resource.RLIMIT_FSIZE)[1]
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_limit, hard))
    env = dict(os.environ, ZENTRISTOCK_HOME=home, QT_QPA_PLATFORM="offscreen")
    return subprocess.run([cli, "render", "--quotes", quotes, "--out", out, "--size", "640x400"],
                          env=env, capture_output=True, preexec_fn=limit)


failures = []
with tempfile.TemporaryDirectory() as home:
    pictures = os.path.join(home, "pictures")
    os.mkdir(pictures)
    # (case, output name, file-size limit, expected exit status, old picture kept)
    cases = [
        ("full disk", "full.png", 4096, 1, True),
        ("missing folder", "no/such/folder.png", None, 1, False),
        ("output is a folder", "folder.png", None, 1, False),
        ("good write", "good.png", None, 0, False),
    ]
    os.mkdir(os.path.join(pictures, "folder.png"))
    for case, name, file_limit, status, kept in cases:
        out = os.path.join(pictures, name)
        link = os.path.join(home, name.replace("/", "_") + ".link")
        if os.path.isdir(os.path.dirname(out)) and not os.path.isdir(out):
            with open(out, "wb") as f:
                f.write(OLD)
            os.link(out, link)
        before = set(os.listdir(pictures))
        run = render(home, out, file_limit)
        if run.returncode != status:
            failures.append(f"{case}: exit {run.returncode}, expected {status}: "
                            f"{run.stderr.decode()}")
        if status != 0 and b"cannot be written" not in run.stderr:
            failures.append(f"{case}: no message: {run.stderr.decode()}")
        if set(os.listdir(pictures)) != before:
            failures.append(f"{case}: files {sorted(before)} became "
                            f"{sorted(os.listdir(pictures))}")
        if kept:
            with open(out, "rb") as f:
                if f.read() != OLD:
                    failures.append(f"{case}: the old picture was not kept byte for byte")
        if status == 0:
            with open(out, "rb") as f:
                if f.read(8) != b"\x89PNG\r\n\x1a\n":
                    failures.append(f"{case}: no PNG written")
            with open(link, "rb") as f:
                if f.read() != OLD:
                    failures.append(f"{case}: the old file was rewritten in place")
if failures:
    sys.exit("\n".join(failures))
print("render writes atomically")
