#!/usr/bin/python3 -u
"""Hears what Orca says: starts COMMAND under Orca, presses each KEY and
prints every utterance after it, with its delay in seconds.

  orca_hear.py [--window RE] [--ready RE] [--quiet S] [--debug-file F] KEY... -- COMMAND...

KEY is a name for xdotool (Tab, shift+Tab, space, Down, Insert+KP_Home);
KEY@S waits for S seconds of silence after it, not --quiet's. For example,
from the top folder:

  tests/screen_reader/orca_hear.py --window zorelmina Tab Tab space -- build/app/zorelmina
  tests/screen_reader/orca_hear.py --window firefox --ready mode Tab -- \\
      tests/screen_reader/firefox-fresh.sh "file://$PWD/build-web/app/zorelmina.html"

It runs on a private Xvfb display and D-Bus session with a private HOME,
Orca's default settings and no sound: ALSA's null device, which
speech-dispatcher is told to use (else it tries PulseAudio alone and hangs
at the first utterance, and Orca with it). What Orca says comes from the
orca-customizations.py that Orca runs at start-up, which writes down each
utterance as Orca hands it to speech (Orca's own debug file is buffered).
It needs orca, speech-dispatcher, xvfb, xauth and xdotool (and
at-spi2-core, dbus). The tests use hear() and in_own_session()."""

import argparse, os, re, shutil, signal, subprocess, sys, tempfile, time

# Orca 43 to 48 alike: every utterance passes speech._speak(text, ...), and
# say-all speech.sayAll or speech.say_all.
HOOK = """import os, time
from orca import debug, speech
heard = open(os.environ["ORCA_HEAR_LOG"], "a", encoding="utf-8", buffering=1)
def note(text):
    heard.write("%.3f %r\\n" % (time.time(), text))
speak = speech._speak
def spoken(text, *rest, **named):
    note(text)
    return speak(text, *rest, **named)
speech._speak = spoken
for name in ("sayAll", "say_all"):
    say_all = getattr(speech, name, None)
    if say_all:
        def logged(utterances, _):
            for context, acss in utterances:
                note(context.utterance)
                yield context, acss
        setattr(speech, name, lambda utterances, progress, own=say_all: own(logged(utterances, 0), progress))
if debug.debugFile:
    debug.debugFile.reconfigure(line_buffering=True)
"""


def private_home():
    home = tempfile.mkdtemp(prefix="orca-hear-")
    with open("/etc/speech-dispatcher/speechd.conf", encoding="utf-8") as f:
        speechd = f.read() + '\nAudioOutputMethod "alsa"\n'
    files = {".asoundrc": "pcm.!default { type null }\n", "speech.log": "",
             ".config/speech-dispatcher/speechd.conf": speechd, ".local/share/orca/orca-customizations.py": HOOK}
    for path, text in files.items():
        os.makedirs(os.path.dirname(f"{home}/{path}"), exist_ok=True)
        with open(f"{home}/{path}", "w", encoding="utf-8") as f:
            f.write(text)
    os.makedirs(f"{home}/run", mode=0o700)
    return home


def until_quiet(log, quiet, longest, ready=None, start=None):
    """Utterances from `start` until `quiet` seconds pass without one, once
    one has matched `ready`."""
    start = last = start or time.time()
    said = []
    while time.time() - start < longest:
        lines = log.readlines()
        if lines and not lines[-1].endswith("\n"):  # the rest is still being written
            log.seek(log.tell() - len(lines.pop().encode()))
        new = [line.split(" ", 1) for line in lines]
        new = [(float(t), eval(r, {})) for t, r in new]  # noqa: S307, our own repr
        said += [(t - start, text) for t, text in new]
        if new:
            last = time.time()
            ready = None if ready and any(re.search(ready, text) for _, text in new) else ready
        elif time.time() - last >= quiet and not ready:
            break
        time.sleep(0.05)
    return said


def hear(command, keys, window=".", ready=".", quiet=1.0, debug_file=None, settle=None):
    """[(step, [(seconds, utterance), ...]), ...]: Orca's start, the
    program's (until `settle` seconds, else `quiet`, pass without a word),
    then each key's. Inside in_own_session() only."""
    home = private_home()
    env = dict(os.environ, HOME=home, XDG_RUNTIME_DIR=f"{home}/run", XDG_CONFIG_HOME=f"{home}/.config",
               XDG_DATA_HOME=f"{home}/.local/share", XDG_CACHE_HOME=f"{home}/.cache",
               ORCA_HEAR_LOG=f"{home}/speech.log")
    speechd = f"{home}/run/speech-dispatcher/pid/speech-dispatcher.pid"
    debug = ["--debug-file", os.path.abspath(debug_file)] if debug_file else []
    # Never --replace, which would end the user's own screen reader too.
    orca = subprocess.Popen(["orca", *debug], env=env, cwd=home,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    program = None
    steps = []
    try:
        log = open(env["ORCA_HEAR_LOG"], encoding="utf-8")
        steps.append(("orca", until_quiet(log, 0.5, 30, ready=".")))
        if not steps[-1][1]:
            sys.exit("orca_hear: Orca said nothing in 30 s (is orca-customizations.py run?)")
        if not os.path.exists(speechd):  # Orca logs what it would say all the same
            sys.exit("orca_hear: speech-dispatcher did not start (a locale it cannot set?)")
        launched = time.time()
        program = subprocess.Popen(command, env=env, start_new_session=True)
        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "--class", window],
                               capture_output=True, text=True, timeout=60).stdout.split()
        # There is no window manager: give the window the keyboard, as one would.
        subprocess.run(["xdotool", "windowfocus", "--sync", found[-1]], check=True, timeout=10)
        steps.append(("start", until_quiet(log, settle or quiet, 60, ready=ready, start=launched)))
        for step in keys:
            key, _, wait = step.partition("@")
            sent = time.time()
            subprocess.run(["xdotool", "key", key], check=True)
            steps.append((step, until_quiet(log, float(wait or quiet), 60, start=sent)))
    finally:  # nothing here is worth a clean exit; speech-dispatcher may hang
        pids = [(os.killpg, program.pid)] if program else []
        if os.path.exists(speechd):  # started by Orca, and left running
            pids.append((os.kill, int(open(speechd).read())))
        for kill, pid in pids + [(os.kill, orca.pid)]:
            try:
                kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        shutil.rmtree(home, ignore_errors=True)
    return steps


def in_own_session():
    """Runs this very script again on a display and a D-Bus session of its
    own, unless it is there already, and ends with it: what it writes to
    output() comes out on standard output, what the session's services
    print on standard error."""
    if os.environ.get("ORCA_HEAR_OUTPUT"):
        return
    with tempfile.NamedTemporaryFile("r", encoding="utf-8", prefix="orca-hear-") as said:
        inner = subprocess.run(["xvfb-run", "-a", "-n", "140", "-s", "-screen 0 1280x1024x24 -nolisten tcp",
                                "dbus-run-session", "--", sys.executable, "-u", *sys.argv],
                               env=dict(os.environ, ORCA_HEAR_OUTPUT=said.name), stdout=sys.stderr, check=False)
        sys.stdout.write(said.read())
    sys.exit(inner.returncode)


def output():
    """Where in_own_session()'s script writes for its caller."""
    if os.environ.get("ORCA_HEAR_OUTPUT"):
        return open(os.environ["ORCA_HEAR_OUTPUT"], "w", encoding="utf-8")
    return open(1, "w", encoding="utf-8", closefd=False)


if __name__ == "__main__":
    p = argparse.ArgumentParser(usage=__doc__)
    p.add_argument("--window", default=".", help="the window to focus, by title or class (regex)")
    p.add_argument("--ready", default=".", help="the utterance (regex) that start-up waits for")
    p.add_argument("--quiet", type=float, default=1.0, help="the silence that ends a step")
    p.add_argument("--debug-file", help="keep Orca's own debug log there too")
    p.add_argument("keys", nargs="*")
    if "--" not in sys.argv[:-1]:
        p.error("KEY... -- COMMAND expected")
    args = p.parse_args(sys.argv[1:sys.argv.index("--")])
    in_own_session()
    with output() as out:
        for step, said in hear(sys.argv[sys.argv.index("--") + 1:], args.keys, args.window, args.ready,
                               args.quiet, args.debug_file):
            out.write(f"[{step}]\n" + "".join(f"  +{t:5.2f} {text}\n" for t, text in said))
