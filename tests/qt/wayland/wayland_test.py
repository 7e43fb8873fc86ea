#!/usr/bin/python3
"""Starts Zorvane natively on Wayland, under a headless weston of its own.

Usage: wayland_test.py PATH/TO/zorvane APP_ID

Checks that the window carries APP_ID, the name of the desktop entry the package
installs (a dock matches the two to show the icon and pin the program), and that
the window shows: a screenshot must hold the main window's background colour.

weston runs headless on pixman, so no display and no GPU are needed; its socket
lives in a private runtime folder, removed at the end with everything started here.
Needs Debian's weston, and qt6-wayland or qtwayland5. Prints one line per check
and ends with "N passed, M failed".
"""
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib

SOCKET = "zorvane-test"
BACKGROUND = (128, 255, 128)  # the main window's face colour
DEADLINE = 30  # seconds for everything below to happen


def read_png(path):
    """Width, height and rows of RGB triples of an 8-bit RGB or RGBA PNG."""
    with open(path, "rb") as f:
        data = f.read()
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), "unexpected PNG format"
        elif kind == b"IDAT":
            idat += body
        pos += length + 12
    bpp = 3 if colour == 2 else 4
    raw, stride = zlib.decompress(idat), width * bpp
    rows, prior = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prior[i], prior[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[i:i + 3]) for i in range(0, stride, bpp)])
        prior = line
    return width, height, rows


def background_pixels(runtime, env):
    """How many pixels of the screen weston shows now are the window's background."""
    for old in os.listdir(runtime):
        if old.endswith(".png"):
            os.remove(os.path.join(runtime, old))
    subprocess.run(["weston-screenshooter"], cwd=runtime, env=env, timeout=10,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    shots = [n for n in os.listdir(runtime) if n.endswith(".png")]
    if not shots:
        return 0, None
    shot = os.path.join(runtime, shots[0])
    _, _, rows = read_png(shot)
    return sum(row.count(BACKGROUND) for row in rows), shot


def stop(process):
    if process and process.poll() is None:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    if process:
        process.wait()


def main(program, app_id):
    runtime = tempfile.mkdtemp(prefix="zorvane-wayland-")  # mode 0700, as Wayland wants
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET")}
    env.update({"XDG_RUNTIME_DIR": runtime, "WAYLAND_DISPLAY": SOCKET})
    weston = zorvane = None
    results = []

    def check(ok, what):
        results.append(ok)
        print(("ok: " if ok else "FAIL: ") + what)

    try:
        # --debug lets weston-screenshooter in; --no-config keeps the user's weston.ini out.
        with open(os.path.join(runtime, "weston.log"), "w") as log:
            weston = subprocess.Popen(
                ["weston", "--backend=headless-backend.so", "--use-pixman", "--debug",
                 "--no-config", "--idle-time=0", "--socket=" + SOCKET,
                 "--width=1024", "--height=768"],
                env=env, stdout=log, stderr=log, start_new_session=True)
        end = time.monotonic() + DEADLINE
        while not os.path.exists(os.path.join(runtime, SOCKET)) and time.monotonic() < end:
            time.sleep(0.1)
        if not os.path.exists(os.path.join(runtime, SOCKET)):
            check(False, "weston did not start")
            return 1

        trace = os.path.join(runtime, "zorvane.log")
        with open(trace, "w") as log:
            zorvane = subprocess.Popen(
                [program], env=dict(env, QT_QPA_PLATFORM="wayland", WAYLAND_DEBUG="1"),
                stdout=log, stderr=log, start_new_session=True)
        app_ids, pixels, shot = [], 0, None
        while time.monotonic() < end and zorvane.poll() is None:
            time.sleep(0.5)
            with open(trace, errors="replace") as f:
                app_ids = re.findall(r'-> xdg_toplevel@\d+\.set_app_id\("([^"]*)"\)', f.read())
            if app_ids:
                pixels, shot = background_pixels(runtime, env)
                if pixels > 10000:
                    break
        check(zorvane.poll() is None, "the program runs on Wayland")
        check(app_ids[-1:] == [app_id], "its window's app id is %r (asked for %s)"
              % (app_id, ", ".join(map(repr, app_ids)) or "none"))
        # The main window is some 400 by 300 pixels, most of it background.
        check(pixels > 10000, "the window shows: %d pixels of its background on screen" % pixels)
        if shot and os.environ.get("ZORVANE_KEEP_SHOT"):
            shutil.copy(shot, os.environ["ZORVANE_KEEP_SHOT"])
        if not all(results):
            with open(trace, errors="replace") as f:
                print("".join(f.readlines()[-20:]))
    finally:
        stop(zorvane)
        stop(weston)
        shutil.rmtree(runtime, ignore_errors=True)
    print("%d passed, %d failed" % (results.count(True), results.count(False)))
    return 0 if all(results) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
