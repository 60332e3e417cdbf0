// SPDX-License-Identifier: MIT
// The page's copy for playing offline: taken whole when this worker
// installs, served before the network. A new release is a new worker (the
// build names the copy after the page's content), which takes its own copy
// and deletes the old ones.
'use strict';
const copy = 'titletype-@VERSION@';
const files = ['./', 'index.html', 'manifest.webmanifest', 'icon-32.png', 'icon-192.png',
  'icon-512.png'];

self.addEventListener('install', (event) => {
  // Where the browser can, it serves the copy itself without starting this
  // worker, which a reload after a game has usually found stopped. An
  // address with a query (?keys=typed) still comes to the handler below.
  if (event.addRoutes) {
    event.addRoutes({ condition: { urlPattern: new URLPattern({ search: '' }) }, source: 'cache' })
      .catch(() => {});  // then the handler serves it all
  }
  // From the server itself: the browser's cache may still hold the old release.
  event.waitUntil(caches.open(copy)
    .then((cache) => cache.addAll(files.map((file) => new Request(file, { cache: 'reload' }))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('titletype-') && name !== copy)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  // The address's query (?keys=typed) chooses how the page plays, not what it is.
  event.respondWith(caches.match(event.request, { cacheName: copy, ignoreSearch: true })
    .then((kept) => kept || fetch(event.request)));
});
