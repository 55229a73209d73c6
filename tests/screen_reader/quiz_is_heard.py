#!/usr/bin/python3 -u
"""What a blind learner hears of the quiz from Orca, keyboard only, in one
front end: where the focus is at start-up, Tab into the nights (their top
row), a right pair, the same wrong verdict twice, Изчисти, and Tab into the
nights again. Every name is heard once and whole, every verdict as words
alone where it happens, and no explanation before it is earned.

  quiz_is_heard.py qt PROGRAM | firefox [PAGE] | chromium [PAGE]

The page is ZORELMINA_WEB_PAGES's app/zorelmina.html unless given. Exits
77 (skipped) where Orca or what it needs is missing, or there is no page."""

import os, re, shutil, subprocess, sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import orca_hear  # noqa: E402

NEEDED = ["orca", "speech-dispatcher", "xvfb-run", "xauth", "xdotool", "dbus-run-session"]
RIGHT = "Правилно! Дълга нощ на музеите - 1997 г. в Берлин"
EXPLANATIONS = ["Нощ на театрите - 2008", "Дълга нощ на музеите - 1997", "Валпургиева нощ - 30",
                "Световна нощ на книгата - 23", "Вартоломеева нощ - 24", "Кристална нощ - 9",
                "Нощ на дългите ножове - 30", "Бяла нощ - се", "Тиха нощ, свята нощ 24.XII Бъдни"]

# Each key, and the words its step must hear (each once) and must not. Orca 48 repeats a radio group's
# name with each of its buttons where the toolkit does not tie them
# together (Qt does not), so the nights' caption is checked as heard there.
GROUP = "Знаменателно събитие"
PLAY = [
    ("start", ["Резултат"], []),
    ("Tab", ["Изчисти"], []),
    ("Tab", [GROUP, "Бяла нощ"], []),
    ("Down", ["Валпургиева нощ"], ["Правилно", "Грешка"]),
    ("Down", ["Вартоломеева нощ"], ["Правилно", "Грешка"]),
    ("Down", ["Дълга нощ на музеите"], ["Правилно", "Грешка"]),
    ("space", [], ["Правилно", "Грешка"]),
    ("Tab", ["Асоциация", "2008 г. в Хърватска"], []),
    ("Tab", ["1997 г. в Берлин"], []),
    ("space", [RIGHT], []),
    ("shift+Tab", ["2008 г. в Хърватска"], []),
    ("space", ["Грешка!"], ["Правилно"]),
    ("Tab", ["1997 г. в Берлин"], []),
    ("Tab", ["30.IV викингски обичаи"], []),
    ("space", ["Грешка!"], ["Правилно"]),
    ("shift+Tab", [], []),
    ("shift+Tab", [], []),
    ("shift+Tab", [], []),
    ("shift+Tab", ["Изчисти"], []),
    ("space", ["Изборът е изчистен."], []),
    ("Tab", ["Бяла нощ"], ["Дълга нощ на музеите"]),
]
VERDICTS = (RIGHT, "Грешка!", "Изборът е изчистен.")


def command(front_end, target):
    if front_end == "qt":
        return ["zorelmina", [target]]
    page = "file://" + os.path.abspath(target)
    if front_end == "firefox":
        return ["firefox", [os.path.join(os.path.dirname(os.path.abspath(__file__)), "firefox-fresh.sh"), page]]
    # A profile that offers no translation: its English interface would
    # offer to translate the Bulgarian page, in a prompt that takes the
    # reader's attention at start-up (a Bulgarian interface would not).
    return ["chromium", ["sh", "-c", 'mkdir -p "$HOME/chromium/Default" && echo \'{"translate": {"enabled": false}}\''
                         ' > "$HOME/chromium/Default/Preferences" && exec chromium --force-renderer-accessibility'
                         ' --user-data-dir="$HOME/chromium" --no-sandbox --disable-gpu --no-first-run'
                         ' --disable-background-networking --disable-component-update --disable-sync "$0"', page]]


def judge(steps, front_end):
    failures = []
    earned = False
    for (key, must, must_not), (step, said) in zip(PLAY, steps[1:]):
        texts = [text for _, text in said]
        heard = " | ".join(texts)
        for words in must:
            times = sum(text.count(words) for text in texts)
            if times != 1 and not (front_end == "qt" and words == GROUP and times > 1):
                failures.append(f"{key}: heard {words!r} {times} times: {heard}")
        for words in must_not:
            if words in heard:
                failures.append(f"{key}: heard {words!r}: {heard}")
        for verdict in VERDICTS:
            for text in texts:
                if verdict in text and not text.startswith(verdict):
                    failures.append(f"{key}: {verdict!r} not heard as words alone: {text!r}")
        earned = earned or RIGHT in heard
        for explanation in EXPLANATIONS:
            if explanation in heard and not (earned and explanation in RIGHT):
                failures.append(f"{key}: an explanation not earned: {heard}")
    return failures


def main():
    if sys.argv[1:2] != ["qt"] and len(sys.argv) == 2 and os.environ.get("ZORELMINA_WEB_PAGES"):
        sys.argv.append(os.path.join(os.environ["ZORELMINA_WEB_PAGES"], "app", "zorelmina.html"))
    if len(sys.argv) == 2 and sys.argv[1] in ("firefox", "chromium"):
        print("screen reader: skipped, ZORELMINA_WEB_PAGES is not set")
        return 77
    if len(sys.argv) != 3 or sys.argv[1] not in ("qt", "firefox", "chromium"):
        sys.exit(__doc__)
    missing = [tool for tool in NEEDED if not shutil.which(tool)]
    if missing:
        print(f"screen reader: skipped, missing {' '.join(missing)}")
        return 77
    orca_hear.in_own_session()
    window, program = command(sys.argv[1], sys.argv[2])
    # Orca 48 takes in a page's first focus without a word while the page
    # loads, and says at most the mode it is in once it has loaded, whatever
    # the page does; Orca 43 speaks the focus given again after loading.
    # There the page is given time to load before the first key: until
    # Orca has said the mode it reads the page in (however slowly the page
    # loads), and a moment more.
    version = subprocess.run(["orca", "--version"], capture_output=True, text=True).stdout
    settle = None
    ready = "Резултат"
    if sys.argv[1] != "qt" and int(re.search(r"(\d+)\.", version).group(1)) >= 45:
        PLAY[0] = ("start", [], [])
        settle = 3.0
        ready = "(Focus|Browse) mode"
    steps = orca_hear.hear(program, [key for key, _, _ in PLAY[1:]], window=window, ready=ready, quiet=0.7,
                           settle=settle)
    failures = judge(steps, sys.argv[1])
    with orca_hear.output() as out:
        for step, said in steps:
            out.write(f"[{step}]\n" + "".join(f"  +{t:5.2f} {text}\n" for t, text in said))
        for failure in failures:
            out.write(f"FAIL: {failure}\n")
        out.write(f"screen reader ({sys.argv[1]}): {0 if failures else 1} passed, {1 if failures else 0} failed\n")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
