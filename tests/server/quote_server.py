#!/usr/bin/env python3
"""A small HTTP server for the download tests, on 127.0.0.1 with an ephemeral port.

Serves the historical-quote query /table.csv from ROOT/quotes/<ticker>.csv (filtered by the
a/b/c ... d/e/f dates, newest first), the stooq form /q/d/l/?s=<symbol>&d1=..&d2=.. from
ROOT/stooq/<symbol> (ISO-dated lines outside d1 ... d2 left out, "No data" when missing), the
alphavantage form /query?function=TIME_SERIES_DAILY&symbol=<symbol>&outputsize=.. from
ROOT/alphavantage/<symbol> (compact: the first 100 dated lines) and market lists
/download/mklist/<name> from ROOT/mklist/. Hand-written answers are sent byte for byte. Faults are chosen per request with the query parameter "fault" or for the
following requests with /control/fault?mode=M[&count=N]. /control/stats tells how many bytes
were sent; /control/reset clears the counts. The port is printed on the first line of stdout.
"""
import argparse
import datetime
import http.server
import os
import socket
import socketserver
import struct
import sys
import threading
import time
import urllib.parse

MONTHS = ["Jan", "Feb", "Mar", "Apr", "May", "Jun",
          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"]
HEADER = "Date,Open,High,Low,Close,Volume,Adj. Close*"
HTML_ERROR = (b"<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\n<html><head>"
              b"<title>404 Not Found</title></head><body><h1>Not Found</h1>"
              b"<p>The requested URL was not found on this server.</p></body></html>\n")
FAULTS = {"none", "refuse", "hang", "reset", "short", "html", "html200", "drip", "huge",
          "huge-length", "wrong", "status500", "empty", "crlf", "header-extra", "cut-last",
          "status404", "status429", "status503"}
ALPHA_INVALID = (b'{\n    "Error Message": "Invalid API call. Please retry or visit the '
                 b'documentation (https://www.alphavantage.co/documentation/) for '
                 b'TIME_SERIES_DAILY."\n}')
CHUNK = 1024


class State:
    def __init__(self, root):
        self.root = root
        self.lock = threading.Lock()
        self.fault = "none"
        self.fault_count = -1  # -1: until changed
        self.requests = 0
        self.bytes_sent = 0
        self.last_bytes = 0
        self.last_path = ""
        self.last_agent = ""
        self.proxied = 0

    def take_fault(self):
        with self.lock:
            if self.fault == "none" or self.fault_count == 0:
                return "none"
            if self.fault_count > 0:
                self.fault_count -= 1
            return self.fault


def parse_day(text):
    """day-Mon-yy as the quote service writes it; None when it is not one."""
    parts = text.split("-")
    if len(parts) != 3 or parts[1] not in MONTHS:
        return None
    try:
        year = int(parts[2])
        year += 2000 if year < 50 else 1900
        return datetime.date(year, MONTHS.index(parts[1]) + 1, int(parts[0]))
    except ValueError:
        return None


def query_day(query, month_key, day_key, year_key, default):
    try:
        return datetime.date(int(query[year_key][0]), int(query[month_key][0]) + 1,
                             int(query[day_key][0]))
    except (KeyError, ValueError):
        return default


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "QuoteTestServer/1.0"

    def log_message(self, format, *args):
        pass

    def setup(self):
        super().setup()
        # Small buffers, so the bytes counted as sent are close to what the client read.
        self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 4096)
        self.sent = 0

    @property
    def state(self):
        return self.server.state

    # --- sending, counted
    def send_raw(self, data):
        view = memoryview(data)
        while len(view):
            piece = view[:CHUNK]
            self.connection.sendall(piece)
            self.sent += len(piece)
            with self.state.lock:
                self.state.bytes_sent += len(piece)
                self.state.last_bytes = self.sent
            view = view[CHUNK:]

    def head(self, status, reason, length=None, content_type="text/csv", close=True):
        lines = ["HTTP/1.1 %d %s" % (status, reason), "Content-Type: " + content_type]
        if length is not None:
            lines.append("Content-Length: %d" % length)
        lines.append("Connection: close")
        self.send_raw(("\r\n".join(lines) + "\r\n\r\n").encode())
        self.close_connection = True

    def answer(self, status, reason, body, content_type="text/csv"):
        self.head(status, reason, len(body), content_type)
        self.send_raw(body)

    # --- requests
    def do_GET(self):
        try:
            self.route()
        except (BrokenPipeError, ConnectionResetError, socket.timeout, OSError):
            self.close_connection = True

    def route(self):
        target = self.path
        proxied = target.startswith("http://")
        url = urllib.parse.urlsplit(target)
        query = urllib.parse.parse_qs(url.query, keep_blank_values=True)
        if url.path.startswith("/control/"):
            return self.control(url.path, query)
        with self.state.lock:
            self.state.requests += 1
            self.state.last_path = target
            self.state.last_agent = self.headers.get("User-Agent", "")
            if proxied:
                self.state.proxied += 1
        fault = query.get("fault", [None])[0] or self.state.take_fault()
        body = self.content(url.path, query)
        self.serve(fault, body)

    def content(self, path, query):
        """(status, reason, body, content type) of the resource."""
        if path == "/table.csv":
            return self.quotes(query)
        if path == "/q/d/l/":
            return self.stooq(query)
        if path == "/query":
            return self.alphavantage(query)
        if path.startswith("/download/mklist/"):
            name = urllib.parse.unquote(path[len("/download/mklist/"):])
            return self.file(os.path.join("mklist", name), "text/plain")
        return (404, "Not Found", HTML_ERROR, "text/html")

    def file(self, relative, content_type):
        name = os.path.basename(relative)
        if not name or name != relative.split("/")[-1] or ".." in relative:
            return (404, "Not Found", HTML_ERROR, "text/html")
        full = os.path.join(self.state.root, relative)
        try:
            with open(full, "rb") as f:
                return (200, "OK", f.read(), content_type)
        except OSError:
            return (404, "Not Found", HTML_ERROR, "text/html")

    def quotes(self, query):
        ticker = query.get("s", [""])[0]
        if not ticker or "/" in ticker or ticker.startswith("."):
            return (404, "Not Found", HTML_ERROR, "text/html")
        status, reason, data, kind = self.file(os.path.join("quotes", ticker + ".csv"),
                                               "text/csv")
        if status != 200:
            return (status, reason, data, kind)
        if not any(key in query for key in "abcdef"):
            return (200, "OK", data, "text/csv")
        first = query_day(query, "a", "b", "c", datetime.date(1900, 1, 1))
        last = query_day(query, "d", "e", "f", datetime.date(2100, 1, 1))
        # The files are newest first already; lines without a readable date pass unchanged.
        kept = []
        for line in data.decode("latin-1").splitlines()[1:]:
            day = parse_day(line.split(",", 1)[0])
            if day is None or first <= day <= last:
                kept.append(line)
        text = HEADER + "\n" + "".join(line + "\n" for line in kept)
        return (200, "OK", text.encode("latin-1"), "text/csv")

    @staticmethod
    def iso_day(line):
        try:
            return datetime.date.fromisoformat(line[:10].decode("latin-1"))
        except ValueError:
            return None

    def stooq(self, query):
        symbol = query.get("s", [""])[0]
        status, reason, data, kind = self.file(os.path.join("stooq", symbol), "text/csv")
        if status != 200:
            return (200, "OK", b"No data", "text/plain")
        try:
            first = datetime.datetime.strptime(query["d1"][0], "%Y%m%d").date()
            last = datetime.datetime.strptime(query["d2"][0], "%Y%m%d").date()
        except (KeyError, ValueError):
            return (200, "OK", data, kind)
        kept = []
        for line in data.splitlines(keepends=True):
            day = self.iso_day(line)
            if day is None or first <= day <= last:
                kept.append(line)
        return (200, "OK", b"".join(kept), kind)

    def alphavantage(self, query):
        symbol = query.get("symbol", [""])[0]
        status, reason, data, kind = self.file(os.path.join("alphavantage", symbol), "text/csv")
        if status != 200:
            return (200, "OK", ALPHA_INVALID, "application/json")
        if query.get("outputsize", ["compact"])[0] != "compact":
            return (200, "OK", data, kind)
        kept, dated = [], 0
        for line in data.splitlines(keepends=True):
            if self.iso_day(line) is not None:
                dated += 1
                if dated > 100:
                    continue
            kept.append(line)
        return (200, "OK", b"".join(kept), kind)

    def serve(self, fault, content):
        status, reason, body, kind = content
        if fault == "refuse":
            self.connection.close()
            self.close_connection = True
            return
        if fault == "hang":
            self.connection.settimeout(120)
            try:
                while self.connection.recv(1024):
                    pass
            except OSError:
                pass
            self.close_connection = True
            return
        if fault == "reset":
            self.head(status, reason, len(body), kind)
            self.send_raw(body[:len(body) // 2])
            self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                       struct.pack("ii", 1, 0))
            self.connection.close()
            return
        if fault == "short":
            self.head(status, reason, len(body), kind)
            self.send_raw(body[:len(body) // 2])
            self.connection.shutdown(socket.SHUT_RDWR)
            return
        if fault == "html":
            return self.answer(404, "Not Found", HTML_ERROR, "text/html")
        if fault == "html200":
            return self.answer(200, "OK", HTML_ERROR, "text/html")
        if fault == "wrong":
            return self.answer(200, "OK", b"Sorry, no such service here.\nTry again later.\n",
                               "text/plain")
        if fault == "status500":
            return self.answer(500, "Internal Server Error", body, kind)
        if fault == "status404":
            return self.answer(404, "Not Found", HTML_ERROR, "text/html")
        if fault == "status429":
            return self.answer(429, "Too Many Requests", b"", "text/plain")
        if fault == "status503":
            return self.answer(503, "Service Unavailable", HTML_ERROR, "text/html")
        if fault == "crlf":
            return self.answer(status, reason, body.replace(b"\n", b"\r\n"), kind)
        if fault == "header-extra":
            first = body.find(b"\n")
            return self.answer(status, reason, body[:first] + b",Extra" + body[first:], kind)
        if fault == "cut-last":
            # A complete transfer of an answer that ends inside its last line.
            return self.answer(status, reason, body[:-12] if status == 200 else body, kind)
        if fault == "empty":
            return self.answer(200, "OK", b"", kind)
        if fault == "drip":
            self.head(status, reason, len(body), kind)
            for i in range(0, len(body), 64):
                self.connection.sendall(body[i:i + 64])
                self.sent += len(body[i:i + 64])
                with self.state.lock:
                    self.state.bytes_sent += len(body[i:i + 64])
                    self.state.last_bytes = self.sent
                time.sleep(0.05)
            return
        if fault in ("huge", "huge-length"):
            line = b"3-Jan-05,10.00,11.00,9.00,10.50,123456,10.50\n"
            size = (65 << 20) + 4096
            count = size // len(line) + 1
            self.head(200, "OK", len(HEADER) + 1 + count * len(line) if fault == "huge-length"
                      else None)
            self.send_raw((HEADER + "\n").encode())
            block = line * (CHUNK * 16 // len(line))
            sent = 0
            while sent < count:
                n = min(count - sent, len(block) // len(line))
                self.connection.sendall(block[:n * len(line)])
                self.sent += n * len(line)
                sent += n
            with self.state.lock:
                self.state.bytes_sent += self.sent
                self.state.last_bytes = self.sent
            return
        self.answer(status, reason, body, kind)

    def control(self, path, query):
        state = self.state
        if path == "/control/fault":
            mode = query.get("mode", ["none"])[0]
            if mode not in FAULTS:
                return self.answer(400, "Bad Request", b"unknown fault\n", "text/plain")
            with state.lock:
                state.fault = mode
                state.fault_count = int(query.get("count", ["-1"])[0])
            return self.answer(200, "OK", b"ok\n", "text/plain")
        if path == "/control/reset":
            with state.lock:
                state.requests = state.bytes_sent = state.last_bytes = state.proxied = 0
                state.fault, state.fault_count = "none", -1
            return self.answer(200, "OK", b"ok\n", "text/plain")
        if path == "/control/stats":
            with state.lock:
                text = ("requests=%d\nbytes=%d\nlast_bytes=%d\nproxied=%d\nlast_path=%s\n"
                        "last_agent=%s\n" % (state.requests, state.bytes_sent,
                                             state.last_bytes, state.proxied,
                                             state.last_path, state.last_agent))
            return self.answer(200, "OK", text.encode(), "text/plain")
        return self.answer(404, "Not Found", HTML_ERROR, "text/html")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port-file")
    args = parser.parse_args()
    server = Server(("127.0.0.1", 0), Handler)
    server.state = State(args.root)
    port = server.server_address[1]
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write("%d\n" % port)
        os.replace(args.port_file + ".tmp", args.port_file)
    sys.stdout.write("%d\n" % port)
    sys.stdout.flush()
    server.serve_forever()


if __name__ == "__main__":
    main()
