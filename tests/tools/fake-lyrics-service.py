#!/usr/bin/env python3
"""A stand-in for the lyrics service, on 127.0.0.1, for the tests of the online search.

Usage:
  fake-lyrics-service.py [--port N] [--log FILE]
      Serves until stopped; the first line it prints is "port N".
  fake-lyrics-service.py [--port N] [--log FILE] -- COMMAND [ARGUMENT...]
      Serves while COMMAND runs and ends with its exit code. In the arguments "{url}"
      becomes the service address (http://127.0.0.1:PORT), "{log}" the log file as a
      Windows program under Wine names it (Z:\\...), "{port}" the port.

Answers: GET [/KIND]/api/search?q=TITLE. The first path segment chooses the answer; without
one, the first word of the title does (so one address can script a queue of titles), and a
title whose first word is no kind gets "[]". Kinds:
  synced        200, a record of another song first, then the title's with synced and plain
  plain         200, the title's record with plain lyrics only
  instrumental  200, the title's record marked instrumental
  empty         200, []
  404           404 and the service's error object
  500           500 and a text
  hang          200, the headers and the start of the body, then nothing for 30 s
  trickle       200, the headers, then a byte of the body every 0.5 s for 30 s
  large         200, a body of 3 MB with its Content-Length
  largestream   200, a body of 3 MB without a length, ended by closing the connection
  malformed     200, JSON cut short
  wrongtypes    200, records whose fields have the wrong types
  badutf8       200, the title's record with lyrics that are not UTF-8

Log: one JSON object per line for each request, written when it arrives:
  path        the request target as it came
  kind        the answer chosen
  q_hex       the bytes of the decoded query parameter q, in hexadecimal (as a server
              decodes it: "+" is a blank, "%XX" a byte)
  user_agent  the User-Agent header
  time        when it arrived, in seconds of a monotonic clock
"""

import json
import os
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

HANG_SECONDS = 30
TRICKLE_PAUSE_SECONDS = 0.5
LARGE_BYTES = 3 * 1024 * 1024
SEARCH_PATH = "/api/search"

SYNCED = "[00:01.00]一行目\n[00:02.50]二行目 & more\n"
PLAIN_OF_SYNCED = "一行目\n二行目 & more\n"
PLAIN = "plain line 1\nplain line 2"

stopping = threading.Event()
log_lock = threading.Lock()
log_path = None


def record(track, **fields):
    base = {"id": 1, "trackName": track, "artistName": "Fake Artist", "albumName": "Fake",
            "duration": 180.5, "instrumental": False, "plainLyrics": None,
            "syncedLyrics": None}
    base.update(fields)
    return base


def json_body(value):
    return json.dumps(value, ensure_ascii=False).encode("utf-8")


def answer(kind, title):
    """(status, headers, body chunks, content length given) of a kind."""
    if kind == "synced":
        return 200, json_body([record("Another Song", plainLyrics="another"),
                               record(title, syncedLyrics=SYNCED, plainLyrics=PLAIN_OF_SYNCED)])
    if kind == "plain":
        return 200, json_body([record(title, plainLyrics=PLAIN)])
    if kind == "instrumental":
        return 200, json_body([record(title, instrumental=True)])
    if kind == "404":
        return 404, json_body({"code": 404, "name": "TrackNotFound",
                               "message": "Failed to find specified track"})
    if kind == "500":
        return 500, b"Internal Server Error"
    if kind in ("large", "largestream"):
        return 200, b'[{"trackName":"big","plainLyrics":"' + b"x" * LARGE_BYTES + b'"}]'
    if kind == "malformed":
        return 200, b'[{"trackName": "x", "plainLyrics": '
    if kind == "wrongtypes":
        return 200, b'[{"trackName": 5, "artistName": [], "plainLyrics": 7, ' \
                    b'"syncedLyrics": {"a": 1}, "instrumental": "yes"}, null, 3, "text"]'
    if kind == "badutf8":
        return 200, b'[{"trackName": ' + json.dumps(title).encode() + \
                    b', "plainLyrics": "broken \xff\xfe text"}]'
    return 200, b"[]"


KINDS = {"synced", "plain", "instrumental", "empty", "404", "500", "hang", "trickle", "large",
         "largestream", "malformed", "wrongtypes", "badutf8"}


class Handler(BaseHTTPRequestHandler):
    server_version = "FakeLyricsService/1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        path, _, query = self.path.partition("?")
        if not path.endswith(SEARCH_PATH):
            self.send_error(404)
            return
        q = b""
        for name, value in urllib.parse.parse_qsl(query, keep_blank_values=True,
                                                  encoding="latin-1"):
            if name == "q":
                q = value.encode("latin-1")
        title = q.decode("utf-8", errors="replace")
        segment = path[:-len(SEARCH_PATH)].strip("/")
        kind = segment if segment else (title.split() or [""])[0]
        if kind not in KINDS:
            kind = "empty"
        self.write_log({"path": self.path, "kind": kind, "q_hex": q.hex(),
                        "user_agent": self.headers.get("User-Agent", ""),
                        "time": time.monotonic()})
        if kind == "hang":
            self.send_response(200)
            self.send_header("Content-Type", "application/json")
            self.send_header("Content-Length", "100")
            self.end_headers()
            self.wfile.write(b"[")
            self.wfile.flush()
            stopping.wait(HANG_SECONDS)
            return
        if kind == "trickle":
            self.send_response(200)
            self.send_header("Content-Type", "application/json")
            self.send_header("Content-Length", str(2 * HANG_SECONDS))
            self.end_headers()
            try:
                for _ in range(int(HANG_SECONDS / TRICKLE_PAUSE_SECONDS)):
                    self.wfile.write(b" ")
                    self.wfile.flush()
                    if stopping.wait(TRICKLE_PAUSE_SECONDS):
                        break
            except (BrokenPipeError, ConnectionResetError):
                pass  # the client gave up, as it should at its deadline
            return
        status, body = answer(kind, title)
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        if kind != "largestream":
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            self.wfile.write(body)
        except (BrokenPipeError, ConnectionResetError):
            pass  # the client stopped reading, as it should past its limit

    def write_log(self, entry):
        with log_lock:
            with open(log_path, "a", encoding="utf-8") as log:
                log.write(json.dumps(entry, ensure_ascii=False) + "\n")


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def main(argv):
    global log_path
    port = 0
    command = []
    if "--" in argv:
        command = argv[argv.index("--") + 1:]
        argv = argv[:argv.index("--")]
    options = dict(zip(argv[0::2], argv[1::2]))
    port = int(options.get("--port", "0"))
    log_path = options.get("--log") or os.path.join(
        tempfile.mkdtemp(prefix="fake-lyrics-"), "requests.log")
    open(log_path, "w").close()

    server = ThreadingHTTPServer(("127.0.0.1", port), Handler)
    server.daemon_threads = True
    port = server.server_address[1]
    if not command:
        print("port", port, flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
        return 0
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = "http://127.0.0.1:%d" % port
    arguments = [a.replace("{url}", url).replace("{log}", windows_path(log_path))
                  .replace("{port}", str(port)) for a in command]
    try:
        return subprocess.call(arguments)
    finally:
        stopping.set()
        server.shutdown()
        server.server_close()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
