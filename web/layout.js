// The window's layout: the exe's window scaled to the browser's, or on a small touch screen the phone's
// own layout, with the board's canvas sharp on any screen and each dialog fitted to it.

// Cells under this many CSS pixels are hard to hit even with a mouse: the window then gives way to the
// phone's layout where that makes them bigger. A touch screen takes the phone's layout as soon as the
// window would have to shrink at all.
const SmallestDesktopCell = 24;
// A dialog on a phone grows to fill the screen up to this much, so that its buttons come under a thumb.
const LargestDialogZoom = 1.5;
const DialogMargin = 8;

// The window's own size, measured before any layout is chosen: its look at desktop sizes hangs on it.
let desktopWindowSize = null;

// Measured as the page starts, before the toolbar and the texts are filled in: the style fixes the
// heights of the caption and the toolbar, so the size is the same, and that first layout is cheap,
// where a full one was laid out again at once at the window's scale.
function measureDesktopWindow() {
    const frame = document.getElementById('window');
    desktopWindowSize = {width: frame.offsetWidth, height: frame.offsetHeight};
}

function fitWindow() {
    const scale = Math.min(window.innerWidth / desktopWindowSize.width, window.innerHeight / desktopWindowSize.height);
    const desktopCell = scale * CellSize;
    const touch = matchMedia('(pointer: coarse)').matches;
    let phone = false;
    if (scale < 1 && (touch || desktopCell < SmallestDesktopCell)) {
        phone = layOutPhone() >= (touch ? 0 : desktopCell);
    }
    if (!phone) {
        layOutDesktop(scale);
    }
    sharpenBoard();
    for (const dialog of document.querySelectorAll('dialog[open]')) {
        fitDialog(dialog);
    }
}

function layOutDesktop(scale) {
    const root = document.documentElement;
    root.classList.remove('phone', 'portrait');
    boardTurned = false;
    canvas.style.width = canvas.style.height = '';
    root.style.setProperty('--scale', String(Math.max(0.25, scale)));
}

// Sharp on any screen: the canvas holds a pixel for each device pixel it covers.
function sharpenBoard() {
    const rect = canvas.getBoundingClientRect();
    canvas.width = Math.round(rect.width * devicePixelRatio);
    canvas.height = Math.round(rect.height * devicePixelRatio);
    const [width, height] = drawnBoardSize();
    board.setTransform(canvas.width / width, 0, 0, canvas.height / height, 0, 0);
    if (game.paint) {
        game.paint();
    }
}

// The board fills the room the bars leave it, turned a quarter on a portrait screen, where its
// 15 rows across give far bigger cells than its 20 columns would. A cell covers whole device pixels;
// its size in CSS pixels is the answer.
function layOutPhone() {
    const root = document.documentElement;
    root.classList.add('phone');
    root.classList.toggle('portrait', window.innerHeight > window.innerWidth);
    boardTurned = root.classList.contains('portrait');
    canvas.style.width = canvas.style.height = '';  // the style's 100%: the room the layout leaves
    const room = canvas.getBoundingClientRect();
    const [width, height] = drawnBoardSize();
    const cell = Math.floor(Math.min(room.width / width, room.height / height) * CellSize * devicePixelRatio) /
                 devicePixelRatio;
    canvas.style.width = cell * width / CellSize + 'px';
    canvas.style.height = cell * height / CellSize + 'px';
    return cell;
}

// On a computer a dialog scales with the window, as the window's style says; on a phone it takes
// the most of the screen, inside the safe area, that its template allows.
function fitDialog(dialog) {
    dialog.style.zoom = '';
    if (!document.documentElement.classList.contains('phone')) {
        return;
    }
    dialog.style.zoom = '1';
    const frame = getComputedStyle(document.getElementById('window'));
    const width = window.innerWidth - parseFloat(frame.paddingLeft) - parseFloat(frame.paddingRight);
    const height = window.innerHeight - parseFloat(frame.paddingTop) - parseFloat(frame.paddingBottom);
    const zoom = Math.min(LargestDialogZoom, (width - 2 * DialogMargin) / dialog.offsetWidth,
                          (height - 2 * DialogMargin) / dialog.offsetHeight);
    dialog.style.zoom = String(zoom);
}
