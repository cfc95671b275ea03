#!/usr/bin/python3
"""HTTP peer for the network tests and benchmarks.

Serves the file service ("/system/getFileExists", "/system/downloadFile",
"/system/uploadFile") from a store folder laid out as <store>/<dir>/<md5>,
echoes requests under "/echo", answers a chosen status with a JSON:API error
body under "/status/<code>", dribbles a body slowly under "/slow", and takes
test controls under "/control/...". Binds 127.0.0.1 on a free port and prints
"PORT <n>" as its first line. Standard library only.
"""

import argparse
import base64
import hashlib
import json
import os
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit


class State:
    lock = threading.Lock()
    store = "."
    log = []
    dribble = None          # (chunk bytes, delay seconds) for downloads
    failures = {}           # endpoint -> [status, remaining count]
    garbage = set()         # endpoints answering text that is not JSON
    corrupt = {}            # endpoint -> remaining answers whose first byte is flipped


def endpoint_of(path):
    return path.rsplit("/", 1)[-1]


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "httppeer/1"

    def log_message(self, fmt, *args):  # keep test output quiet
        pass

    # ----------------------------------------------------------------- helpers
    def read_body(self):
        length = int(self.headers.get("Content-Length") or 0)
        chunks, left = [], length
        while left > 0:
            chunk = self.rfile.read(min(left, 1 << 20))
            if not chunk:
                break
            chunks.append(chunk)
            left -= len(chunk)
        return b"".join(chunks)

    def send_bytes(self, status, body, ctype="application/json"):
        self.send_response(status)
        self.send_header("Content-Type", ctype)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def send_json(self, status, value):
        self.send_bytes(status, json.dumps(value, sort_keys=True).encode("utf-8"))

    def send_api_error(self, status, title):
        self.send_json(status, {"errors": [{"status": str(status), "code": "E%d" % status, "title": title}]})

    def store_path(self, folder, name):
        base = os.path.realpath(State.store)
        path = os.path.realpath(os.path.join(base, folder.lstrip("/"), name))
        if not name or os.path.commonpath([base, path]) != base:
            return None
        return path

    def injected_failure(self, endpoint):
        with State.lock:
            entry = State.failures.get(endpoint)
            if not entry:
                return None
            entry[1] -= 1
            if entry[1] <= 0:
                del State.failures[endpoint]
            return entry[0]

    # ---------------------------------------------------------------- dispatch
    def do_GET(self):
        self.dispatch()

    def do_POST(self):
        self.dispatch()

    def do_PUT(self):
        self.dispatch()

    def do_DELETE(self):
        self.dispatch()

    def dispatch(self):
        url = urlsplit(self.path)
        query = parse_qs(url.query, keep_blank_values=True)
        one = {k: v[0] for k, v in query.items()}
        body = self.read_body()
        if url.path.startswith("/control/"):
            return self.control(url.path[len("/control/"):], one)
        with State.lock:
            State.log.append({"method": self.command, "path": url.path, "rawQuery": url.query,
                              "query": query, "body": body.decode("utf-8", "replace")})
        endpoint = endpoint_of(url.path)
        status = self.injected_failure(endpoint)
        if status:
            return self.send_api_error(status, "injected failure")
        if url.path.startswith("/echo"):
            return self.send_json(200, {
                "method": self.command, "path": url.path, "rawQuery": url.query, "query": query,
                "headers": {k.lower(): v for k, v in self.headers.items()},
                "body": body.decode("utf-8", "replace"),
                "bodyBase64": base64.b64encode(body).decode("ascii")})
        if url.path.startswith("/status/"):
            code = int(url.path[len("/status/"):])
            return self.send_api_error(code, "chosen status %d" % code)
        if url.path == "/slow":
            return self.send_slow(int(one.get("size", "65536")), int(one.get("chunk", "1024")),
                                  float(one.get("delay", "10")) / 1000.0)
        if url.path == "/system/getFileExists":
            return self.file_exists(body)
        if url.path == "/system/downloadFile":
            return self.download(one)
        if url.path == "/system/uploadFile":
            return self.upload(one, body)
        self.send_api_error(404, "no such endpoint")

    def control(self, what, one):
        with State.lock:
            if what == "reset":
                State.dribble = None
                State.failures.clear()
                State.garbage.clear()
                State.corrupt.clear()
                State.log.clear()
            elif what == "dribble":
                State.dribble = (int(one.get("chunk", "1024")), float(one.get("delay", "10")) / 1000.0)
            elif what == "fail":
                State.failures[one["endpoint"]] = [int(one.get("status", "500")), int(one.get("count", "1"))]
            elif what == "garbage":
                State.garbage.add(one["endpoint"])
            elif what == "corrupt":
                State.corrupt[one["endpoint"]] = int(one.get("count", "1"))
            elif what == "log":
                return self.send_json(200, {"log": State.log})
            else:
                return self.send_api_error(400, "unknown control")
        self.send_json(200, {"ok": True})

    # ------------------------------------------------------------ file service
    def file_exists(self, body):
        if "getFileExists" in State.garbage:
            return self.send_bytes(200, b"this is not json", "text/plain")
        try:
            req = json.loads(body.decode("utf-8"))
            folder, digests = req["dir"], req["md5"]
        except (ValueError, KeyError, TypeError):
            return self.send_api_error(400, "bad existence query")
        data = {}
        for digest in digests:
            path = self.store_path(folder, digest) if digest else None
            data[digest] = bool(path and os.path.isfile(path))
        self.send_json(200, {"data": data})

    def download(self, one):
        path = self.store_path(one.get("dir", ""), one.get("md5", ""))
        if not path or not os.path.isfile(path):
            return self.send_api_error(404, "file not found")
        size = os.path.getsize(path)
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size))
        self.end_headers()
        with State.lock:
            corrupt = State.corrupt.get("downloadFile", 0) > 0
            if corrupt:
                State.corrupt["downloadFile"] -= 1
        with open(path, "rb") as f:
            if State.dribble:
                chunk, delay = State.dribble
                while True:
                    block = f.read(chunk)
                    if not block:
                        break
                    self.wfile.write(block)
                    time.sleep(delay)
            elif corrupt:
                data = bytearray(f.read())
                if data:
                    data[0] ^= 0xFF
                self.wfile.write(bytes(data))
            else:
                self.connection.sendfile(f)

    def upload(self, one, body):
        digest = hashlib.md5(body).hexdigest()
        if one.get("md5", "") != digest:
            return self.send_api_error(400, "md5 does not match the content")
        path = self.store_path(one.get("dir", ""), digest)
        if not path:
            return self.send_api_error(400, "bad directory")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(body)
        self.send_json(200, {"md5": digest})

    def send_slow(self, size, chunk, delay):
        self.send_response(200)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(size))
        self.end_headers()
        sent = 0
        try:
            while sent < size:
                block = b"x" * min(chunk, size - sent)
                self.wfile.write(block)
                sent += len(block)
                time.sleep(delay)
        except (BrokenPipeError, ConnectionResetError):
            pass


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def handle_error(self, request, client_address):
        # A client that aborts a transfer is expected here; keep stderr quiet for it.
        if not isinstance(sys.exc_info()[1], (BrokenPipeError, ConnectionResetError)):
            super().handle_error(request, client_address)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--store", required=True)
    args = parser.parse_args()
    State.store = args.store
    os.makedirs(State.store, exist_ok=True)
    server = Server(("127.0.0.1", 0), Handler)
    print("PORT %d" % server.server_address[1], flush=True)
    # Ends with the test: stdin closes when the parent goes away.
    threading.Thread(target=lambda: (sys.stdin.read(), server.shutdown()), daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
