#!/usr/bin/env python3
# Plays the real glimmark.exe in a private Xvfb as a player would: xdotool clicks and keys,
# windows found by their titles, the board read back as pixels. Covered targets are located
# the way the game places them: replaying its generator for the clock seconds around Start.
# In locale en (an English Windows) the same game is played through the English titles; at
# --dpi 144 (a prefix at 150%) on a window, toolbar and board half as large again.
#   playthrough.py --exe glimmark.exe --wine-env scripts/wine-env --prefix PREFIX --work DIR [--locale en] [--dpi N]
import argparse, os, re, shutil, subprocess, time

MAIN, MESSAGE = "Glimmark Ver1.11", "Glimmark"
TITLES = {  # read error, write error, fixed result, challenge result, settings
    "ja": ("リードエラー", "ライトエラー", "あなたの結果発表（固定コース）", "あなたの結果発表（チャレンジコース）", "ゲーム設定"),
    "en": ("Read error", "Write error", "Your Result (Fixed Course)", "Your Result (Challenge Course)", "Game Settings"),
}
WHITE, YELLOW, GREEN, RED = (255, 255, 255), (255, 255, 0), (0, 255, 0), (255, 0, 0)


def scaled(pixels):
    """A length of the window at 100%, at the display scale being played (a half rounds up)."""
    return (pixels * DPI + 48) // 96


def placement(second, count):
    """The cells of targets 1..count on a board placed in that clock second."""
    state, cells = second & 0xFFFFFFFF, []

    def draw():
        nonlocal state
        state = (state * 22695477 + 1) & 0xFFFFFFFF
        return (state >> 16) & 0x7FFF
    while len(cells) < count:
        column, row = draw() % 20, draw() % 15
        if all(abs(column - c) > 1 or abs(row - r) > 1 for c, r in cells):
            cells.append((column, row))
    return cells


def exactly(title):
    """The xdotool pattern of that whole title; an English one holds parentheses."""
    return f"^{re.escape(title)}$"


class Screen:
    def __init__(self, arguments):
        self.arguments, self.timeout = arguments, arguments.timeout
        self.width, self.height = scaled(800), scaled(600)
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", f"{self.width}x{self.height}x24",
                                      "-nolisten", "tcp",
                                      "-noreset"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.environment = dict(os.environ, DISPLAY=":" + self.xvfb.stdout.readline().decode().strip(),
                                GLIMMARK_WINE_LOCALE=arguments.locale)

    def run(self, *command):
        return subprocess.run(command, env=self.environment, capture_output=True, timeout=60).stdout

    def grab(self):
        self.pixels = self.run("import", "-window", "root", "-depth", "8", "rgb:-")
        return self

    def pixel(self, x, y):
        return tuple(self.pixels[(y * self.width + x) * 3:(y * self.width + x) * 3 + 3])

    def window(self, title):
        """The frame (left, top, width, height) of the visible window with that title, or None."""
        found = dict(line.split("=") for line in self.run("xdotool", "search", "--onlyvisible", "--name", exactly(title),
                                                          "getwindowgeometry", "--shell").decode().split())
        return found and tuple(int(found[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def wait(self, what, probe):
        deadline = time.monotonic() + self.timeout
        while not (found := probe()):
            assert time.monotonic() < deadline, f"timed out waiting for {what}"
            time.sleep(0.2)
        return found

    def answer(self, title, key="Return"):
        """Waits for the window with that title and answers it from the keyboard; returns the time before."""
        self.wait(f"the window {title!r}", lambda: self.window(title))
        # Without a window manager, a box that comes up as the window under it goes away (the
        # write warning at exit) can miss the X input focus, and with it the key, about one run
        # in three; on Windows it has the focus, so the test gives it the focus first.
        self.run("xdotool", "search", "--onlyvisible", "--name", exactly(title), "windowfocus")
        pressed = time.time()
        self.run("xdotool", "key", key)
        self.wait(f"{title!r} to close", lambda: not self.window(title))
        return pressed


class Game:
    def __init__(self, screen, work):
        self.screen, log, arguments = screen, open(os.path.join(work, "wine.log"), "ab"), screen.arguments
        self.process = subprocess.Popen([arguments.wine_env, arguments.prefix, arguments.exe], cwd=work,
                                        env=screen.environment, stdin=subprocess.DEVNULL, stdout=log, stderr=log)

    def find_window(self):
        left, top, width, height = self.screen.wait("the main window", lambda: self.screen.window(MAIN))
        assert (width, height) == (scaled(646), scaled(556)), f"main window {width}x{height}"
        # The frame is Wine's: its side borders are equal; the client area's top is first taken
        # for a usual caption, near enough to hit a toolbar button, then read off the board.
        self.left, self.frame_top, self.top = left + (width - 20 * CELL) // 2, top, top + scaled(22)

    # Clicks a point of the client area; returns the time before.
    def click(self, x, y):
        pressed = time.time()
        self.screen.run("xdotool", "mousemove", str(self.left + x), str(self.top + y), "click", "1",
                        "mousemove", str(self.screen.width - 1), str(self.screen.height - 1))
        return pressed

    # Clicks the middle of a toolbar button: at 100% Wine makes each 39 pixels wide and separators
    # 8; four separators stand before Start and before the middle five.
    def press(self, button):
        width, separators = scaled(39), 4 * scaled(8)
        offset = {"start": 0, "settings": 2 * width + separators, "exit": 5 * width + separators}[button]
        return self.click(separators + offset + width // 2, scaled(20))

    # The cells under squares of that colour, read down the middle of each column of cells;
    # a square's bottom edge gives the client area's top exactly.
    def covered_cells(self, colour):
        shot, cells, below_top = self.screen.grab(), set(), TOP + CELL
        for column in range(20):
            x, run = self.left + CELL * column + CELL // 2, 0
            for y in range(self.frame_top + scaled(60), self.frame_top + scaled(556)):
                if shot.pixel(x, y) == colour and all(shot.pixel(x + dx, y) == colour
                                                       for dx in (2 - CELL // 2, CELL // 2 - 2)):
                    run += 1
                elif run:
                    if run >= CELL - scaled(6):  # the toolbar hides the top pixels of row 0
                        row = round((y - self.frame_top - scaled(22) - below_top) / CELL)
                        self.top = y - below_top - CELL * row
                        cells.add((column, row))
                    run = 0
        return cells

    def play_round(self, count, colour, pressed, wrong_at=None):
        """Finds the board placed since `pressed`, then clicks 1..count, or the wrong target at wrong_at."""
        cells = self.screen.wait(f"{count} covered targets",
                                 lambda: found if len(found := self.covered_cells(colour)) == count else None)
        seconds = [s for s in range(int(pressed) - 1, int(time.time()) + 2) if set(placement(s, count)) == cells]
        assert len(seconds) == 1, f"{cells} placed in seconds {seconds}"
        numbers = placement(seconds[0], count)
        for number, (column, row) in enumerate(numbers, 1):
            target = numbers[-1] if number == wrong_at else (column, row)
            self.click(CELL * target[0] + CELL // 2, CELL * target[1] + TOP + CELL // 2)
            if number == wrong_at or number == count:
                # The board is judged and painted before the message comes up, maybe over the cell.
                box = self.screen.wait("a message", lambda: self.screen.window(MESSAGE))
                x, y = self.left + CELL * target[0], self.top + CELL * target[1] + TOP
                assert box[0] - CELL < x < box[0] + box[2] and box[1] - CELL < y < box[1] + box[3] \
                    or self.shows(target, RED if wrong_at else GREEN), f"{target} not judged"
                return
            self.screen.wait(f"target {number} green", lambda: self.shows((column, row), GREEN))

    def shows(self, cell, colour):
        shot = self.screen.grab()
        return any(shot.pixel(self.left + CELL * cell[0] + dx, self.top + CELL * cell[1] + TOP + dy) == colour
                   for dx in range(scaled(4), scaled(28)) for dy in range(scaled(6), scaled(30)))

    def finish(self):
        assert self.process.wait(self.screen.timeout) == 0, "the game did not exit with 0"


def history(work):
    """The games history.csv holds, without their time stamps; its header is checked first."""
    lines = open(os.path.join(work, "history.csv"), "rb").read().decode("ascii").split("\r\n")
    assert lines[0].startswith("played_at,course,") and lines[-1] == "", f"history.csv: {lines}"
    return [line[20:] for line in lines[1:-1]]


def challenge_then_settings(screen, work):
    """First start: warning, a challenge stage cleared and the next failed, new settings, Exit."""
    game = Game(screen, work)
    screen.answer(READ_ERROR)
    game.find_window()
    game.play_round(5, WHITE, game.press("start"))
    game.play_round(5, WHITE, screen.answer(MESSAGE), wrong_at=2)
    screen.answer(MESSAGE)
    screen.answer(CHALLENGE_RESULT, "space")
    game.press("settings")
    screen.wait("the settings dialog", lambda: screen.window(SETTINGS_DIALOG))
    # Count 4, time 0.1 s, 2 tries, yellow; then Tab lands on the checked course button, and Up
    # picks the fixed course; then OK.
    for text in ("4", "0.1", "2", "3"):
        screen.run("xdotool", "key", "End", "shift+Home", "BackSpace")
        screen.run("xdotool", "type", text + "\t")
    screen.run("xdotool", "key", "Tab", "Up", "shift+Tab", "space")
    screen.wait("the settings dialog to close", lambda: not screen.window(SETTINGS_DIALOG))
    game.press("exit")
    game.finish()
    assert open(os.path.join(work, "setdata.ini"), "rb").read() == b"4\r\n1\r\n2\r\n3\r\n0\r\n1\r\n", "not saved"
    # Stage 1 (5 targets, 3.0 s) cleared, stage 2 failed: one game, one line.
    assert history(work) == ["challenge,5,,3.0,,,1,Bird"], "the challenge game not recorded once"


def fixed_game_with_saved_settings(screen, work):
    """Next start: the saved settings read back, a fixed round won and one lost, a failed save."""
    game = Game(screen, work)
    game.find_window()
    game.play_round(4, YELLOW, game.press("start"))
    game.play_round(4, YELLOW, screen.answer(MESSAGE), wrong_at=3)
    screen.answer(MESSAGE)
    screen.answer(FIXED_RESULT, "space")
    # A folder in the settings file's place: the save must warn, and leave the folder alone.
    os.replace(os.path.join(work, "setdata.ini"), os.path.join(work, "setdata.ini.kept"))
    os.mkdir(os.path.join(work, "setdata.ini"))
    game.press("exit")
    screen.answer(WRITE_ERROR)
    game.finish()
    assert os.listdir(os.path.join(work, "setdata.ini")) == [], "the save wrote into the folder"
    assert sorted(os.listdir(work)) == ["history.csv", "setdata.ini", "setdata.ini.kept", "wine.log"], \
        "a file was left behind"
    # As the result shows them: 4 targets, the wrong click when 3 was due, 0.1 s, 1 round of 2 tries won.
    assert history(work)[1:] == ["fixed,4,3,0.1,2,1,,Bird"], "the fixed game not recorded once"


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--wine-env", "--prefix", "--work"):
        parser.add_argument(option, required=True, type=os.path.abspath)
    parser.add_argument("--timeout", type=float, default=60)
    parser.add_argument("--locale", choices=TITLES, default="ja")
    parser.add_argument("--dpi", type=int, default=96)
    arguments = parser.parse_args()
    DPI = arguments.dpi
    CELL, TOP = scaled(32), scaled(40)
    READ_ERROR, WRITE_ERROR, FIXED_RESULT, CHALLENGE_RESULT, SETTINGS_DIALOG = TITLES[arguments.locale]
    shutil.rmtree(arguments.work, ignore_errors=True)
    os.makedirs(arguments.work)
    screen = Screen(arguments)
    try:
        challenge_then_settings(screen, arguments.work)
        fixed_game_with_saved_settings(screen, arguments.work)
    finally:
        subprocess.run([arguments.wine_env, arguments.prefix, "stop_wine_server"], env=screen.environment)
        screen.xvfb.terminate()
