// The page's stored files: setdata.ini, history.csv and the language, in localStorage and in a spare
// copy in IndexedDB, whichever holds the newer keeping.
'use strict';

// A page opened from a file now and then finds localStorage empty for a whole visit, and what it
// writes then is dropped; IndexedDB has been seen to stay whole through such visits. So every
// keeping goes to both, numbered, and the page reads the store with the higher number.
const StoragePrefix = 'glimmark/';
const GenerationKey = StoragePrefix + 'generation';  // absent from a store that never kept anything
const LanguageFile = 'language';
const SpareDatabase = 'glimmark', SpareTable = 'files', SpareRecord = 'files';
const SpareReadLimit = 2000;  // milliseconds; a spare store that never answers counts as empty

const stored = {generation: -1, files: {}, restoredFromSpare: false};

function latin1Text(bytes) {
    let text = '';
    for (let start = 0; start < bytes.length; start += 8192) {
        text += String.fromCharCode(...bytes.subarray(start, start + 8192));
    }
    return text;
}

// ---- Reading: both stores at once, as the page starts ------------------------------------------
// Files written by a release without numbers count as keeping 0.
function readLocalStore() {
    const found = {generation: -1, files: {}};
    try {
        for (const name of ['setdata.ini', 'history.csv', LanguageFile]) {
            const text = localStorage.getItem(StoragePrefix + name);
            if (text !== null) {
                found.files[name] = text;
                found.generation = 0;
            }
        }
        const generation = localStorage.getItem(GenerationKey);
        if (generation !== null) {
            found.generation = Math.max(found.generation, Number.isSafeInteger(Number(generation)) ? Number(generation) : 0);
        }
    } catch (forbidden) {
        // a private window may refuse the storage: nothing was kept
    }
    return found;
}

function openSpareStore() {
    return new Promise((resolve, reject) => {
        const request = indexedDB.open(SpareDatabase, 1);
        request.onupgradeneeded = () => request.result.createObjectStore(SpareTable);
        request.onsuccess = () => resolve(request.result);
        request.onerror = () => reject(request.error);
    });
}

function readSpareStore() {
    const empty = {generation: -1, files: {}};
    const reading = openSpareStore().then((database) => new Promise((resolve) => {
        const request = database.transaction(SpareTable).objectStore(SpareTable).get(SpareRecord);
        request.onsuccess = () => resolve(request.result || empty);
        request.onerror = () => resolve(empty);
    }));
    const late = new Promise((resolve) => setTimeout(() => resolve(empty), SpareReadLimit));
    return Promise.race([reading.catch(() => empty), late]);
}

// A spare copy newer than localStorage is what the last visits kept: it is written back, and a
// player who finds the game's storage empty hears where the settings and records came from.
function readStores() {
    // The history outlives a browser that clears storage to make room.
    if (navigator.storage && navigator.storage.persist) {
        navigator.storage.persist().catch(() => {});
    }
    return readSpareStore().then((spare) => {
        const local = readLocalStore();
        const newer = spare.generation > local.generation ? spare : local;
        Object.assign(stored, {generation: newer.generation, files: {...newer.files}});
        if (newer === spare) {
            stored.restoredFromSpare = local.generation < 0;
            for (const [name, text] of Object.entries(stored.files)) {
                keepLocally(name, text);
            }
        }
    });
}

// ---- Keeping ---------------------------------------------------------------------------------------
function keepLocally(name, text) {
    try {
        localStorage.setItem(StoragePrefix + name, text);
        localStorage.setItem(GenerationKey, String(stored.generation));
        return true;
    } catch (refused) {
        return false;
    }
}

// The whole set goes in one record, so that the spare copy is never half of one keeping and half of another.
function keepSpare() {
    const record = {generation: stored.generation, files: {...stored.files}};
    openSpareStore().then((database) => {
        database.transaction(SpareTable, 'readwrite').objectStore(SpareTable).put(record, SpareRecord);
    }).catch(() => {});
}

// False when localStorage is full or forbidden (a private window): the game then warns as for a file
// it cannot write, though the spare copy may still hold it.
function keepText(name, text) {
    stored.files[name] = text;
    stored.generation += 1;
    const kept = keepLocally(name, text);
    keepSpare();
    return kept;
}

page.keepFile = (name, bytes) => keepText(name, latin1Text(bytes));

function storedLanguage() {
    return stored.files[LanguageFile] || null;
}

// Before the stores are read, the language localStorage holds: the first frame is then most often
// in the player's language already, rather than changing to it a moment later.
function languageAtStart() {
    return readLocalStore().files[LanguageFile] || null;
}

function keepLanguage(language) {
    keepText(LanguageFile, language);  // where it cannot be kept, the choice holds for this visit
}

// The bytes the game holds of a file, for the records' Save to file.
function storedFileBytes(name) {
    return fileBytes(stored.files[name] || '');
}

function fileBytes(text) {
    const bytes = new Uint8Array(text.length);
    for (let index = 0; index < text.length; ++index) {
        const code = text.charCodeAt(index);
        bytes[index] = code > 0xff ? 0x3f : code;  // "?": the line it stands in no longer reads
    }
    return bytes;
}

// Text holding characters that are no byte was not written by the game. A settings file of it
// reads as none at all (the defaults and the warning); in a history only its lines are spoilt.
page.restoreFile = (name, wholeOrNothing) => {
    const text = stored.files[name];
    if (text === undefined || (wholeOrNothing && /[^\x00-\xff]/.test(text))) {
        return;
    }
    const bytes = fileBytes(text);
    const stack = Module.stackSave();
    try {
        const buffer = Module._glimmark_file_buffer(Module.allocateUTF8OnStack(name), bytes.length);
        if (buffer !== 0) {
            Module.HEAPU8.set(bytes, buffer);
        }
    } finally {
        Module.stackRestore(stack);
    }
};

// Opens the game once both stores are read; no command is taken meanwhile. The reading starts once
// the first frame is shown: opening IndexedDB held up the page's first frame by several
// milliseconds, and the spare store answers frames later in any case.
function openStoredGame() {
    busy = true;
    const firstFrameShown = new Promise((shown) => requestAnimationFrame(() => setTimeout(shown)));
    firstFrameShown.then(readStores).then(async () => {
        const language = storedLanguage();
        if (language !== null && language !== document.documentElement.lang) {
            useLanguage(language);
        }
        if (stored.restoredFromSpare) {
            await page.showMessage(say('StorageRestoredText'), say('ReadErrorCaption'), true);
        }
        return game.open();
    }).finally(() => { busy = false; });
}
