#!/usr/bin/env python3
"""A small download server on 127.0.0.1 for the assistant's demo and tests.

Serves the files of one directory and prints the port it listens on as its
first line, then serves until interrupted (SIGINT or SIGTERM).

    /down.html        the directory's down.html, or else a catalogue page that
                      lists every *.nvbin file (with --slow-entries each also
                      once more through /slow/)
    /NAME             the file, with Content-Length
    /nolength/NAME    the file without Content-Length, ended by closing
    /cut/NAME         Content-Length of the whole file, half of it, then closing
    /stall/NAME       Content-Length, half of the file, then silence
    /slow/NAME        the file in 1 KiB pieces, 100 ms apart (PIECE and GAP_MS
                      in the query: /slow/NAME?piece=4096&gap=20)
    /error/NAME       status 500, then the file as /slow/ sends it
    /gzip/NAME        the file gzip-compressed when the request accepts gzip
    anything else     404

    tools/http/norvo-http.py --root DIR [--port N] [--slow-entries] [--log]
"""
import argparse
import gzip
import html
import shutil
import signal
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path
from urllib.parse import parse_qs, quote, unquote, urlsplit

COPY_CHUNK = 256 * 1024
STALL_SECONDS = 600
SLOW_PIECE = 1024
SLOW_GAP_MS = 100
MODES = ("nolength", "cut", "stall", "slow", "error", "gzip")


def catalogue(root, slow_entries):
    rows = ['<div><div>名称</div><div>下载</div></div>']
    for package in sorted(root.glob("*.nvbin")):
        links = [("", "/" + quote(package.name))]
        if slow_entries:
            links.append((" (slow)", "/slow/" + quote(package.name)))
        for suffix, link in links:
            rows.append('<div><div>%s%s</div><div><a href="%s">%s</a></div></div>'
                        % (html.escape(package.stem), suffix, html.escape(link), "下载"))
    page = "<html><body><div>\n%s\n</div></body></html>\n" % "\n".join(rows)
    return page.encode("utf-8")


class Handler(BaseHTTPRequestHandler):
    root = Path(".")
    slow_entries = False
    log = False

    def log_message(self, format, *args):
        if self.log:
            super().log_message(format, *args)

    def do_GET(self):
        url = urlsplit(self.path)
        parts = unquote(url.path).lstrip("/").split("/", 1)
        mode, name = (parts[0], parts[1]) if len(parts) == 2 and parts[0] in MODES else ("", "/".join(parts))
        if name == "down.html" and not mode and not (self.root / name).is_file():
            return self.send_body(catalogue(self.root, self.slow_entries), "text/html; charset=utf-8")
        path = self.root / name
        if not name or "/" in name or name.startswith(".") or not path.is_file():
            return self.send_error(404)
        if mode == "gzip" and "gzip" in self.headers.get("Accept-Encoding", ""):
            return self.send_body(gzip.compress(path.read_bytes()), "application/octet-stream",
                                  [("Content-Encoding", "gzip")])
        size = path.stat().st_size
        self.send_response(500 if mode == "error" else 200)
        self.send_header("Content-Type", "application/octet-stream")
        if mode != "nolength":
            self.send_header("Content-Length", str(size))
        self.end_headers()
        with path.open("rb") as body:
            if mode in ("cut", "stall"):
                self.wfile.write(body.read(size // 2))
                self.wfile.flush()
                if mode == "stall":
                    time.sleep(STALL_SECONDS)
            elif mode in ("slow", "error"):
                query = parse_qs(url.query)
                piece = int(query.get("piece", [SLOW_PIECE])[0])
                gap = int(query.get("gap", [SLOW_GAP_MS])[0]) / 1000.0
                while chunk := body.read(piece):
                    self.wfile.write(chunk)
                    self.wfile.flush()
                    time.sleep(gap)
            else:
                shutil.copyfileobj(body, self.wfile, COPY_CHUNK)

    def send_body(self, data, content_type, headers=()):
        self.send_response(200)
        self.send_header("Content-Type", content_type)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True, help="directory to serve")
    parser.add_argument("--port", type=int, default=0, help="port (default: any free one)")
    parser.add_argument("--slow-entries", action="store_true",
                        help="list every package once more through /slow/")
    parser.add_argument("--log", action="store_true", help="log requests to standard error")
    args = parser.parse_args()

    Handler.root = Path(args.root).resolve()
    Handler.slow_entries = args.slow_entries
    Handler.log = args.log
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    print(server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
