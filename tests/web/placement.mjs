// The game's generator replayed from outside: the cells of targets 1..count on a board placed in a clock second.
export function placement(second, count) {
    let state = second >>> 0;
    const draw = () => {
        state = (Math.imul(state, 22695477) + 1) >>> 0;
        return (state >>> 16) & 0x7fff;
    };
    const cells = [];
    while (cells.length < count) {
        const column = draw() % 20, row = draw() % 15;
        if (cells.every(([c, r]) => Math.abs(column - c) > 1 || Math.abs(row - r) > 1)) {
            cells.push([column, row]);
        }
    }
    return cells;
}
