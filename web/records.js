// The records dialog, with its chart, and the history moved to and from a file.

// ---- The records dialog, with its chart, and the history moved to and from a file ---------------
function openRecords() {
    const layout = Templates.RECORDS;
    const client = templateDialog('records', say('RecordsTitle'), layout.size);
    const dialog = document.getElementById('records');
    const played = game.figure(Figure.FixedGames) + game.figure(Figure.ChallengeGames);
    label(client, played === 0 ? say('NoHistoryText') : game.figureText(FigureLine.GamesPlayed),
          ...layout.RECORDS_GAMES, 'label records-games');
    if (played > 0) {
        label(client, game.figureText(FigureLine.RecordsBestLine), ...layout.RECORDS_CHALLENGE_BEST, 'label');
        label(client, say('FixedBestsLabel'), ...layout.RECORDS_FIXED_LABEL, 'label');
        place(client, fixedBestList(), ...layout.RECORDS_FIXED_BESTS);
        label(client, say('ChartLabel'), ...layout.RECORDS_CHART_LABEL, 'label');
        place(client, recordsChart(layout.RECORDS_CHART), ...layout.RECORDS_CHART);
    }
    button(client, say('SaveHistoryButton'), 8, 194, 72, 14, saveHistoryFile);
    button(client, say('LoadHistoryButton'), 180, 194, 72, 14, () => loadHistoryFile(dialog));
    const close = button(client, say('CloseButton'), ...layout.RECORDS_CLOSE, () => dialog.close());
    const closed = runModal(dialog, true);
    close.focus();
    return closed;
}

// Lines "count\ttime\ttries\trounds" in the order of the settings dialog's lists.
function fixedBestList() {
    const list = element('div', 'list');
    const count = game.figure(Figure.FixedBestCount);
    for (let index = 0; index < count; ++index) {
        const row = list.appendChild(element('div', 'list-row'));
        for (const cell of game.fixedBestLine(index).split('\t')) {
            row.appendChild(element('span', null, cell));
        }
    }
    if (count === 0) {
        list.appendChild(element('div', 'list-note', say('NoFixedBestsText')));
    }
    return list;
}

// The stages cleared in the last challenge games, oldest on the left, over the three bands.
function recordsChart([, , chartWidth, chartHeight]) {
    const chart = element('canvas', 'chart');
    const width = chartWidth * UnitX, height = chartHeight * UnitY;
    const scale = 2 * devicePixelRatio;  // stays sharp as the window is scaled
    Object.assign(chart, {width: width * scale, height: height * scale});
    const pen = chart.getContext('2d');
    pen.scale(scale, scale);
    pen.fillStyle = '#ffffff';
    pen.fillRect(0, 0, width, height);
    pen.font = '12px "MS PGothic", "IPAPGothic", sans-serif';
    pen.textBaseline = 'middle';
    const plot = {left: game.figure(Figure.ChartNameMarginFigure), top: 1,
                  right: width - game.figure(Figure.ChartScaleMarginFigure), bottom: height - 1};
    const lastStage = game.figure(Figure.LastStageFigure);
    const stageY = (stages) => plot.bottom - (plot.bottom - plot.top) * stages / lastStage;
    const recent = game.figure(Figure.RecentCount);
    if (recent === 0) {
        pen.fillStyle = '#000000';
        pen.fillText(say('NoChallengeChartText'), plot.left + 8, 16);
    } else {
        const bands = game.figure(Figure.ChartBandCountFigure);
        for (let band = 0; band < bands; ++band) {
            const top = stageY(game.chartBand(band, ChartBandPart.BandHighStage));
            const bottom = stageY(game.chartBand(band, ChartBandPart.BandLowStage));
            pen.fillStyle = colorText(game.chartBand(band, ChartBandPart.BandColor));
            pen.fillRect(0, top, width, bottom - top);
            pen.fillStyle = '#000000';
            pen.fillText(game.text(game.chartBand(band, ChartBandPart.BandName)), 2, (top + bottom) / 2);
        }
        pen.fillText(String(lastStage), plot.right + 3, plot.top + 6);
        pen.fillText('0', plot.right + 3, plot.bottom - 6);
        const slot = (plot.right - plot.left) / game.figure(Figure.ChartedGamesFigure);
        pen.fillStyle = colorText(game.figure(Figure.ChartBarColorFigure));
        for (let index = 0; index < recent; ++index) {
            const top = Math.min(stageY(game.recentStage(index)), plot.bottom - 2);
            pen.fillRect(plot.left + index * slot + 1, top, slot - 2, plot.bottom - top);
        }
    }
    pen.strokeStyle = '#000000';
    pen.strokeRect(0.5, 0.5, width - 1, height - 1);
    return chart;
}

// The same bytes the exe keeps, so that the file can go on in the exe's folder.
function saveHistoryFile() {
    const name = game.historyFileName();
    const bytes = storedFileBytes(name);  // empty before the first game ends
    const link = element('a');
    link.href = URL.createObjectURL(new Blob([bytes], {type: 'text/csv'}));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// Adds the good lines of a history.csv the player picks; bad ones are skipped by the history's own reader.
function loadHistoryFile(dialog) {
    const picker = element('input');
    picker.type = 'file';
    picker.accept = '.csv,text/csv';
    picker.addEventListener('change', async () => {
        if (picker.files.length === 0) {
            return;
        }
        const bytes = new Uint8Array(await picker.files[0].arrayBuffer());
        dialog.close();
        await game.addHistory(bytes);
        openRecords();
    });
    picker.click();
}

