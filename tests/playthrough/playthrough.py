#!/usr/bin/env python3
"""Plays the real glimmark.exe under Wine in a private X server, as a player would.

Everything goes through the screen: real mouse clicks on the toolbar, the board and
the buttons of message boxes and dialogs, a little typing into the settings dialog, and
screenshots read back pixel by pixel.  Covered numbers are known the way the game knows
them: the board is placed from the clock second, so the harness replays the game's
generator for the seconds around the click and keeps the one whose cells match the
white digits it saw.  Texts are read by matching glyphs that ImageMagick renders from the
same font files Wine uses; grade pictures by matching the bitmaps in resources/.

Four runs, each starting from the settings file the last one left: a fixed game won and
lost, new settings from the dialog and a game played with them, Exit; a challenge game
cleared into stage 2 and failed there, the brain-level button, the close box; the
settings back at the next start; a first start without a settings file.

    playthrough.py --exe build/ui/glimmark.exe --source-dir . --prefix build/playthrough-wineprefix
"""

import argparse
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import traceback

SCREEN_WIDTH, SCREEN_HEIGHT = 800, 600

# Board geometry of the game.
GRID_COLUMNS, GRID_ROWS, CELL_SIZE, BOARD_TOP = 20, 15, 32, 40
CLIENT_WIDTH = GRID_COLUMNS * CELL_SIZE

MAIN_TITLE = "Glimmark Ver1.11"
MESSAGE_CAPTION = "Glimmark"
SETTINGS_CAPTION = "ゲーム設定"
FIXED_RESULT_CAPTION = "あなたの結果発表（固定コース）"
CHALLENGE_RESULT_CAPTION = "あなたの結果発表（チャレンジコース）"
READ_ERROR_CAPTION = "リードエラー"

WHITE, BLACK = (255, 255, 255), (0, 0, 0)
GREEN, RED, BLUE = (0, 255, 0), (255, 0, 0), (0, 0, 255)
HIDE_COLOURS = {1: WHITE, 2: (128, 128, 128), 3: (255, 255, 0), 4: (0, 255, 255), 5: (255, 0, 255)}

# The toolbar strip's images, by the command each button sends, in strip order.
TOOLBAR_IMAGES = ["start", "brain level", "game settings", "version", "web help", "exit", "start right"]
# Left to right the toolbar holds four separators, Start, four separators, the middle five
# buttons, four separators and Start again; Wine draws buttons 39 pixels wide and
# separators 8, with the 32-pixel picture centred in its button.
TOOLBAR_SEPARATORS_BEFORE = [4, 8, 8, 8, 8, 8, 12]
TOOLBAR_BUTTON_WIDTH, TOOLBAR_SEPARATOR_WIDTH = 39, 8

# Picture file of each grade, as the result dialogs show them.
GRADE_PICTURES = {"frog": "rating_frog.bmp", "bird": "rating_bird.bmp", "squirrel": "rating_squirrel.bmp",
                  "boar": "rating_boar.bmp", "rabbit": "rating_rabbit.bmp", "pig": "rating_pig.bmp",
                  "dog": "rating_dog.bmp", "human": "rating_human.bmp",
                  "chimpanzee": "rating_chimpanzee.bmp", "super genius": "rating_super_genius.bmp"}

POLL_SECONDS = 0.04


def imagemagick(tool):
    """Debian's ImageMagick 6 binary by its own name where there is one, so that no other
    program of the same short name stands in for it."""
    return shutil.which(f"{tool}-im6.q16") or tool


class PlayFailure(Exception):
    """The game did not do what a player expects."""


def check(condition, message):
    if not condition:
        raise PlayFailure(message)


def log(text):
    print(f"[{time.strftime('%H:%M:%S')}] {text}", flush=True)


# ---- The game's placement, replayed ------------------------------------------------

def place_targets(seed, count):
    """The cells of targets 1..count for a round seeded with the clock second `seed`."""
    state = seed & 0xFFFFFFFF

    def draw():
        nonlocal state
        state = (state * 22695477 + 1) & 0xFFFFFFFF
        return (state >> 16) & 0x7FFF

    cells = []
    while len(cells) < count:
        column = draw() % GRID_COLUMNS
        row = draw() % GRID_ROWS
        if all(abs(column - placed[0]) >= 2 or abs(row - placed[1]) >= 2 for placed in cells):
            cells.append((column, row))
    return cells


def numbering_for(occupied, count, earliest, latest):
    """The cell of each number, from the one clock second in earliest..latest whose placement
    covers exactly the occupied cells."""
    numberings = {tuple(place_targets(second, count)) for second in range(int(earliest) - 1, int(latest) + 2)
                  if set(place_targets(second, count)) == occupied}
    check(len(numberings) == 1,
          f"{len(numberings)} clock seconds around {int(earliest)}..{int(latest)} place {count} targets on "
          f"the cells seen, {sorted(occupied)}; exactly one should")
    return list(numberings.pop())


# ---- Screenshots ---------------------------------------------------------------------

class Screenshot:
    """The whole X screen as packed RGB bytes."""

    def __init__(self, data):
        check(len(data) == SCREEN_WIDTH * SCREEN_HEIGHT * 3, f"screenshot of {len(data)} bytes")
        self.data = data

    def pixel(self, x, y):
        start = (y * SCREEN_WIDTH + x) * 3
        return tuple(self.data[start:start + 3])

    def row(self, y, left, right):
        return self.data[(y * SCREEN_WIDTH + left) * 3:(y * SCREEN_WIDTH + right) * 3]

    def rectangle(self, left, top, width, height):
        return b"".join(self.row(y, left, left + width) for y in range(top, top + height))

    def save_png(self, path, box=None):
        left, top, width, height = box or (0, 0, SCREEN_WIDTH, SCREEN_HEIGHT)
        subprocess.run([imagemagick("convert"), "-size", f"{width}x{height}", "-depth", "8", "rgb:-", path],
                       input=self.rectangle(left, top, width, height), check=True)


def is_dark(pixel):
    return pixel[0] + pixel[1] + pixel[2] < 240


class InkGrid:
    """Which pixels of a screen rectangle are dark text ink, one bytes row per line."""

    def __init__(self, shot, left, top, width, height, light=False):
        """With light, the ink is white: selected text on the highlight colour."""
        self.left, self.top, self.width, self.height = left, top, width, height
        self.rows = []
        for y in range(top, top + height):
            line = shot.row(y, left, left + width)
            sums = [line[i] + line[i + 1] + line[i + 2] for i in range(0, len(line), 3)]
            self.rows.append(bytes(1 if (total > 700 if light else total < 240) else 0 for total in sums))

    def column_has_ink(self, x, top, bottom):
        return 0 <= x < self.width and any(self.rows[y][x] for y in range(max(top, 0), min(bottom, self.height)))

    def mismatches(self, glyph, x, y, columns=None, limit=0):
        """Pixels where the glyph's first `columns` columns placed at (x, y) differ from the ink;
        counting stops past limit."""
        columns = columns or glyph.width
        if x < 0 or y < 0 or x + columns > self.width or y + glyph.height > self.height:
            return limit + 1
        count = 0
        for dy in range(glyph.height):
            seen, wanted = self.rows[y + dy][x:x + columns], glyph.rows[dy][:columns]
            if seen != wanted:
                count += sum(a ^ b for a, b in zip(seen, wanted))
                if count > limit:
                    return count
        return count

    def lines(self):
        """(top, bottom) of each band of rows holding ink, bottom exclusive."""
        bands, top = [], None
        for y in range(self.height + 1):
            inked = y < self.height and any(self.rows[y])
            if inked and top is None:
                top = y
            elif not inked and top is not None:
                bands.append((top, y))
                top = None
        return bands


# ---- Text, read with glyphs rendered from the same fonts --------------------------------
# Wine draws these fonts without anti-aliasing; ImageMagick's monochrome rendering of the
# same TrueType file gives the very same glyph bitmaps, so glyphs compare exactly.

class Glyph:
    def __init__(self, rows, top, line_height):
        self.rows = rows                  # bytes per row, 1 for ink, trimmed to the ink
        self.width, self.height = len(rows[0]), len(rows)
        self.top = top                    # ink's offset below the top of the text line
        self.line_height = line_height
        # Wine's hinter now and then moves a pixel or two of a kanji stroke; a digit's glyph
        # differs from every other digit's in eight pixels or more, so one stray pixel is safe.
        self.tolerance = sum(map(sum, rows)) // 16


class GlyphFont:
    def __init__(self, family, pixel_size):
        listing = subprocess.run(["fc-list", f":family={family}", "file"], capture_output=True, text=True).stdout
        files = sorted(line.split(":")[0].strip() for line in listing.splitlines() if line.strip())
        check(files, f"font {family} is not installed (fonts-ipafont)")
        self.file, self.pixel_size, self.cache = files[0], pixel_size, {}

    def glyph(self, character):
        if character not in self.cache:
            output = subprocess.run(
                [imagemagick("convert"), "-background", "white", "-fill", "black", "-font", self.file,
                 "-pointsize", str(self.pixel_size), "-density", "72", "+antialias",
                 "label:" + character, "-depth", "8", "pgm:-"], capture_output=True, check=True).stdout
            width, height, pixels = parse_pgm(output)
            ink = [bytes(1 if pixels[y * width + x] < 128 else 0 for x in range(width)) for y in range(height)]
            inked_rows = [y for y in range(height) if any(ink[y])]
            inked_columns = [x for x in range(width) if any(ink[y][x] for y in range(height))]
            check(inked_rows, f"no ink rendered for {character!r}")
            rows = [ink[y][inked_columns[0]:inked_columns[-1] + 1]
                    for y in range(inked_rows[0], inked_rows[-1] + 1)]
            self.cache[character] = Glyph(rows, inked_rows[0], height)
        return self.cache[character]


def parse_pgm(data):
    """Width, height and gray bytes of ImageMagick's binary PGM: "P5\\n<width> <height>\\n255\\n" and the pixels."""
    _, size, _, pixels = data.split(b"\n", 3)
    width, height = map(int, size.split())
    return width, height, pixels


def find_text(shot, box, text, font, clipped=False, light=False):
    """Where `text` stands in the screen box, as (left, top, right, bottom), or None.

    The first glyph may stand anywhere; every later glyph must be the very
    next ink on the same line, so a wrong, missing or extra character fails the match.
    With clipped, a glyph may show only its left part, as in a static too narrow for it."""
    left, top = max(box[0], 0), max(box[1], 0)
    width, height = min(box[2], SCREEN_WIDTH - left), min(box[3], SCREEN_HEIGHT - top)
    grid = InkGrid(shot, left, top, width, height, light)
    glyphs = [font.glyph(character) for character in text if not character.isspace()]
    first = glyphs[0]
    for band_top, band_bottom in grid.lines():
        inked_columns = [x for x in range(width) if grid.column_has_ink(x, band_top, band_bottom)]
        for inked in inked_columns:
            for y in range(band_top - 1, band_bottom - first.height + 2):
                for x in (inked, inked - 1):
                    if grid.mismatches(first, x, y, limit=first.tolerance) <= first.tolerance:
                        line_top = y - first.top
                        end = follow_line(grid, glyphs[1:], x + first.width, line_top, clipped)
                        if end is not None:
                            return left + x, top + line_top, left + end, top + line_top + first.line_height
    return None


def follow_line(grid, glyphs, cursor, line_top, clipped):
    """Matches the glyphs one after the other from the cursor on; the end of the last, or None."""
    for glyph in glyphs:
        # Only the glyph's own rows: a focus rectangle's dotted lines run just above and below.
        band = (line_top + glyph.top, line_top + glyph.top + glyph.height)
        ink = cursor
        while ink < grid.width and not grid.column_has_ink(ink, *band):
            ink += 1
        placement = best_placement(grid, glyph, ink, line_top + glyph.top)
        if placement is not None:
            cursor = placement + glyph.width
            continue
        if not clipped:
            return None
        # A clipped glyph: its visible columns run up to the first blank column.
        blank = ink
        while blank < grid.width and grid.column_has_ink(blank, *band):
            blank += 1
        visible = blank - ink
        if not 2 <= visible < glyph.width or \
                grid.mismatches(glyph, ink, line_top + glyph.top, visible, glyph.tolerance) > glyph.tolerance:
            return None
        cursor = blank
    return cursor


def best_placement(grid, glyph, ink, expected_top):
    """The column where the glyph matches next to the ink column, or None.  A pixel of hinting
    difference may shift a glyph's first ink column by one either way."""
    best = None
    for x in (ink, ink - 1, ink + 1, ink + 2):
        for y in (expected_top, expected_top - 1, expected_top + 1):
            count = grid.mismatches(glyph, x, y, limit=glyph.tolerance)
            if count <= glyph.tolerance and (best is None or count < best[0]):
                best = (count, x)
    return best[1] if best else None


# ---- Pictures from the resources --------------------------------------------------------

def read_bmp(path):
    """An uncompressed 8- or 24-bit BMP as (width, height, top-down packed RGB)."""
    with open(path, "rb") as file:
        data = file.read()
    pixel_offset = struct.unpack_from("<I", data, 10)[0]
    header_size, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    check(compression == 0 and bits in (8, 24), f"{path}: unsupported bitmap")
    palette_start = 14 + header_size
    stride = (width * bits // 8 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source_row = height - 1 - y if height > 0 else y
        line = data[pixel_offset + source_row * stride:pixel_offset + source_row * stride + stride]
        if bits == 24:
            rows.append(b"".join(bytes((line[3 * x + 2], line[3 * x + 1], line[3 * x])) for x in range(width)))
        else:
            rows.append(b"".join(bytes((data[palette_start + 4 * index + 2], data[palette_start + 4 * index + 1],
                                        data[palette_start + 4 * index])) for index in line[:width]))
    return width, abs(height), rows


def find_picture(shot, box, picture_rows):
    """Top-left corner in the screen box where the picture appears pixel for pixel, or None."""
    left, top, width, height = box
    first = picture_rows[0]
    picture_width = len(first) // 3
    for y in range(top, top + height - len(picture_rows) + 1):
        line = shot.row(y, left, left + width)
        start = line.find(first)
        while start >= 0:
            if start % 3 == 0:
                x = left + start // 3
                if all(shot.row(y + dy, x, x + picture_width) == picture_rows[dy]
                       for dy in range(len(picture_rows))):
                    return x, y
            start = line.find(first, start + 1)
    return None


# ---- The X server, Wine and the game process ---------------------------------------------

class Desktop:
    """A private Xvfb and the Wine environment that draws into it."""

    def __init__(self, prefix):
        self.prefix = prefix
        self.xvfb = None
        self.display = None

    def start(self):
        read_end, write_end = os.pipe()
        # -displayfd lets the server pick a free display number itself: no race with others.
        # -noreset: by default the server resets whenever its last client leaves, and a Wine
        # that connects during a reset (each xdotool call is a client) gets no window at all.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24",
             "-nolisten", "tcp", "-noreset"], pass_fds=(write_end,), stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0 or not select.select([read_end], [], [], remaining)[0]:
                break
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        check(number.strip().isdigit(), "Xvfb did not start")
        self.display = ":" + number.strip().decode()
        log(f"Xvfb on display {self.display}")

    def environment(self):
        # Wine's error lines stay on: they tell why a game never showed a window.
        environment = dict(os.environ)
        environment.update(DISPLAY=self.display, WINEPREFIX=self.prefix, WINEDEBUG="fixme-all",
                           LC_ALL="ja_JP.UTF-8", WINEDLLOVERRIDES="mscoree,mshtml=", WINEARCH="win64")
        return environment

    def run(self, arguments, **options):
        return subprocess.run(arguments, env=self.environment(), capture_output=True, text=True, **options)

    def grab(self):
        result = subprocess.run([imagemagick("import"), "-display", self.display, "-window", "root",
                                 "-depth", "8", "rgb:-"], capture_output=True, timeout=20)
        return Screenshot(result.stdout)

    def click(self, x, y):
        self.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], timeout=10)

    def click_place(self, place):
        """Clicks the middle of a (left, top, right, bottom) place that find_text returned."""
        self.click((place[0] + place[2]) // 2, (place[1] + place[3]) // 2)

    def park_mouse(self):
        """Moves the pointer off every window, so no tooltip covers the board."""
        self.run(["xdotool", "mousemove", str(SCREEN_WIDTH - 1), str(SCREEN_HEIGHT - 1)], timeout=10)

    def visible_windows(self):
        """Every mapped top-level window: a list of (id, name, left, top, width, height)."""
        ids = self.run(["xdotool", "search", "--onlyvisible", "--maxdepth", "1", "--name", ""],
                       timeout=10).stdout.split()
        windows = []
        for window in ids:
            info = self.run(["xwininfo", "-id", window], timeout=10).stdout
            fields = {}
            for line in info.splitlines():
                if ":" in line:
                    key, _, value = line.strip().partition(":")
                    fields[key] = value.strip()
            try:
                geometry = [int(fields[key]) for key in
                            ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height")]
            except (KeyError, ValueError):
                continue  # gone between the search and the query
            name = self.run(["xdotool", "getwindowname", window], timeout=10).stdout.rstrip("\n")
            if not name and geometry == [0, 0, SCREEN_WIDTH, SCREEN_HEIGHT]:
                continue  # the root window
            windows.append((window, name, *geometry))
        return windows

    def stop(self):
        if self.display:
            # Waits for the server to be gone: a Wine started while it is still going down
            # can hang without ever showing a window.
            for arguments in (["wineserver", "-k"], ["wineserver", "-w"]):
                try:
                    self.run(arguments, timeout=30)
                except subprocess.TimeoutExpired:
                    pass
        if self.xvfb and self.xvfb.poll() is None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()


def wait_for(description, probe, timeout, seen=None):
    """Polls probe() until it returns something true; fails after timeout seconds, telling
    what seen() (if given) makes of the screen then."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise PlayFailure(f"timed out after {timeout} s waiting for {description}"
                              + (f"; seen: {seen()}" if seen else ""))
        time.sleep(POLL_SECONDS)


class Window:
    """A top-level window of the game on the screen, with its client area located."""

    def __init__(self, record, frame):
        self.id, self.name, self.left, self.top, self.width, self.height = record
        self.border, caption = frame
        self.client_left = self.left + self.border
        # A window without a caption (the stage splash) has no frame either.
        self.client_top = self.top + (self.border + caption if self.name else 0)

    @property
    def box(self):
        return self.left, self.top, self.width, self.height

    @property
    def close_box(self):
        """Centre of the caption's close button, which Wine draws at the caption's right end."""
        return self.left + self.width - self.border - 10, self.top + self.border + 8

    def overlaps(self, left, top, width, height):
        return (left < self.left + self.width and self.left < left + width
                and top < self.top + self.height and self.top < top + height)


class Game:
    """One run of glimmark.exe in a working folder of its own."""

    def __init__(self, desktop, exe, folder, source_dir, dialog_font):
        self.desktop, self.exe, self.folder, self.source_dir = desktop, exe, folder, source_dir
        self.dialog_font = dialog_font
        self.process = self.output = None
        self.window = self.frame = self.toolbar = None

    # -- the process --

    def launch(self):
        self.output = open(os.path.join(self.folder, "wine-output.txt"), "ab")
        self.process = subprocess.Popen(["wine", self.exe], cwd=self.folder, env=self.desktop.environment(),
                                        stdin=subprocess.DEVNULL, stdout=self.output, stderr=self.output)

    def running(self):
        """Fails at once when the game has ended where it should not have."""
        code = self.process.poll()
        if code is not None:
            self.output.flush()
            with open(self.output.name, "rb") as file:
                tail = file.read()[-600:].decode("utf-8", "replace")
            raise PlayFailure(f"the game ended unexpectedly with exit code {code}; Wine said: {tail!r}")
        return True

    def find_main_window(self):
        record = wait_for("the main window", lambda: self.running() and self.window_named(MAIN_TITLE), 60)
        check((record[4], record[5]) == (646, 556), f"main window is {record[4]}x{record[5]}, not 646x556")
        centred = ((SCREEN_WIDTH - 646) // 2, (SCREEN_HEIGHT - 556) // 2)
        check((record[2], record[3]) == centred, f"main window at {record[2:4]}, not centred at {centred}")
        shot = wait_for("the main window to be drawn", lambda: self.drawn(record), 20)
        layout = {name: self.window.client_left + TOOLBAR_SEPARATORS_BEFORE[index] * TOOLBAR_SEPARATOR_WIDTH
                  + index * TOOLBAR_BUTTON_WIDTH + (TOOLBAR_BUTTON_WIDTH - 32) // 2
                  for index, name in enumerate(TOOLBAR_IMAGES)}
        found = {name: position[0] for name, position in self.toolbar.items()}
        check(found == layout, f"toolbar pictures at x {found}, expected {layout}")
        return shot

    def drawn(self, record):
        """The screenshot once the board and the toolbar are drawn."""
        shot = self.desktop.grab()
        left, top, width, height = record[2:]
        # The client area is erased black below the toolbar, down to the frame.
        corners = (shot.pixel(left + 5, top + height - 6), shot.pixel(left + width - 6, top + height - 6))
        if corners != (BLACK, BLACK):
            return None
        # The caption's height is measured rather than assumed: the frame is Wine's to draw.
        self.frame = measure_frame(shot, record)
        if not self.frame:
            return None
        self.window = Window(record, self.frame)
        self.toolbar = locate_toolbar(shot, self.window, self.source_dir)
        return shot if self.toolbar else None

    def wait_exit(self, timeout=30):
        try:
            code = self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise PlayFailure(f"the game did not end within {timeout} s")
        self.output.close()
        check(code == 0, f"the game ended with exit code {code}")
        check(self.window_named(MAIN_TITLE) is None, "the main window is still on the screen")

    def kill(self):
        if self.process and self.process.poll() is None:
            self.process.kill()
            self.process.wait(10)
        if self.output:
            self.output.close()

    # -- windows --

    def window_named(self, name):
        for record in self.desktop.visible_windows():
            if record[1] == name:
                return record
        return None

    def wait_window(self, name, timeout=15):
        record = wait_for(f"a window named {name!r}", lambda: self.running() and self.window_named(name), timeout)
        return Window(record, self.frame)

    def popups(self):
        """Visible windows other than the main window: boxes, dialogs, lists, the splash."""
        return [Window(record, self.frame) for record in self.desktop.visible_windows() if record[1] != MAIN_TITLE]

    # -- clicks --

    def press(self, button):
        """Clicks a toolbar button where its picture was found, then moves the pointer away,
        so that its tooltip does not cover the board."""
        x, y = self.toolbar[button]
        self.desktop.click(x + 16, y + 16)
        self.desktop.park_mouse()

    def close_with(self, window, text=None):
        """Clicks the button that reads `text`, or else the close box, and waits for the window to go."""
        if text:
            place = find_text(self.desktop.grab(), window.box, text, self.dialog_font)
            check(place, f"no {text!r} to click in the window {window.name!r}")
            self.desktop.click_place(place)
        else:
            self.desktop.click(*window.close_box)
        wait_for(f"the window {window.name!r} to close", lambda: self.window_named(window.name) is None, 15)

    # -- the board --

    def read_board(self, shot, hide_colour, covered_by=()):
        """State of every non-empty cell that no popup covers: 'shown', 'hidden', 'correct',
        'wrong', 'revealed' or 'unknown'."""
        cells = {}
        for row in range(GRID_ROWS):
            for column in range(GRID_COLUMNS):
                if self.cell_covered((column, row), covered_by):
                    continue
                area = shot.rectangle(*self.cell_interior((column, row)))
                if area.count(0) != len(area):
                    cells[(column, row)] = classify_cell(area, hide_colour)
        return cells

    def cell_interior(self, cell):
        """The part of a cell that the board alone paints: the toolbar overlaps the board's
        top four pixels."""
        left, top = self.cell_corner(cell)
        return left + 1, top + 5, CELL_SIZE - 2, CELL_SIZE - 6

    def cell_corner(self, cell):
        return (self.window.client_left + cell[0] * CELL_SIZE,
                self.window.client_top + BOARD_TOP + cell[1] * CELL_SIZE)

    def cell_covered(self, cell, covered_by):
        return any(popup.overlaps(*self.cell_interior(cell)) for popup in covered_by)

    def check_square(self, shot, cell, colour):
        """A covered number is a square of exactly its cell, edge to edge."""
        left, top = self.cell_corner(cell)
        middle = CELL_SIZE // 2
        inside = [(left, top + middle), (left + CELL_SIZE - 1, top + middle), (left + middle, top + CELL_SIZE - 1)]
        outside = [(left + middle, top + CELL_SIZE)]
        if cell[0] < GRID_COLUMNS - 1:  # the last column ends at the client area's edge
            outside.append((left + CELL_SIZE, top + middle))
        if cell[0] > 0:
            outside.append((left - 1, top + middle))
        if cell[1] > 0:  # row 0's top edge lies under the toolbar
            inside.append((left + middle, top))
            outside.append((left + middle, top - 1))
        check(all(shot.pixel(*point) == colour for point in inside)
              and all(shot.pixel(*point) == BLACK for point in outside),
              f"the cover of cell {cell} is not a square of colour {colour} filling the cell")

    def click_cell(self, cell):
        left, top = self.cell_corner(cell)
        self.desktop.click(left + CELL_SIZE // 2, top + CELL_SIZE // 2)


def classify_cell(area, hide_colour):
    pixels = [tuple(area[i:i + 3]) for i in range(0, len(area), 3)]
    if pixels.count(hide_colour) > len(pixels) * 0.95:
        return "hidden"
    # The board font is anti-aliased: a digit's edge pixels are its colour blended into black.
    inked = [pixel for pixel in pixels if pixel != BLACK]
    for name, colour in (("shown", WHITE), ("correct", GREEN), ("wrong", RED), ("revealed", BLUE)):
        if inked.count(colour) > 20 and all(is_shade_of(pixel, colour) for pixel in inked):
            return name
    return "unknown"


def is_shade_of(pixel, colour):
    """Whether pixel is colour blended with black."""
    level = max(pixel)
    return all(abs(component * level / 255 - value) <= 1 for component, value in zip(colour, pixel))


def measure_frame(shot, record):
    """Border width and caption height (with its separator line) of Wine's window frame, or
    None while the caption is not drawn."""
    _, _, left, top, width, _ = record
    border = (width - CLIENT_WIDTH) // 2
    middle = left + width // 2
    caption_colour = shot.pixel(middle, top + border)
    y = top + border
    while shot.pixel(middle, y) == caption_colour and y < top + 60:
        y += 1
    caption = y - (top + border) + 1
    return (border, caption) if 10 <= caption <= 40 else None


def locate_toolbar(shot, window, source_dir):
    """Screen position of each toolbar picture, found by its pixels from the bitmap strip;
    None while any is missing."""
    _, _, strip = read_bmp(os.path.join(source_dir, "resources", "toolbar.bmp"))
    # The toolbar maps black, greys and white to system colours; only other colours are compared.
    mapped = {bytes(BLACK), bytes(WHITE), bytes((128, 128, 128)), bytes((192, 192, 192))}
    found = {}
    band_top, band_height = window.client_top, 44
    # The buttons stand in strip order, so each search starts right of the last find;
    # both Start buttons show the same picture.
    start = window.client_left
    for index, name in enumerate(TOOLBAR_IMAGES):
        image = [row[index * 96:(index + 1) * 96] for row in strip]
        best = None
        for x in range(start, window.client_left + 420):
            for y in range(band_top, band_top + band_height - 32):
                score = picture_score(shot, image, x, y, mapped)
                if score is not None and (best is None or score > best[0]):
                    best = (score, x, y)
                    if score > 0.98:
                        break
            if best and best[0] > 0.98:
                break
        if not best or best[0] <= 0.9:
            return None
        found[name] = (best[1], best[2])
        start = best[1] + 32
    return found


def picture_score(shot, image, x, y, mapped):
    """Share of the image's unmapped pixels that appear at (x, y); None when a probe pixel differs."""
    compared = same = 0
    for dy in range(0, 32, 3):
        line = shot.row(y + dy, x, x + 32)
        for dx in range(0, 32, 3):
            expected = image[dy][3 * dx:3 * dx + 3]
            if expected in mapped:
                continue
            compared += 1
            if line[3 * dx:3 * dx + 3] == expected:
                same += 1
            elif compared > 8 and same < compared // 2:
                return None
    return same / compared if compared else None


# ---- Playing ------------------------------------------------------------------------------

class Player:
    """Does what a player does: presses buttons, watches the numbers, clicks them, and reads
    every message and result."""

    def __init__(self, game):
        self.game, self.desktop = game, game.desktop
        self.pictures = {grade: read_bmp(os.path.join(game.source_dir, "resources", name))[2]
                         for grade, name in GRADE_PICTURES.items()}

    def grab(self):
        return self.desktop.grab()

    def board(self, hide_colour, covered_by=()):
        return self.game.read_board(self.grab(), hide_colour, covered_by)

    def start(self, button="start"):
        """Presses a Start button; returns the time just before, the earliest clock second the
        board may be placed in."""
        pressed = time.time()
        self.game.press(button)
        return pressed

    def watch_round(self, count, hide_colour, display_tenths, since):
        """Watches a round's numbers until they are covered; returns the cell of each number."""
        def all_in(state):
            shot = self.grab()
            board = self.game.read_board(shot, hide_colour)
            return (board, shot) if len(board) == count and set(board.values()) == {state} else None

        board, _ = wait_for(f"{count} numbers on the board", lambda: all_in("shown"), 15,
                            lambda: self.board(hide_colour))
        seen = time.time()
        numbering = numbering_for(set(board), count, since, seen)
        _, shot = wait_for("the numbers to be covered", lambda: all_in("hidden"), display_tenths / 10 + 10,
                           lambda: self.board(hide_colour))
        # Both ends are seen a polling delay late, longer on a busy machine; the bounds still
        # catch a period off by a factor, such as milliseconds taken for tenths.
        shown_for = time.time() - seen
        check(display_tenths / 10 * 0.7 < shown_for < display_tenths / 10 + 2,
              f"the numbers showed for {shown_for:.2f} s, not {display_tenths / 10} s")
        for cell in numbering:
            self.game.check_square(shot, cell, hide_colour)
        log(f"{count} numbers at {numbering}, shown for about {shown_for:.1f} s, then covered")
        return numbering

    def click_numbers(self, numbering, hide_colour, last, first=1):
        """Clicks the numbers first..last in order, each turning green before the next; a click
        that ends the round brings up a window instead."""
        for number in range(first, last + 1):
            cell = numbering[number - 1]
            self.game.click_cell(cell)
            if number < len(numbering):
                wait_for(f"number {number} to turn green", lambda: self.board(hide_colour).get(cell) == "correct", 5,
                         lambda: self.board(hide_colour))

    def expect_board(self, shot, hide_colour, numbering, states, covered_by):
        """Checks each number's cell, where no popup covers it, against states[number]."""
        board = self.game.read_board(shot, hide_colour, covered_by)
        expected = {numbering[number - 1]: state for number, state in states.items()}
        expected = {cell: state for cell, state in expected.items() if not self.game.cell_covered(cell, covered_by)}
        check(board == expected, f"board reads {board}, expected {expected}")

    def text_shown(self, window, text, clipped=False, icon_width=0):
        """The screenshot, when the window shows the text as a line of its own (right of the
        message box's icon, if it has one)."""
        shot = self.grab()
        box = (window.left + icon_width, window.top, window.width - icon_width, window.height)
        place = find_text(shot, box, text, self.game.dialog_font, clipped)
        return shot if place and alone_on_line(shot, box, place) else None

    def answer_message(self, text, caption=MESSAGE_CAPTION, board=None, icon_width=0):
        """Reads a message box, checks the board behind it (hide colour, numbering, states),
        and clicks its OK button; returns the time just before that click."""
        box = self.game.wait_window(caption)
        shot = wait_for(f"the message {text!r}", lambda: self.text_shown(box, text, icon_width=icon_width), 5)
        if board:
            self.expect_board(shot, *board, covered_by=[box])
        log(f"message box {caption!r}: {text}")
        clicked = time.time()
        self.game.close_with(box, "OK")
        return clicked

    def read_result(self, caption, figures, grade):
        """Checks a result dialog's line of figures and its grade picture, then closes it with
        its button."""
        dialog = self.game.wait_window(caption)

        def picture_drawn():
            shot = self.grab()
            for name, picture in self.pictures.items():
                corner = find_picture(shot, dialog.box, picture)
                if corner:
                    return shot, name, corner
            return None

        shot, shown, corner = wait_for(f"a grade picture in {caption!r}", picture_drawn, 5)
        check(shown == grade, f"{caption!r} shows the {shown} picture, not the {grade}")
        expected = (dialog.client_left + 130, dialog.client_top + 120)
        check(corner == expected, f"the {grade} picture stands at {corner}, not at {expected}")
        # Under Wine's substitute font a figure can outgrow its static by a pixel: its last digit may be cut.
        place = find_text(shot, dialog.box, figures, self.game.dialog_font, clipped=True)
        check(place and alone_on_line(shot, dialog.box, place), f"{caption!r} does not read {figures!r}")
        log(f"result {caption!r}: {figures}, {grade}")
        self.game.close_with(dialog, "閉じる")

    def watch_splash(self, level):
        """The stage splash: a window without caption, centred on the screen, that shows the
        level line in the dialog's font over the count and time in the board font, and closes
        by itself after 800 ms."""
        def splash():
            return next((popup for popup in self.game.popups() if popup.name == "" and popup.width > 200), None)

        window = wait_for("the stage splash", splash, 10)
        appeared = time.monotonic()
        centred = ((SCREEN_WIDTH - window.width) // 2, (SCREEN_HEIGHT - window.height) // 2)
        check(abs(window.left - centred[0]) <= 1 and abs(window.top - centred[1]) <= 1,
              f"the stage splash stands at {window.left, window.top}, not centred")
        seen = []

        def closed():
            if splash() is None:
                return True
            if not seen:
                shot = self.grab()
                bands = InkGrid(shot, *window.box).lines()
                if len(bands) == 2 and find_text(shot, window.box, level, self.game.dialog_font):
                    seen.append(bands)
            return False

        wait_for("the stage splash to close", closed, 10)
        shown_for = time.monotonic() - appeared
        check(0.5 < shown_for < 3, f"the stage splash showed for {shown_for:.2f} s, not 0.8 s")
        check(seen, f"the stage splash closed without showing {level!r} over its figures")
        small, large = seen[0]
        check(small[1] - small[0] < 20 <= large[1] - large[0],
              f"the stage splash shows lines {seen[0]}, not a small line over a large one")
        log(f"stage splash {window.width}x{window.height} for about {shown_for:.1f} s: {level}, then its figures")


def highlight_box(shot, box):
    """The bounds of the selection's highlight (the only coloured pixels in an edit box), or None."""
    left, top, width, height = box
    coloured = [(x, y) for y in range(top, top + height) for x in range(left, left + width)
                if len(set(shot.pixel(x, y))) > 1]
    if not coloured:
        return None
    xs, ys = [x for x, _ in coloured], [y for _, y in coloured]
    return min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1


def alone_on_line(shot, box, place):
    """Whether nothing else is written beside the found text, on the rows of its line, inside
    the window's frame."""
    left, top, right, bottom = place
    margin = 5
    grid = InkGrid(shot, box[0] + margin, top + 2, box[2] - 2 * margin, bottom - top - 4)
    return not any(grid.column_has_ink(x, 0, grid.height) for x in range(grid.width)
                   if not left <= grid.left + x < right)


class SettingsDialog:
    """The game settings dialog on the screen, its controls placed from the template's layout
    in dialog units."""

    WIDTH, HEIGHT = 239, 89
    FIELDS = {"count": (60, 24, 36), "time": (96, 24, 36), "tries": (132, 24, 36),
              "colour": (180, 20, 52), "level": (84, 60, 64)}
    RADIOS = {"fixed": (8, 24), "challenge": (8, 60)}
    FIELD_HEIGHT = 12
    ARROW_WIDTH = 18

    def __init__(self, player):
        self.player, self.game, self.desktop = player, player.game, player.desktop
        self.game.press("game settings")
        self.window = self.game.wait_window(SETTINGS_CAPTION)
        client_width = self.window.width - 2 * self.window.border
        client_height = self.window.top + self.window.height - self.window.border - self.window.client_top
        self.x_unit, self.y_unit = client_width / self.WIDTH, client_height / self.HEIGHT

    def point(self, x, y):
        return round(self.window.client_left + x * self.x_unit), round(self.window.client_top + y * self.y_unit)

    def text_box(self, name):
        """The part of a field's edit box where its text stands, inside the border and left of
        the arrow button."""
        x, y, width = self.FIELDS[name]
        left, top = self.point(x, y)
        right, bottom = self.point(x + width, y + self.FIELD_HEIGHT)
        return left + 3, top + 3, right - left - 3 - self.ARROW_WIDTH, bottom - top - 6

    def shows(self, name, text):
        """Whether the field's text is exactly `text`: found, and no other ink beside it.  The
        focused field's text is selected: white on the highlight colour."""
        shot = self.desktop.grab()
        box = self.text_box(name)
        highlight = highlight_box(shot, box)
        place = find_text(shot, highlight or box, text, self.game.dialog_font, light=bool(highlight))
        if not place:
            return False
        grid = InkGrid(shot, *box)
        stray = [x for x in range(grid.width) if grid.column_has_ink(x, 0, grid.height)
                 and not place[0] <= box[0] + x < place[2]]
        return not stray

    def expect(self, values, course):
        """The fields' texts and the one checked course."""
        for name, text in values.items():
            wait_for(f"the settings dialog's {name} field to show {text!r}", lambda: self.shows(name, text), 5)
        other = "challenge" if course == "fixed" else "fixed"
        check(self.checked(course) and not self.checked(other),
              f"the settings dialog does not show the {course} course alone checked")

    def pick(self, name, entry):
        """Opens the field's list with its arrow button and clicks the entry."""
        left, top, width, height = self.text_box(name)
        self.desktop.click(left + width + self.ARROW_WIDTH // 2, top + height // 2)
        listbox = wait_for(f"the list of the {name} field",
                           lambda: next((p for p in self.game.popups() if p.name == ""), None), 5)
        shot = wait_for(f"{entry!r} in the list of the {name} field", lambda: self.player.text_shown(listbox, entry), 5)
        self.desktop.click_place(find_text(shot, listbox.box, entry, self.game.dialog_font))
        wait_for(f"the list of the {name} field to close",
                 lambda: not any(p.name == "" for p in self.game.popups()), 5)
        wait_for(f"the {name} field to show {entry!r}", lambda: self.shows(name, entry), 5)

    def type(self, name, text):
        """Clicks into the field, clears it from the keyboard and types the text."""
        left, top, width, height = self.text_box(name)
        self.desktop.click(left + 4, top + height // 2)
        self.desktop.run(["xdotool", "key", "End", "shift+Home", "BackSpace"], timeout=10)
        self.desktop.run(["xdotool", "type", "--delay", "50", text], timeout=10)
        wait_for(f"the {name} field to show {text!r}", lambda: self.shows(name, text), 5)

    def radio_centre(self, name):
        x, y = self.RADIOS[name]
        left, middle = self.point(x, y + 6)
        return left + 6, middle

    def checked(self, name):
        """Whether the radio button's circle holds its dot."""
        shot = self.desktop.grab()
        x, y = self.radio_centre(name)
        return sum(is_dark(shot.pixel(x + dx, y + dy)) for dx in (-1, 0, 1) for dy in (-1, 0, 1)) >= 5

    def choose_course(self, course):
        self.desktop.click(*self.radio_centre(course))
        wait_for(f"the {course} course to be checked", lambda: self.checked(course), 5)

    def close(self, button="ＯＫ"):
        """Closes the dialog with its OK button, or with its close box when button is None."""
        self.game.close_with(self.window, button)


# ---- The play-through ----------------------------------------------------------------------

# The settings dialog's fields as the fixed-course run leaves them.
CHANGED_SETTINGS = {"count": "4", "time": "2.5", "tries": "1", "colour": "4:水色", "level": "1:初級から開始"}


def settings_bytes(*values):
    return b"".join(b"%d\r\n" % value for value in values)


class PlayThrough:
    """Four runs of the game in one working folder, each starting from the settings file the
    last one left."""

    def __init__(self, arguments, desktop):
        self.arguments, self.desktop = arguments, desktop
        self.folder = arguments.work
        self.settings_path = os.path.join(self.folder, "setdata.ini")
        self.dialog_font = GlyphFont("IPAPGothic", 12)
        self.game = self.frame = None

    def launch(self):
        self.game = Game(self.desktop, self.arguments.exe, self.folder, self.arguments.source_dir, self.dialog_font)
        self.game.launch()

    def open_game(self):
        self.launch()
        shot = self.game.find_main_window()
        self.frame = self.game.frame
        check(self.game.read_board(shot, WHITE) == {}, "the board is not empty before the first game")
        log(f"main window up; toolbar buttons at {self.game.toolbar}")
        return Player(self.game)

    def exit_game(self, *values, close_box=False):
        """Ends the game with Exit on the toolbar or with the window's close box, and checks
        the settings file it leaves."""
        if close_box:
            self.game.close_with(self.game.window)
        else:
            self.game.press("exit")
        self.game.wait_exit()
        with open(self.settings_path, "rb") as file:
            content = file.read()
        check(content == settings_bytes(*values), f"setdata.ini holds {content!r}, not {settings_bytes(*values)!r}")
        log(f"setdata.ini: {values}")

    def fixed_course(self):
        """A fixed game of two rounds: the first won, the second lost; then new settings from
        the dialog, a one-round game won with them, and Exit from the toolbar."""
        with open(self.settings_path, "wb") as file:
            file.write(settings_bytes(3, 30, 2, 2, 0, 1))
        player = self.open_game()
        grey = HIDE_COLOURS[2]

        numbering = player.watch_round(3, grey, 30, player.start())
        player.click_numbers(numbering, grey, 3)
        since = player.answer_message("やったね！ST1クリア",
                                      board=(grey, numbering, {1: "correct", 2: "correct", 3: "correct"}))

        numbering = player.watch_round(3, grey, 30, since)
        player.game.click_cell(numbering[1])
        player.answer_message("ぶ～。間違いです！", board=(grey, numbering, {1: "wrong", 2: "wrong", 3: "revealed"}))
        player.read_result(FIXED_RESULT_CAPTION, "記憶個数3個中1個 記憶時間3.0秒 トライ回数2回中1回", "frog")

        dialog = SettingsDialog(player)
        dialog.expect({"count": "3", "time": "3.0", "tries": "2", "colour": "2:灰色", "level": "1:初級から開始"}, "fixed")
        dialog.pick("count", "4")
        dialog.type("time", "2.5")
        dialog.type("tries", "1")
        dialog.pick("colour", "4:水色")
        dialog.close()
        log("settings changed in the dialog: 4 numbers, 2.5 s, 1 try, light blue")

        cyan = HIDE_COLOURS[4]
        numbering = player.watch_round(4, cyan, 25, player.start("start right"))
        player.click_numbers(numbering, cyan, 2)
        if self.arguments.picture:  # the game window in play, frame and all, for the README
            player.grab().save_png(self.arguments.picture, self.game.window.box)
            log(f"picture of play saved to {self.arguments.picture}")
        player.click_numbers(numbering, cyan, 4, first=3)
        player.read_result(FIXED_RESULT_CAPTION, "記憶個数4個中5個 記憶時間2.5秒 トライ回数1回中1回", "bird")
        self.exit_game(4, 25, 1, 4, 0, 1)

    def challenge_course(self):
        """The settings of the last run come back; the challenge course chosen in the dialog
        (closed with its close box: the course stands); stage 1 cleared into stage 2, stage 2
        failed; the brain-level button; the window closed with its close box."""
        player = self.open_game()
        dialog = SettingsDialog(player)
        dialog.expect(CHANGED_SETTINGS, "fixed")
        dialog.choose_course("challenge")
        dialog.close(None)

        cyan = HIDE_COLOURS[4]
        since = player.start()
        player.watch_splash("チャレンジ初級コース")
        numbering = player.watch_round(5, cyan, 30, since)
        player.click_numbers(numbering, cyan, 5)
        since = player.answer_message("チャレンジ1クリア", board=(cyan, numbering, {n: "correct" for n in range(1, 6)}))
        player.watch_splash("チャレンジ初級コース")
        numbering = player.watch_round(5, cyan, 20, since)
        player.click_numbers(numbering, cyan, 1)
        player.game.click_cell(numbering[2])
        player.answer_message("ぶ～。間違いです！", board=(cyan, numbering, {
            1: "correct", 2: "wrong", 3: "wrong", 4: "revealed", 5: "revealed"}))
        player.read_result(CHALLENGE_RESULT_CAPTION, "クリアしたチャレンジステージ：1 記憶個数5個 記憶時間3.0秒", "bird")
        # The brain-level button shows the fixed-course reading of the last click's figures:
        # stage 2's five numbers and 2.0 s, number 2 due, the tries setting, no fixed round.
        player.game.press("brain level")
        player.read_result(FIXED_RESULT_CAPTION, "記憶個数5個中2個 記憶時間2.0秒 トライ回数1回中0回", "frog")
        self.exit_game(4, 25, 1, 4, 1, 1, close_box=True)

    def settings_come_back(self):
        """The challenge course chosen last time is checked again at the next start."""
        dialog = SettingsDialog(self.open_game())
        dialog.expect(CHANGED_SETTINGS, "challenge")
        dialog.close()
        self.exit_game(4, 25, 1, 4, 1, 1)

    def first_start(self):
        """Without a settings file: the read warning before the window, then the defaults,
        written at exit."""
        os.remove(self.settings_path)
        self.launch()
        # The main window is not there yet to measure the frame on: it is the last run's.
        self.game.frame = self.frame
        self.game.wait_window(READ_ERROR_CAPTION, timeout=60)
        check(self.game.window_named(MAIN_TITLE) is None, "the main window shows before the read warning")
        Player(self.game).answer_message("設定ファイルがありません", READ_ERROR_CAPTION, icon_width=50)
        self.game.find_main_window()
        self.exit_game(3, 10, 3, 0, 1, 1)

    def run(self):
        self_check_generator()
        for step in (self.fixed_course, self.challenge_course, self.settings_come_back, self.first_start):
            log(f"-- {step.__doc__.splitlines()[0]}")
            step()

    def stop(self):
        if self.game:
            self.game.kill()


def self_check_generator():
    """The harness's copy of the placement must agree with the game's worked example."""
    expected = [(0, 1), (10, 2), (17, 0), (15, 13), (6, 4), (19, 12), (0, 12), (1, 8), (7, 14)]
    check(place_targets(0, 9) == expected, "the harness's generator is wrong")


# ---- Set-up and tear-down -------------------------------------------------------------------

REQUIRED_TOOLS = ["Xvfb", "xdotool", "xwininfo", imagemagick("import"), imagemagick("convert"), "fc-list", "wine",
                  "wineserver"]


def interrupt(signal_number, _frame):
    raise PlayFailure(f"stopped by signal {signal_number}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--exe", required=True, help="glimmark.exe to play")
    parser.add_argument("--source-dir", required=True, help="the source tree (resources, scripts)")
    parser.add_argument("--prefix", required=True, help="Wine prefix for X11 play, made once and reused")
    parser.add_argument("--work", help="working folder (default: a fresh one beside the prefix)")
    parser.add_argument("--picture", help="also save a screenshot of play as this PNG")
    parser.add_argument("--time-limit", type=int, default=420, help="seconds before the whole run fails")
    arguments = parser.parse_args()
    arguments.exe = os.path.abspath(arguments.exe)
    arguments.source_dir = os.path.abspath(arguments.source_dir)
    arguments.prefix = os.path.abspath(arguments.prefix)

    missing = [tool for tool in REQUIRED_TOOLS if shutil.which(tool) is None]
    if missing:
        print(f"playthrough: missing {' '.join(missing)} (Debian: xvfb xdotool x11-utils imagemagick "
              "fontconfig fonts-ipafont wine wine64)", file=sys.stderr)
        return 1
    signal.signal(signal.SIGTERM, interrupt)
    signal.signal(signal.SIGALRM, interrupt)
    signal.alarm(arguments.time_limit)

    subprocess.run([os.path.join(arguments.source_dir, "scripts", "wine-prefix"), arguments.prefix, "x11"],
                   check=True, stdin=subprocess.DEVNULL, timeout=300)
    fresh = arguments.work is None
    if fresh:
        arguments.work = tempfile.mkdtemp(prefix="playthrough-", dir=os.path.dirname(arguments.prefix))
    os.makedirs(arguments.work, exist_ok=True)

    started = time.monotonic()
    desktop = Desktop(arguments.prefix)
    play = PlayThrough(arguments, desktop)
    try:
        desktop.start()
        play.run()
    except Exception as failure:  # every failure still ends with the screen kept and all stopped
        log(f"FAILED: {failure}")
        if not isinstance(failure, PlayFailure):
            traceback.print_exc()
        if desktop.display:
            try:
                path = os.path.join(arguments.work, "failure.png")
                desktop.grab().save_png(path)
                log(f"screen at the failure: {path}")
            except (PlayFailure, subprocess.SubprocessError, OSError):
                pass
        return 1
    finally:
        signal.alarm(0)
        play.stop()
        desktop.stop()
    log(f"play-through passed in {time.monotonic() - started:.0f} s")
    if fresh:
        shutil.rmtree(arguments.work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
