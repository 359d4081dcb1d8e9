// The toolbar and the system menu under the caption's icon.

// ---- The toolbar: seven buttons in three groups, with the exe's pictures and tooltips ------------
// Image k of the strip is the picture of button k; the separators and tooltips are the exe's.
const ToolbarCommands = {
    [ToolbarButton.StartButton]: () => game.start(),
    [ToolbarButton.BrainLevelButton]: () => game.showBrainLevel(),
    [ToolbarButton.GameSettingsButton]: () => { busy = true; openSettings().finally(() => { busy = false; }); },
    [ToolbarButton.VersionButton]: () => { busy = true; openAbout().finally(() => { busy = false; }); },
    [ToolbarButton.WebHelpButton]: () => window.open(say('WebHelpAddress'), '_blank', 'noopener'),
    [ToolbarButton.ExitButton]: exitGame,
    [ToolbarButton.StartRightButton]: () => game.start(),
};

// Button k shows the strip's k-th square picture, kept once in the page, through a view box of its own
// place in the strip, so that no edge of a neighbour shows however the window is scaled.
const SvgNamespace = 'http://www.w3.org/2000/svg';

function toolbarPicture(image) {
    const size = document.querySelector('#pictures svg').getAttribute('height');
    const picture = document.createElementNS(SvgNamespace, 'svg');
    picture.setAttribute('viewBox', `${size * image} 0 ${size} ${size}`);
    picture.appendChild(document.createElementNS(SvgNamespace, 'use')).setAttribute('href', `#toolbar-picture-${image}`);
    return picture;
}

function buildToolbar() {
    const toolbar = document.getElementById('toolbar');
    for (let button = 0; button < ToolbarButton.ToolbarButtonCount; ++button) {
        const separators = game.toolbarButton(button, ToolbarPart.SeparatorsBefore);
        for (let separator = 0; separator < separators; ++separator) {
            toolbar.appendChild(element('span', 'separator'));
        }
        const made = toolbar.appendChild(element('button', 'tool'));
        made.type = 'button';
        made.dataset.tooltip = game.toolbarButton(button, ToolbarPart.TooltipText);
        made.appendChild(toolbarPicture(button));
        made.addEventListener('click', () => {
            if (!busy && !document.querySelector('dialog[open]')) {
                ToolbarCommands[button]();
            }
        });
    }
}

// A page cannot close its own tab: Exit keeps the settings and leaves an empty board.
function exitGame() {
    game.saveSettings().then(() => {
        window.close();
        game.open();
    });
}

// ---- The system menu under the caption's icon, which holds the records ----------------------------
function buildSystemMenu() {
    const menu = document.getElementById('system-menu');
    document.getElementById('system-menu-button').addEventListener('click', (event) => {
        event.stopPropagation();
        menu.hidden = busy || !menu.hidden;
    });
    document.addEventListener('click', () => { menu.hidden = true; });
    document.getElementById('records-item').addEventListener('click', () => {
        menu.hidden = true;
        if (!busy) {
            busy = true;
            openRecords().finally(() => { busy = false; });
        }
    });
}

