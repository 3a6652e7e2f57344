#!/usr/bin/env python3
"""How long a misbehaving update server holds the program's start.

Runs the windowed program (offscreen) against a server on 127.0.0.1 that
misbehaves in one of several ways, and reports for each the time until the
program makes its data folder (which it does right after the update check),
its peak memory until then, and what the check left in the program folder.

    bench/update_start_delay.py build/ledgerkeeper [MODE ...]
"""
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time

BASE = "/upgrade/LedgerKeeper/1.8/"


def description(mode):
    if mode == "stall-files":
        return "".join(f"1 f{i}.dll 100 0 0\n" for i in range(4))
    if mode == "trickle-files":
        return "".join(f"1 t{i}.dll 100 0 0\n" for i in range(50))
    if mode == "repeat-one-name":
        return "".join(f"1 one.dll {100 + i} 0 0\n" for i in range(2000))
    if mode == "many-small-files":
        return "".join(f"1 m{i}.dll 100 0 0\n" for i in range(20000))
    if mode == "redirect-elsewhere":
        return "1 moved.dll 100 0 0\n"
    if mode in ("stream-file", "well-behaved"):
        return "1 big.dll 100 0 0\n"
    return ""


def endless(conn, head, chunk, pause=0.0):
    conn.sendall(head)
    while True:
        conn.sendall(chunk)
        if pause:
            time.sleep(pause)


def answer(conn, mode, port):
    request = b""
    while b"\r\n\r\n" not in request:
        got = conn.recv(4096)
        if not got:
            return
        request += got
    path = request.split(b" ")[1].decode()
    ok = b"HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n"
    if mode == "stall-all":
        time.sleep(3600)
    if path.endswith("update.dat"):
        if mode == "stream-description":
            endless(conn, ok, b"x" * 65536)
        if mode == "trickle-description":
            endless(conn, ok, b"1", 0.5)
        if mode == "endless-header":
            endless(conn, b"HTTP/1.1 200 OK\r\nX-Filler: ", b"a" * 65536)
        if mode == "announce-100-GB":
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: 107374182400\r\n\r\n")
            endless(conn, b"", b"x" * 65536)
        body = description(mode).encode()
        conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n" % len(body) + body)
        return
    if mode == "stall-files":
        time.sleep(3600)
    if mode == "trickle-files":
        endless(conn, ok, b"1", 0.5)
    if mode == "stream-file":
        endless(conn, ok, b"y" * 65536)
    if mode == "redirect-elsewhere":
        location = f"http://localhost:{port}{path}".encode()
        conn.sendall(b"HTTP/1.1 302 Found\r\nLocation: " + location + b"\r\nContent-Length: 0\r\n\r\n")
        return
    body = b"y" * 50
    conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\nConnection: close\r\n\r\n" % len(body) + body)


def serve(listener, mode):
    port = listener.getsockname()[1]

    def handle(conn):
        try:
            answer(conn, mode, port)
        except OSError:
            pass
        finally:
            conn.close()

    while True:
        try:
            conn, _ = listener.accept()
        except OSError:
            return
        threading.Thread(target=handle, args=(conn,), daemon=True).start()


def peak_rss_kb(pid):
    try:
        with open(f"/proc/{pid}/status") as status:
            for line in status:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return 0


def folder_bytes(folder):
    total = 0
    for root, _, files in os.walk(folder):
        for name in files:
            total += os.path.getsize(os.path.join(root, name))
    return total


def measure(program, mode):
    listener = socket.socket()
    listener.bind(("127.0.0.1", 0))
    listener.listen(64)
    threading.Thread(target=serve, args=(listener, mode), daemon=True).start()
    with tempfile.TemporaryDirectory() as temp:
        env = dict(os.environ, LEDGERKEEPER_HOME=f"{temp}/home", XDG_CONFIG_HOME=f"{temp}/config",
                   QT_QPA_PLATFORM="offscreen",
                   LEDGERKEEPER_UPDATE_URL=f"http://127.0.0.1:{listener.getsockname()[1]}{BASE}")
        start = time.monotonic()
        child = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        peak = 0
        while not os.path.isdir(f"{temp}/home/Account") and child.poll() is None and time.monotonic() - start < 120:
            peak = max(peak, peak_rss_kb(child.pid))
            time.sleep(0.05)
        delay = time.monotonic() - start
        peak = max(peak, peak_rss_kb(child.pid))
        child.kill()
        child.wait()
        written = folder_bytes(f"{temp}/home/Program")
    listener.close()
    print(f"{mode:22} start after {delay:6.2f} s  peak memory {peak / 1024:6.1f} MiB  program folder {written} bytes")


MODES = ["well-behaved", "stall-all", "stall-files", "trickle-description", "trickle-files", "stream-description",
         "announce-100-GB", "endless-header", "stream-file", "repeat-one-name", "many-small-files",
         "redirect-elsewhere"]

if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    for name in sys.argv[2:] or MODES:
        measure(sys.argv[1], name)
