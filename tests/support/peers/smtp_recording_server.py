#!/usr/bin/python3
"""A real SMTP server for the mail tests, built on aiosmtpd.

Listens on 127.0.0.1 and a free port, prints "PORT <n>" once it accepts
connections, and records every accepted mail as <n>.eml (the raw text) and
<n>.json (envelope, session facts and the message as Python's email package
reads it) in the record folder before it answers 250.
"""
import argparse
import asyncio
import hashlib
import hmac
import json
import os
import secrets
import ssl
import sys
import warnings
from email import message_from_string
from email.policy import default as default_policy

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword

# aiosmtpd itself still fills the old session field and warns about it.
warnings.filterwarnings("ignore", message="Session.login_data")


def summarize(raw: bytes) -> dict:
    msg = message_from_string(raw.decode("utf-8"), policy=default_policy)
    parts = []
    for part in msg.walk():
        if part.is_multipart():
            continue
        payload = part.get_payload(decode=True) or b""
        if (part.get("Content-Transfer-Encoding") or "7bit").lower() in ("7bit", "8bit"):
            payload = part.get_payload(decode=False).encode("utf-8")
        entry = {
            "content_type": part.get_content_type(),
            "filename": part.get_filename(),
            "disposition": part.get_content_disposition(),
            "content_id": part.get("Content-ID"),
            "transfer_encoding": part.get("Content-Transfer-Encoding"),
            "size": len(payload),
            "md5": hashlib.md5(payload).hexdigest(),
        }
        if part.get_content_maintype() == "text":
            # The text was parsed as a str: an 8bit body is that str already,
            # encoded bodies are bytes in the part's charset.
            if (part.get("Content-Transfer-Encoding") or "7bit").lower() in ("7bit", "8bit"):
                entry["text"] = part.get_payload(decode=False)
            else:
                entry["text"] = payload.decode(part.get_content_charset() or "utf-8")
        parts.append(entry)
    headers = {}
    for key in ("From", "To", "Cc", "Bcc", "Subject", "MIME-Version"):
        if key in msg:
            headers[key] = str(msg[key])
    return {
        "content_type": msg.get_content_type(),
        "headers": headers,
        "to_addresses": [a.addr_spec for a in msg["To"].addresses] if "To" in msg else [],
        "to_names": [a.display_name for a in msg["To"].addresses] if "To" in msg else [],
        "defects": [str(d) for d in msg.defects],
        "parts": parts,
    }


class Recorder:
    def __init__(self, folder, user, password, raw_only=False):
        self.folder = folder
        self.raw_only = raw_only
        self.user = user.encode()
        self.password = password.encode()
        self.count = 0

    def authenticate(self, server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword)
              and auth_data.login == self.user and auth_data.password == self.password)
        if ok:
            session.vek_mechanism = mechanism
        return AuthResult(success=ok, handled=False, auth_data=auth_data)

    async def auth_CRAM__MD5(self, server, args):
        challenge = ("<%s@vek-test>" % secrets.token_hex(8)).encode()
        answer = await server.challenge_auth(challenge)
        if not isinstance(answer, bytes) or b" " not in answer:
            return AuthResult(success=False, handled=False)
        login, digest = answer.rsplit(b" ", 1)
        expected = hmac.new(self.password, challenge, hashlib.md5).hexdigest().encode()
        ok = login == self.user and hmac.compare_digest(digest, expected)
        if ok:
            server.session.vek_mechanism = "CRAM-MD5"
        return AuthResult(success=ok, handled=False, auth_data=LoginPassword(login, b""))

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        base = os.path.join(self.folder, str(self.count))
        raw = envelope.original_content
        with open(base + ".eml", "wb") as f:
            f.write(raw)
        if self.raw_only:
            return "250 Message accepted for delivery"
        record = {
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "tls": server.transport.get_extra_info("sslcontext") is not None,
            "auth_mechanism": getattr(session, "vek_mechanism", None),
            "login": (session.auth_data.login.decode()
                      if isinstance(session.auth_data, LoginPassword) else None),
            "message": summarize(raw),
        }
        with open(base + ".json.tmp", "w", encoding="utf-8") as f:
            json.dump(record, f)
        os.replace(base + ".json.tmp", base + ".json")
        return "250 Message accepted for delivery"


async def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--mode", choices=["plain", "starttls", "ssl"], default="plain")
    ap.add_argument("--record", required=True)
    ap.add_argument("--cert")
    ap.add_argument("--key")
    ap.add_argument("--user", default="alice@example.org")
    ap.add_argument("--password", default="secret")
    ap.add_argument("--raw-only", action="store_true",
                    help="keep only the raw text (for benchmarks)")
    args = ap.parse_args()

    context = None
    if args.mode != "plain":
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)

    recorder = Recorder(args.record, args.user, args.password, args.raw_only)
    loop = asyncio.get_running_loop()

    # Benchmarks send mails past aiosmtpd's 32 MiB default limit.
    size_limit = {"data_size_limit": None} if args.raw_only else {}

    def factory():
        return SMTP(recorder, hostname="vek-test", loop=loop, **size_limit,
                    authenticator=recorder.authenticate, auth_require_tls=False,
                    tls_context=context if args.mode == "starttls" else None,
                    require_starttls=args.mode == "starttls")

    server = await loop.create_server(factory, "127.0.0.1", 0,
                                      ssl=context if args.mode == "ssl" else None)
    print("PORT %d" % server.sockets[0].getsockname()[1], flush=True)
    # The test ends us by closing our standard input (or killing us).
    await loop.connect_read_pipe(lambda: _StdinWatcher(server), sys.stdin)
    await server.serve_forever()


class _StdinWatcher(asyncio.Protocol):
    def __init__(self, server):
        self.server = server

    def connection_lost(self, exc):
        self.server.close()


if __name__ == "__main__":
    try:
        asyncio.run(main())
    except asyncio.CancelledError:
        pass
