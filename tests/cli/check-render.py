#!/usr/bin/env python3
"""Runs `zentristock-cli render` into a fresh folder and checks that a PNG of the asked size
came out, and that a drawing tool given with --tool changed the picture."""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

cli, quotes = sys.argv[1], sys.argv[2]


def render(folder, name, extra):
    out = os.path.join(folder, name)
    env = dict(os.environ, ZENTRISTOCK_HOME=folder, QT_QPA_PLATFORM="offscreen")
    run = subprocess.run([cli, "render", "--quotes", quotes, "--add", "1:VOL", "--out", out,
                          "--size", "640x400"] + extra, env=env, capture_output=True)
    if run.returncode != 0:
        sys.exit(f"render failed ({run.returncode}): {run.stderr.decode()}")
    return open(out, "rb").read()


def size_and_pixels(png):
    if png[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit("not a PNG")
    width, height = struct.unpack(">II", png[16:24])
    data, pos = b"", 8
    while pos < len(png):
        length, kind = struct.unpack(">I4s", png[pos:pos + 8])
        if kind == b"IDAT":
            data += png[pos + 8:pos + 8 + length]
        pos += 12 + length
    return width, height, zlib.decompress(data)


with tempfile.TemporaryDirectory() as folder:
    plain = size_and_pixels(render(folder, "plain.png", []))
    line = size_and_pixels(render(folder, "line.png", ["--tool", "0:19:0,51.9,0,0"]))
    if plain[:2] != (640, 400) or line[:2] != (640, 400):
        sys.exit(f"sizes {plain[:2]} and {line[:2]}, expected 640x400")
    if plain[2] == line[2]:
        sys.exit("the horizontal line changed nothing in the picture")
    bad = subprocess.run([cli, "render", "--quotes", quotes, "--tool", "0:4:1,2,3,4", "--out",
                          os.path.join(folder, "bad.png")], capture_output=True,
                         env=dict(os.environ, ZENTRISTOCK_HOME=folder))
    if bad.returncode != 2 or os.path.exists(os.path.join(folder, "bad.png")):
        sys.exit(f"a tool code without a class gave {bad.returncode} and wrote a file")
print("render ok")
