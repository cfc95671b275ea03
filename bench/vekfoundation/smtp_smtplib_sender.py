#!/usr/bin/python3
"""The reference side of the mail benchmark: Python's smtplib sending the
same mails as the C++ client, one connection per mail.

Usage: smtp_smtplib_sender.py PORT COUNT ATTACHMENT [--peak]
Prints "SMTPLIB <milliseconds>", and with --peak also "PEAK <kilobytes>", the
process's peak resident memory.
"""
import os
import resource
import smtplib
import sys
import time
from email.message import EmailMessage


def main():
    port, count, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    start = time.perf_counter()
    for i in range(count):
        # Built per mail, as the C++ client builds its message per call.
        with open(path, "rb") as f:
            data = f.read()
        msg = EmailMessage()
        msg["From"] = "Bench <bench@example.org>"
        msg["To"] = "To <to@example.org>"
        msg["Subject"] = "bench %d" % i
        msg.set_content("<p>bench mail %d</p>" % i, subtype="html")
        msg.add_attachment(data, maintype="application", subtype="octet-stream",
                           filename=os.path.basename(path))
        with smtplib.SMTP("127.0.0.1", port) as smtp:
            smtp.send_message(msg)
    print("SMTPLIB %.1f" % ((time.perf_counter() - start) * 1000.0), flush=True)
    if sys.argv[4:] == ["--peak"]:
        print("PEAK %d" % resource.getrusage(resource.RUSAGE_SELF).ru_maxrss, flush=True)


if __name__ == "__main__":
    main()
