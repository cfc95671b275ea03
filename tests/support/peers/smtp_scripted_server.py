#!/usr/bin/python3
"""A scripted SMTP peer for reply parsing, errors, silence and slow reading.

Usage: smtp_scripted_server.py '<json script>'

The script is a list of steps run for every connection:
  ["send", text]     write text as UTF-8 (line ends are part of the text)
  ["expect"]         read one line from the client
  ["silent"]         say nothing until the client goes away
  ["close"]          close the connection
  ["auto", options]  answer a whole ordinary dialogue; the mail text is read
                     at no more than options["rate"] bytes per second
Prints "PORT <n>" when listening, "CONNECTED" for every connection and
"C: <line>" for every line the client sends.
"""
import json
import socket
import sys
import time


def say(text):
    print(text, flush=True)


class Conn:
    def __init__(self, sock):
        self.sock = sock
        self.buf = b""

    def send(self, text):
        self.sock.sendall(text.encode("utf-8"))

    def line(self):
        while b"\r\n" not in self.buf:
            chunk = self.sock.recv(65536)
            if not chunk:
                return None
            self.buf += chunk
        line, self.buf = self.buf.split(b"\r\n", 1)
        say("C: " + line.decode("utf-8", "replace"))
        return line

    def data(self, rate):
        # Keep only a tail: the mail itself is not needed, its end is.
        tail = self.buf
        self.buf = b""
        size = len(tail)
        start = time.monotonic()
        while not tail.endswith(b"\r\n.\r\n"):
            if rate:
                ahead = size / rate - (time.monotonic() - start)
                if ahead > 0:
                    time.sleep(ahead)
            got = self.sock.recv(65536)
            if not got:
                return None
            size += len(got)
            tail = (tail + got)[-8:]
        say("DATA %d" % size)
        return size

    def silent(self):
        self.sock.settimeout(None)
        while self.sock.recv(65536):
            pass


def auto(conn, options):
    conn.send("220 vek-test ready\r\n")
    while True:
        line = conn.line()
        if line is None:
            return
        verb = line.split(b" ", 1)[0].upper()
        if verb == b"EHLO":
            conn.send("250-vek-test\r\n250 8BITMIME\r\n")
        elif verb == b"DATA":
            conn.send("354 go ahead\r\n")
            if conn.data(options.get("rate", 0)) is None:
                return
            conn.send("250 accepted\r\n")
        elif verb == b"QUIT":
            conn.send("221 bye\r\n")
            return
        else:
            conn.send("250 ok\r\n")


def run(conn, script):
    for step in script:
        op = step[0]
        if op == "send":
            conn.send(step[1])
        elif op == "expect":
            if conn.line() is None:
                return
        elif op == "silent":
            conn.silent()
            return
        elif op == "close":
            return
        elif op == "auto":
            auto(conn, step[1] if len(step) > 1 else {})
            return


def main():
    script = json.loads(sys.argv[1])
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(("127.0.0.1", 0))
    server.listen(4)
    say("PORT %d" % server.getsockname()[1])
    while True:
        sock, _ = server.accept()
        say("CONNECTED")
        try:
            run(Conn(sock), script)
        except OSError:
            pass
        finally:
            sock.close()


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        pass
