#!/usr/bin/python3 -u
"""Hears what Orca says to a learner: starts a program under Orca, presses
keys, and prints every utterance after each key, with its delay in seconds.

  orca_hear.py [options] KEY... -- COMMAND [ARG...]

KEY is an xdotool key name (Tab, shift+Tab, space, KP_Add, Down, ...).
Runs on a private Xvfb display and D-Bus session (xvfb-run,
dbus-run-session) with a private HOME, default Orca settings and no sound
(ALSA's null device). Needs orca, speech-dispatcher, at-spi2-core, xvfb,
xauth and xdotool. Orca's own debug file is buffered, so its speech log is
taken from Orca's "speech" logger through orca-customizations.py, which
Orca runs at start-up, one record per line, unbuffered."""

import argparse, ast, os, shutil, signal, subprocess, sys, tempfile, time

HOOK = """import logging, os
h = logging.FileHandler(os.environ["ORCA_HEAR_LOG"])
h.setFormatter(logging.Formatter("%(created).3f %(message)r"))
logging.getLogger("speech").addHandler(h)
"""
ASOUNDRC = "pcm.!default { type null }\nctl.!default { type null }\n"


def parse():
    p = argparse.ArgumentParser(usage=__doc__)
    p.add_argument("--window", default=".", help="name of the window to focus (regex)")
    p.add_argument("--quiet", type=float, default=1.0, help="silence that ends a step")
    p.add_argument("--settle", type=float, default=3.0, help="silence that ends start-up")
    p.add_argument("--max", type=float, default=20.0, help="longest wait for one step")
    p.add_argument("--debug-file", help="also keep Orca's own debug log here")
    p.add_argument("rest", nargs=argparse.REMAINDER)
    a = p.parse_args()
    if "--" not in a.rest or a.rest.index("--") == len(a.rest) - 1:
        p.error("KEY... -- COMMAND expected")
    i = a.rest.index("--")
    a.keys, a.command = a.rest[:i], a.rest[i + 1:]
    return a


class Log:
    """The speech log, read as it grows: (time, utterance) pairs."""
    def __init__(self, path):
        self.file, self.pending = open(path, "a+", encoding="utf-8"), ""
        self.file.seek(0)

    def read(self):
        self.pending += self.file.read()
        *lines, self.pending = self.pending.split("\n")
        out = []
        for line in lines:
            stamp, _, record = line.partition(" ")
            text = ast.literal_eval(record).removeprefix("SPEECH OUTPUT: ")
            if text.endswith("}") and " {" in text:  # a key echo's voice
                text = text[:text.rindex(" {")]
            out.append((float(stamp), text))
        return out

    def until_quiet(self, quiet, longest, need_one=False):
        """Utterances until `quiet` seconds pass without one."""
        start = last = time.time()
        said = []
        while time.time() - start < longest:
            new = self.read()
            said += new
            if new:
                last = time.time()
            elif time.time() - last >= quiet and (said or not need_one):
                break
            time.sleep(0.05)
        return [(t - start, text) for t, text in said]


def show(step, said):
    print(f"[{step}]")
    for delay, text in said:
        print(f"  +{delay:5.2f} {text}")


def inner(a):
    home = tempfile.mkdtemp(prefix="orca-hear-")
    env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=f"{home}/run",
               XDG_CONFIG_HOME=f"{home}/.config", XDG_DATA_HOME=f"{home}/.local/share",
               XDG_CACHE_HOME=f"{home}/.cache", ORCA_HEAR_LOG=f"{home}/speech.log")
    os.makedirs(f"{home}/run", mode=0o700)
    os.makedirs(f"{home}/.local/share/orca")
    for path, text in ((".asoundrc", ASOUNDRC), (".local/share/orca/orca-customizations.py", HOOK),
                       ("speech.log", "")):
        with open(f"{home}/{path}", "w", encoding="utf-8") as f:
            f.write(text)
    log = Log(env["ORCA_HEAR_LOG"])
    debug = ["--debug-file", os.path.abspath(a.debug_file)] if a.debug_file else []
    orca = subprocess.Popen(["orca", "--replace", *debug], env=env, cwd=home,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = None
    try:
        show("orca", log.until_quiet(0.5, 30, need_one=True))
        program = subprocess.Popen(a.command, env=env, cwd=home, start_new_session=True)
        window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", a.window],
                                capture_output=True, text=True, timeout=60).stdout.split()[-1]
        # No window manager: give the window the keyboard focus, as one would.
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=10)
        show("start", log.until_quiet(a.settle, 60, need_one=True))
        for key in a.keys:
            subprocess.run(["xdotool", "key", key], check=True)
            show(key, log.until_quiet(a.quiet, a.max))
    finally:
        if program:
            os.killpg(program.pid, signal.SIGTERM)
            try:
                program.wait(10)
            except subprocess.TimeoutExpired:
                os.killpg(program.pid, signal.SIGKILL)
        orca.terminate()
        try:
            orca.wait(10)
        except subprocess.TimeoutExpired:
            orca.kill()
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    args = parse()
    if os.environ.get("ORCA_HEAR_INNER"):
        inner(args)
    else:
        os.environ["ORCA_HEAR_INNER"] = "1"
        os.execvp("xvfb-run", ["xvfb-run", "-a", "-s", "-screen 0 1280x1024x24 -nolisten tcp",
                               "dbus-run-session", "--", sys.executable, "-u", *sys.argv])
