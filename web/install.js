// The served game only: installs it for offline play, and moves to a new release as it arrives
// unless the player has begun, so that no round is cut off; the next visit has it then.
'use strict';

let playerHasActed = false;
for (const kind of ['pointerdown', 'keydown']) {
    addEventListener(kind, () => { playerHasActed = true; }, {capture: true, once: true});
}

if ('serviceWorker' in navigator) {
    // The first worker to take the page holds the very release it shows: nothing to reload for.
    const replacing = navigator.serviceWorker.controller !== null;
    navigator.serviceWorker.addEventListener('controllerchange', () => {
        if (replacing && !playerHasActed) {
            location.reload();
        }
    });
    navigator.serviceWorker.register('service-worker.js').catch(() => {});
}
