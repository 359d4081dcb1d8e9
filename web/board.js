// The board: its canvas painted cell by cell for the core, the display timer, and the player's presses.

// ---- The board ------------------------------------------------------------------------
// The core's grid, in its client pixels: read from it once the WebAssembly runs, before any use.
let BoardWidth = 0, BoardHeight = 0, CellSize = 0, BoardTop = 0;

function readGeometry() {
    CellSize = game.figure(Figure.CellSizeFigure);
    BoardTop = game.figure(Figure.BoardTopFigure);
    BoardWidth = CellSize * game.figure(Figure.GridColumnsFigure);
    BoardHeight = CellSize * game.figure(Figure.GridRowsFigure);
}
const canvas = document.getElementById('board');
const board = canvas.getContext('2d');

function colorText(rgb) {
    return '#' + rgb.toString(16).padStart(6, '0');
}

let boardPainted = false;

// A portrait phone shows the board turned a quarter clockwise, the grid's top row on the right. Only
// the drawing turns: the core's cells, the numbers' faces and the presses it judges stay as they are.
let boardTurned = false;

function drawnBoardSize() {
    return boardTurned ? [BoardHeight, BoardWidth] : [BoardWidth, BoardHeight];
}

function drawnCellCorner(column, row) {
    return boardTurned ? [BoardHeight - (row + 1) * CellSize, column * CellSize] : [column * CellSize, row * CellSize];
}

// The grid's pixel under a pixel of the drawn board.
function gridPoint(drawnX, drawnY) {
    return boardTurned ? [drawnY, BoardHeight - 1 - drawnX] : [drawnX, drawnY];
}

Object.assign(page, {
    clearBoard() {
        board.fillStyle = '#000000';
        board.fillRect(0, 0, ...drawnBoardSize());
        if (!boardPainted) {
            boardPainted = true;  // the frame that shows it is marked for scripts/bench-web
            requestAnimationFrame(() => performance.mark('glimmark-board-painted'));
        }
    },
    // The number fills its cell as the exe's 32 x 32 Mincho does; 0 is the blank covering square.
    paintCell(column, row, number, textColor, backgroundColor) {
        const [x, y] = drawnCellCorner(column, row);
        board.fillStyle = colorText(backgroundColor);
        board.fillRect(x, y, CellSize, CellSize);
        if (number === 0) {
            return;
        }
        board.save();
        board.font = `600 ${CellSize}px "MS Mincho", "IPAMincho", serif`;
        board.textBaseline = 'top';
        board.fillStyle = colorText(textColor);
        const text = String(number);
        const width = board.measureText(text).width;
        board.translate(x, y + 1);
        board.scale(CellSize / width, 1);
        board.fillText(text, 0, 0);
        board.restore();
    },
});

// ---- The display timer: a deadline looked at on every animation frame ------------------
let displayDeadline = null;

page.startDisplayTimer = (milliseconds) => {
    displayDeadline = performance.now() + milliseconds;
    page.timerPeriod = milliseconds;  // the last period asked for, which the play-through checks
};
page.stopDisplayTimer = () => {
    displayDeadline = null;
};

function watchDisplayTime() {
    if (displayDeadline !== null && !busy && performance.now() >= displayDeadline) {
        displayDeadline = null;
        game.endDisplayTime();
    }
    requestAnimationFrame(watchDisplayTime);
}

// ---- Input ---------------------------------------------------------------------------------
// A press is judged and painted at once, in the same frame; none is taken while a dialog is open.
canvas.addEventListener('pointerdown', (event) => {
    event.preventDefault();  // else the mouse-down after it takes the focus from a box the press opened
    if (busy || event.button !== 0 || document.querySelector('dialog[open]')) {
        return;
    }
    const rect = canvas.getBoundingClientRect();
    const [width, height] = drawnBoardSize();
    const [x, y] = gridPoint(Math.floor((event.clientX - rect.left) * width / rect.width),
                             Math.floor((event.clientY - rect.top) * height / rect.height));
    if (x >= 0 && y >= 0 && x < BoardWidth && y < BoardHeight) {
        game.press(x, y + BoardTop);
    }
});
