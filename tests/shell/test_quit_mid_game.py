# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program, driven as a pupil drives it through a screen reader:
a good series in the exercise window, the reward's splash and its OK, a new
game, then "&Quitter" in the game window while the game runs. The program must
end at once with status 0, leave no single-instance lock or socket behind and
leave the best scores untouched (no "Perdu !", no name asked).

Usage: test_quit_mid_game.py PROGRAM
It makes a fresh home and a virtual X server, then runs itself again on a
session bus of its own (dbus-run-session), whose accessibility bus lives in
that home: it can run beside a desktop session and beside other tests.
"""
import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings

WAIT_S = 90  # a sanitizer build starts and answers slowly
GOOD_SERIES = 5  # right answers that earn the game under the hardest option
HARDEST = "moins de 100 000 000 000"
SCORES = b"None:0\r\n" * 5


class Failure(Exception):
    pass


def ended_with_us():
    """For a child: the signal it gets when this script dies, however."""
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def wait_until(what, check, dump=None):
    """Polls check() until it gives something true; fails after WAIT_S."""
    deadline = time.monotonic() + WAIT_S
    while True:
        found = check()
        if found:
            return found
        if time.monotonic() > deadline:
            raise Failure(f"{what}: not within {WAIT_S} s" + (f"\n{dump()}" if dump else ""))
        time.sleep(0.02)


def start_display():
    """A virtual X server on the first free display, which it tells itself."""
    read_end, write_end = os.pipe()
    try:
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp"],
                                pass_fds=[write_end], stderr=subprocess.DEVNULL,
                                preexec_fn=ended_with_us)
    except OSError as error:
        raise Failure(f"the virtual X server could not start (package xvfb): {error}")
    os.close(write_end)
    with os.fdopen(read_end) as told:
        number = told.readline().strip() if select.select([told], [], [], WAIT_S)[0] else ""
    if not number:
        xvfb.kill()
        xvfb.wait()
        raise Failure("the virtual X server (Xvfb) did not start")
    return xvfb, ":" + number


def start_accessibility_bus():
    """Starts the bus on the private session bus: the program joins it only
    when it is already there."""
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Gio, GLib
    except (ImportError, ValueError) as error:
        raise Failure(f"no AT-SPI bindings (python3-gi, gir1.2-atspi-2.0): {error}")
    try:
        Gio.bus_get_sync(Gio.BusType.SESSION).call_sync(
            "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
            GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, WAIT_S * 1000, None)
    except GLib.Error as error:
        raise Failure(f"the accessibility bus did not start (at-spi2-core): {error.message}")


class Tree:
    """The program's accessible objects, read afresh at every look."""

    def __init__(self, pid):
        from gi.repository import Atspi, GLib
        self.atspi, self.glib = Atspi, GLib
        # A call waits for its answer as long as the program may take (0.8 s
        # by default: a new game in a sanitizer build takes longer).
        Atspi.set_timeout(WAIT_S * 1000, WAIT_S * 1000)
        self.desktop = Atspi.get_desktop(0)
        self.desktop.set_cache_mask(Atspi.Cache.NONE)
        self.pid = pid

    def app(self):
        for i in range(self.desktop.get_child_count()):
            app = self.desktop.get_child_at_index(i)
            if app and app.get_process_id() == self.pid:
                return app
        return None

    def walk(self, node):
        yield node
        for i in range(node.get_child_count()):
            child = node.get_child_at_index(i)
            if child:
                yield from self.walk(child)

    def has(self, node, state):
        return node.get_state_set().contains(state)

    def windows(self):
        app = self.app()
        for i in range(app.get_child_count() if app else 0):
            window = app.get_child_at_index(i)
            if window and self.has(window, self.atspi.StateType.SHOWING):
                yield window

    def window(self, name):
        return next((window for window in self.windows() if window.get_name() == name), None)

    def find(self, window, role, name=None, description=None, enabled=True):
        for node in self.walk(window):
            if (node.get_role_name() == role and name in (None, node.get_name())
                    and description in (None, node.get_description())
                    and (not enabled or self.has(node, self.atspi.StateType.SENSITIVE))):
                return node
        return None

    def act(self, node, action):
        with warnings.catch_warnings():  # its newer name is hidden by the object's own
            warnings.simplefilter("ignore", DeprecationWarning)
            names = [node.get_action_name(i) for i in range(node.get_n_actions())]
        node.do_action(names.index(action))

    def shown(self):
        """The windows shown, each with the texts of its labels."""
        return "windows shown: " + ", ".join(
            f"{w.get_name()!r} [" + " / ".join(n.get_name() for n in self.walk(w) if n.get_name()
                                               and n.get_role_name() == "label") + "]"
            for w in self.windows())


def words_of(program, number):
    words = subprocess.run([program, "--words", number], stdout=subprocess.PIPE, text=True)
    if words.returncode != 0:
        raise Failure(f"no words for the number shown, {number!r}")
    return words.stdout.strip()


def play_and_quit(program, folder, display):
    runtime = os.path.join(folder, "run")
    scores = os.path.join(folder, "data", "vorelle", "scores.lst")
    vorelle = subprocess.Popen([program], env=dict(os.environ, DISPLAY=display,
                                                   XDG_RUNTIME_DIR=runtime),
                               preexec_fn=ended_with_us)
    try:
        tree = Tree(vorelle.pid)
        exercise = wait_until("the exercise window Form1 shown", lambda: tree.window("Vorelle"))
        tree.act(wait_until(f'the difficulty "{HARDEST}"', lambda: tree.find(
            exercise, "radio button", HARDEST)), "Toggle")
        tree.act(tree.find(exercise, "push button", "Générer un nombre"), "Press")
        for right in range(1, GOOD_SERIES + 1):
            answer = tree.find(exercise, "text", "Ta réponse en lettres")
            number = wait_until("a number to write", lambda: answer.get_description()).removeprefix(
                "Nombre à écrire : ")
            answer.set_text_contents(words_of(program, number))
            tree.act(wait_until('"Vérifier" enabled by the answer', lambda: tree.find(
                exercise, "push button", "Vérifier")), "Press")
            wait_until(f"{right} right answer(s) counted for {number}", lambda: tree.find(
                exercise, "label", str(right), "Nombre de bonnes réponses"), tree.shown)
        splash = wait_until("the splash after a good series",
                            lambda: tree.window("Brikko32 - Finished Loading"), tree.shown)
        tree.act(wait_until('the splash\'s "OK" enabled', lambda: tree.find(
            splash, "push button", "OK")), "Press")
        game = wait_until("the game window", lambda: tree.window("Brikko32"), tree.shown)
        tree.act(tree.find(game, "menu item", "Nouveau jeu"), "Press")
        quit_item = wait_until("a game under way", lambda: tree.find(
            game, "menu item", "Arrêter la partie") and tree.find(game, "menu item", "Quitter"))
        held = sorted(os.listdir(runtime))
        if held != ["vorelle.lock", "vorelle.socket"]:
            raise Failure(f"single-instance files while running: {held}")
        try:
            tree.act(quit_item, "Press")
        except tree.glib.Error:
            pass  # the program may end before it answers
        try:
            status = vorelle.wait(WAIT_S)
        except subprocess.TimeoutExpired:
            raise Failure('still running after "Quitter" mid-game\n' + tree.shown())
        if status != 0:
            raise Failure(f'"Quitter" mid-game ended the program with status {status}')
        left = [f for f in os.listdir(runtime) if f.endswith((".lock", ".socket"))]
        if left:
            raise Failure(f"left in the runtime folder: {left}")
        with open(scores, "rb") as file:
            if file.read() != SCORES:
                raise Failure("the best scores were rewritten")
    finally:
        if vorelle.poll() is None:
            vorelle.kill()
            vorelle.wait()


def on_private_bus(program, folder, display):
    try:
        start_accessibility_bus()
        play_and_quit(program, folder, display)
    except Failure as failure:
        sys.exit(f"FAIL: {failure}")
    print('PASS: "Quitter" mid-game ended the program with status 0, nothing left behind')


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--on-private-bus":
        return on_private_bus(*sys.argv[2:])
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    # Short: a socket's path has room for about a hundred bytes.
    folder = tempfile.mkdtemp(prefix="vq", dir="/tmp")
    xvfb = None
    try:
        for sub in ("home", "config/vorelle", "data/vorelle", "system", "run", "bus"):
            os.makedirs(os.path.join(folder, sub), mode=0o700)
        with open(os.path.join(folder, "config", "vorelle", "vorelle.ini"), "w") as file:
            file.write("[Options]\nShow Tips at Startup=0\n")
        with open(os.path.join(folder, "config", "vorelle", "Brikko32.ini"), "w") as file:
            file.write("[Brikko32]\nPlay Sounds=T\nHide Splash=F\n")
        with open(os.path.join(folder, "data", "vorelle", "scores.lst"), "wb") as file:
            file.write(SCORES)
        xvfb, display = start_display()
        # The accessibility bus's socket goes in the runtime folder of the
        # session bus, one of our own; the bus knows no display, so the
        # program finds it through the session bus alone.
        environment = {key: value for key, value in os.environ.items()
                       if key not in ("DISPLAY", "WAYLAND_DISPLAY", "AT_SPI_BUS_ADDRESS")}
        environment.update(
            QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", SDL_AUDIODRIVER="dummy",
            HOME=os.path.join(folder, "home"), XDG_CONFIG_HOME=os.path.join(folder, "config"),
            XDG_DATA_HOME=os.path.join(folder, "data"),
            XDG_CONFIG_DIRS=os.path.join(folder, "system"),
            XDG_RUNTIME_DIR=os.path.join(folder, "bus"))
        command = [sys.executable, os.path.abspath(__file__), "--on-private-bus",
                   os.path.abspath(sys.argv[1]), folder, display]
        try:
            status = subprocess.run(["dbus-run-session", "--", *command], env=environment,
                                    preexec_fn=ended_with_us).returncode
        except OSError as error:
            raise Failure(f"no private session bus (package dbus-daemon): {error}")
    except Failure as failure:
        sys.exit(f"FAIL: {failure}")
    finally:
        if xvfb:
            xvfb.terminate()
            xvfb.wait()
        shutil.rmtree(folder, ignore_errors=True)
    sys.exit(status)


if __name__ == "__main__":
    main()
