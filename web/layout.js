// The window's layout: scaled to the browser's window, the board's canvas sharp on any screen.

// Sharp on any screen: the canvas holds a pixel for each device pixel it covers.
function fitWindow() {
    const frame = document.getElementById('window');
    const scale = Math.min(window.innerWidth / frame.offsetWidth, window.innerHeight / frame.offsetHeight);
    document.documentElement.style.setProperty('--scale', String(Math.max(0.25, scale)));
    const rect = canvas.getBoundingClientRect();
    canvas.width = Math.round(rect.width * devicePixelRatio);
    canvas.height = Math.round(rect.height * devicePixelRatio);
    board.setTransform(canvas.width / BoardWidth, 0, 0, canvas.height / BoardHeight, 0, 0);
    if (game.paint) {
        game.paint();
    }
}
