// Keeps the served game for offline play: every file comes from this release's cache, and a new
// release, a new cache name, takes over at once and deletes the caches of the old ones.
'use strict';

const CacheName = 'glimmark-@VERSION@';
const Files = @FILES@;

self.addEventListener('install', (event) => {
    // Past the browser's own cache, so that a new release never keeps a file of the old one.
    const requests = Files.map((file) => new Request(file, {cache: 'reload'}));
    event.waitUntil(caches.open(CacheName).then((cache) => cache.addAll(requests)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys().then((names) => Promise.all(names
        .filter((name) => name.startsWith('glimmark-') && name !== CacheName)
        .map((name) => caches.delete(name)))).then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    if (event.request.method === 'GET') {
        event.respondWith(caches.open(CacheName)
            .then((cache) => cache.match(event.request, {ignoreSearch: true}))
            .then((cached) => cached || fetch(event.request)));
    }
});
