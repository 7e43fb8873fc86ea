#!/usr/bin/python3
"""Reads Zorvane's windows over AT-SPI, the way a screen reader does.

Usage: screen_reader_test.py PATH/TO/zorvane [memory|speech]

Runs the real program on a private X server and a private D-Bus session with the
accessibility bus switched on. The rule it checks: a control's accessible name is
what the control shows; context comes through relations, never by replacing the text.

With "memory", it instead makes several requests, reads each password, and then
scans the program's readable memory for the earlier ones: the field must keep only
the current password.

With "speech", it runs the Orca screen reader beside the program, presses Generate
with real keys, and reads what Orca said from its debug log.

Needs Debian's python3-gi, gir1.2-atspi-2.0, at-spi2-core, dbus-daemon and xvfb;
"speech" also orca and xdotool.
Prints one line per check and ends with "N passed, M failed".
"""
import os
import re
import pty
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import warnings

INSIDE = "ZORVANE_A11Y_SESSION"
LENGTH_LABEL = "Number of Characters in the password"
FIGURE_LABEL = "Number of Combinations"


def run_in_private_session(program, mode):
    """Starts Xvfb and a D-Bus session, and runs this script again inside them."""
    runtime = tempfile.mkdtemp(prefix="zorvane-a11y-")  # holds the accessibility bus
    ready_read, ready_write = os.pipe()
    # -displayfd takes a free display atomically, so parallel runs never collide;
    # -noreset stops the server resetting whenever its last client leaves, which
    # drops clients that connect at that moment.
    xvfb = subprocess.Popen(
        ["Xvfb", "-displayfd", str(ready_write), "-noreset", "-nolisten", "tcp",
         "-screen", "0", "1024x768x24"], pass_fds=[ready_write])
    os.close(ready_write)
    session = None
    try:
        ready = select.select([ready_read], [], [], 10)[0]
        display = os.read(ready_read, 16).decode().strip() if ready else ""
        if not display:
            print("FAIL: Xvfb did not start within 10 s")
            return 1
        env = {k: v for k, v in os.environ.items()
               if k not in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY")}
        env.update({INSIDE: "1", "DISPLAY": ":" + display, "XDG_RUNTIME_DIR": runtime,
                    "QT_QPA_PLATFORM": "xcb"})  # the offscreen platform has no AT-SPI bridge
        session = subprocess.Popen(
            ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), program] + mode,
            env=env, start_new_session=True)
        return session.wait(timeout=50)
    except subprocess.TimeoutExpired:
        print("FAIL: the checks did not finish within 50 s")
        return 1
    finally:
        if session:
            try:  # whatever the session left behind, the program above all
                os.killpg(session.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            session.wait()
        xvfb.terminate()
        try:
            xvfb.wait(timeout=5)
        except subprocess.TimeoutExpired:
            xvfb.kill()
            xvfb.wait()
        os.close(ready_read)
        shutil.rmtree(runtime, ignore_errors=True)


def memory_counts(pid, texts):
    """How often each of `texts` occurs whole in the readable memory of process `pid`,
    as UTF-16 and as Latin-1 (the same bytes as UTF-8 for a password)."""
    encodings = ("utf-16-le", "latin-1")
    counts = {(t, e): 0 for t in texts for e in encodings}
    with open(f"/proc/{pid}/maps") as maps, open(f"/proc/{pid}/mem", "rb", 0) as mem:
        for line in maps:
            span, perms = line.split()[:2]
            if not perms.startswith("r"):
                continue
            start, end = (int(x, 16) for x in span.split("-"))
            try:
                mem.seek(start)
                data = mem.read(end - start)
            except (OSError, OverflowError, ValueError):  # [vvar] and the like
                continue
            for text, encoding in counts:
                counts[text, encoding] += data.count(text.encode(encoding))
    return counts


def run_checks(program, mode):
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, Gio, GLib

    def wait_for(probe, timeout=10.0):
        deadline = time.monotonic() + timeout
        while True:
            found = probe()
            if found or time.monotonic() > deadline:
                return found
            time.sleep(0.05)

    def descendants(node):
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child is not None:
                yield child
                yield from descendants(child)

    def find(root, role, name=None):
        return [n for n in descendants(root)
                if n.get_role() == role and (name is None or n.get_name() == name)]

    def names(root, role):
        return [n.get_name() for n in find(root, role)]

    def labelled_by(node):
        return [r.get_target(i).get_name() for r in node.get_relation_set()
                if r.get_relation_type() == Atspi.RelationType.LABELLED_BY
                for i in range(r.get_n_targets())]

    def press(button):
        for i in range(Atspi.Action.get_n_actions(button)):
            with warnings.catch_warnings():  # its successor is missing from the bindings
                warnings.simplefilter("ignore", DeprecationWarning)
                action = Atspi.Action.get_action_name(button, i)
            if action.lower() in ("press", "click"):
                return Atspi.Action.do_action(button, i)
        raise AssertionError(f"{button.get_name()!r} offers no press action")

    results = []

    def check(what, ok, detail=""):
        results.append(bool(ok))
        print(("PASS: " if ok else "FAIL: ") + what + ("" if ok else f" ({detail})"), flush=True)

    # What the desktop does when a screen reader starts: switch the accessibility bus on.
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    for prop in ("IsEnabled", "ScreenReaderEnabled"):
        bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                      GLib.Variant("(ssv)", ("org.a11y.Status", prop, GLib.Variant("b", True))),
                      None, Gio.DBusCallFlags.NONE, 5000, None)
    desktop = Atspi.get_desktop(0)
    desktop.get_child_count()  # the registry is up before the program looks for it

    orca = start_orca(wait_for, check) if mode == "speech" else None
    if mode == "speech" and not orca:
        return 1
    proc = subprocess.Popen([program])
    try:
        def app():
            for i in range(desktop.get_child_count()):
                child = desktop.get_child_at_index(i)
                if child is not None and child.get_process_id() == proc.pid:
                    return child
            return None

        def window(title):
            a = app()
            return a and next((w for w in (a.get_child_at_index(i)
                                           for i in range(a.get_child_count()))
                               if w and w.get_name() == title
                               and w.get_state_set().contains(Atspi.StateType.SHOWING)), None)

        main_window = wait_for(lambda: proc.poll() is not None or window("Zorvane"), timeout=20)
        exited = proc.poll() is not None
        check("the main window 'Zorvane' is on the desktop", main_window and not exited,
              f"the program exited with {proc.returncode}" if exited else "not found in 20 s")
        if exited or not main_window:
            return 1

        labels = names(main_window, Atspi.Role.LABEL)
        check(f"label {LENGTH_LABEL!r}", LENGTH_LABEL in labels, f"labels: {labels}")
        check(f"label {FIGURE_LABEL!r}", FIGURE_LABEL in labels, f"labels: {labels}")
        check("before a request the empty figure has no name, not its caption's",
              labels.count(FIGURE_LABEL) == 1 and "" in labels, f"labels: {labels}")
        # Decoration is no part of the tree: of what the window shows, only the
        # empty figure is nameless.
        shown = [c for c in (main_window.get_child_at_index(i)
                             for i in range(main_window.get_child_count()))
                 if c and c.get_state_set().contains(Atspi.StateType.SHOWING)]
        nameless = [c.get_role_name() for c in shown if not c.get_name()]
        check("no nameless object in the window but the empty figure",
              nameless == ["label"], f"nameless: {nameless}")
        fields = find(main_window, Atspi.Role.TEXT) + find(main_window, Atspi.Role.ENTRY)
        multi = [f for f in fields if f.get_state_set().contains(Atspi.StateType.MULTI_LINE)]
        entry = next((f for f in fields if f not in multi), None)
        check("the length entry is named and labelled by its label",
              entry and entry.get_name() == LENGTH_LABEL and labelled_by(entry) == [LENGTH_LABEL],
              entry and f"name {entry.get_name()!r}, labelled by {labelled_by(entry)}")
        password = multi[0] if multi else None
        check("the multi-line password field is named 'Password'",
              password and password.get_name() == "Password",
              password and f"name {password.get_name()!r}")
        buttons = names(main_window, Atspi.Role.PUSH_BUTTON)
        for caption in ("Generate Password", "Exit", "About"):
            check(f"push button {caption!r}", caption in buttons, f"buttons: {buttons}")
        generate = next(iter(find(main_window, Atspi.Role.PUSH_BUTTON, "Generate Password")), None)
        if not (entry and password and generate):
            return 1
        if mode == "memory":
            check_memory(proc.pid, entry, password, generate, press, check)
            return 0 if all(results) else 1
        if mode == "speech":
            check_speech(orca, main_window, password, wait_for, find, check)
            return 0 if all(results) else 1

        def request(length, figure):
            Atspi.EditableText.set_text_contents(entry, length)
            press(generate)
            heard = wait_for(lambda: find(main_window, Atspi.Role.LABEL, figure), timeout=5)
            check(f"after {length!r} the figure is heard as {figure!r}", heard,
                  f"labels: {names(main_window, Atspi.Role.LABEL)}")
            return heard

        heard = request("5", "4200")
        check(f"the figure is labelled by {FIGURE_LABEL!r}",
              heard and labelled_by(heard[0]) == [FIGURE_LABEL],
              f"labelled by {labelled_by(heard[0])}" if heard else "no figure heard")
        buttons = names(main_window, Atspi.Role.PUSH_BUTTON)
        check("the Generate button's name follows its caption 'I want another one!!'",
              "I want another one!!" in buttons and "Generate Password" not in buttons,
              f"buttons: {buttons}")
        text = Atspi.Text.get_text(password, 0, -1)
        check("the password field holds a 5-character password",
              len(text) == 5 and text.isalnum(), f"text {text!r}")
        request("7", "Infinity")

        about = next(iter(find(main_window, Atspi.Role.PUSH_BUTTON, "About")), None)
        about_window = about and press(about) and wait_for(lambda: window("About Tolmek"), timeout=5)
        check("About opens the window 'About Tolmek'", about_window, "not found")
        if not about_window:
            return 1
        labels = names(about_window, Atspi.Role.LABEL)
        check("the paragraph is heard, not a name for it",
              any(n.startswith("Hello, I am Tolmek") for n in labels), f"labels: {labels}")
        check("label 'My Website'", "My Website" in labels, f"labels: {labels}")
        address = find(about_window, Atspi.Role.LABEL, "www.tolmek.example")
        check("the address is heard and labelled by 'My Website'",
              address and labelled_by(address[0]) == ["My Website"],
              f"labels: {labels}" if not address else f"labelled by {labelled_by(address[0])}")
        images = names(about_window, Atspi.Role.IMAGE)
        check("images 'Zorvane banner' and 'Portrait of Tolmek'",
              sorted(images) == ["Portrait of Tolmek", "Zorvane banner"], f"images: {images}")
        check("push button 'Back'", find(about_window, Atspi.Role.PUSH_BUTTON, "Back"),
              f"buttons: {names(about_window, Atspi.Role.PUSH_BUTTON)}")
    finally:
        proc.kill()
        proc.wait()
        if orca:
            orca[0].kill()
            orca[0].wait()
        print(f"{results.count(True)} passed, {results.count(False)} failed")
    return 0 if all(results) else 1


def check_memory(pid, entry, field, generate, press, check):
    """Seven requests; then no earlier password may be left whole in memory."""
    from gi.repository import Atspi
    Atspi.EditableText.set_text_contents(entry, "24")
    passwords = []
    for _ in range(7):
        press(generate)
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            text = Atspi.Text.get_text(field, 0, -1)
            if len(text) == 24 and text not in passwords:
                break
            time.sleep(0.05)
        passwords.append(text)
    check("seven different 24-character passwords", len(set(passwords)) == 7
          and all(len(p) == 24 for p in passwords), f"passwords: {passwords}")
    time.sleep(0.5)  # let the program finish drawing the last one
    counts = memory_counts(pid, passwords)
    for encoding in ("utf-16-le", "latin-1"):
        print(f"{encoding}: " + " ".join(str(counts[p, encoding]) for p in passwords))
    check("the current password is in memory as UTF-16 (the scan works)",
          counts[passwords[-1], "utf-16-le"] > 0, "not found")
    left = [(i + 1, e) for i, p in enumerate(passwords[:-1])
            for e in ("utf-16-le", "latin-1") if counts[p, e]]
    check("no earlier password is left whole in memory", not left,
          "found (request, encoding): " + ", ".join(f"{i} {e}" for i, e in left))


def spoken(log):
    """What Orca has said so far, one utterance an item, from its debug log."""
    said = (re.search(r"SPEECH OUTPUT: '(.*)'(?: ?\{.*\})?$", line) for line in list(log))
    return [m.group(1) for m in said if m]


def start_orca(wait_for, check):
    """Orca with its settings in the private session's runtime folder, logging
    what it speaks. Returns (process, log) once it has said it is on; the log
    is a list of lines that fills as Orca writes."""
    if not shutil.which("orca"):
        check("Orca is installed (scripts/install-deps test)", False, "orca not found")
        return None
    runtime = os.environ["XDG_RUNTIME_DIR"]
    env = dict(os.environ, HOME=runtime, XDG_CONFIG_HOME=runtime, XDG_DATA_HOME=runtime)
    # Orca writes its log through Python's buffered files, which flush each line
    # only to a terminal: it gets one, and the log is read from the other end.
    master, slave = pty.openpty()
    orca = subprocess.Popen(["orca", "--debug-file=/dev/stdout"], env=env, stdin=subprocess.DEVNULL,
                            stdout=slave, stderr=slave)
    os.close(slave)
    log = []

    def read():
        with open(master, "rb", 0) as terminal:
            pending = b""
            while True:
                try:
                    chunk = terminal.read(65536)
                except OSError:  # Orca has ended
                    return
                if not chunk:
                    return
                *lines, pending = (pending + chunk).split(b"\n")
                log.extend(line.decode(errors="replace").rstrip("\r") for line in lines)

    threading.Thread(target=read, daemon=True).start()
    on = wait_for(lambda: spoken(log), timeout=20)
    check("Orca starts and speaks", on, "nothing in its log within 20 s")
    if not on:
        orca.kill()
        orca.wait()
        return None
    return orca, log


def check_speech(orca, main_window, password, wait_for, find, check):
    """Generate pressed with Space as a user does: Orca says what the request
    made, the focus stays on the button, and the password is never spoken."""
    from gi.repository import Atspi
    log = orca[1]
    # The length field has the focus when the window opens.
    wait_for(lambda: any(LENGTH_LABEL in s for s in spoken(log)), timeout=10)

    def heard(expected):
        return sum(s.startswith(expected) for s in spoken(log))

    def key(*keys):
        subprocess.run(["xdotool", "key", "--delay", "50"] + list(keys), check=True)

    key("ctrl+a", "8", "Tab")
    wait_for(lambda: any(s.startswith("Generate Password") for s in spoken(log)), timeout=5)
    news = "notification New password, 8 characters. Number of Combinations: "
    key("space")
    first = wait_for(lambda: heard(news), timeout=5)
    check("after Space on Generate, Orca announces the new password's length",
          first, "said: " + " | ".join(spoken(log)[-6:]))
    figures = [n.get_name() for n in find(main_window, Atspi.Role.LABEL)
               if n.get_name() not in ("", LENGTH_LABEL, FIGURE_LABEL)]
    check("the announcement gives the figure the window shows",
          len(figures) == 1 and heard(f"{news}{figures[0]}."),
          f"figures {figures}, said: " + " | ".join(spoken(log)[-4:]))
    key("space")
    check("the same words are announced again after the next request",
          wait_for(lambda: heard(news) >= 2, timeout=5),
          "said: " + " | ".join(spoken(log)[-6:]))
    buttons = [b for b in find(main_window, Atspi.Role.PUSH_BUTTON)
               if b.get_state_set().contains(Atspi.StateType.FOCUSED)]
    check("the focus stays on the button", [b.get_name() for b in buttons] == [
          "I want another one!!"], f"focused: {[b.get_name() for b in buttons]}")
    secret = Atspi.Text.get_text(password, 0, -1)
    check("Orca never speaks the password", len(secret) == 8 and
          not any(secret in s for s in spoken(log)), f"password {secret!r}")


def main():
    mode = sys.argv[2:]
    if len(sys.argv) not in (2, 3) or mode not in ([], ["memory"], ["speech"]):
        sys.exit(__doc__)
    program = os.path.abspath(sys.argv[1])
    if os.environ.get(INSIDE):
        return run_checks(program, mode[0] if mode else "")
    return run_in_private_session(program, mode)


if __name__ == "__main__":
    sys.exit(main())
