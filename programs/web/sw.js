// The site's service worker: the site opens again without the network once
// visited. Every answer of the site's own origin is kept as it arrives; the
// network comes first, so a reachable server always gives the newest files,
// and the kept copy answers when the network is gone. The pages below are
// kept as soon as the worker is installed, so that the viewer, the atlas's
// index and its reverse lookup (with its data) open offline even where only
// one of them was visited. A new page of the site joins by adding its file
// and its data here. The judge keeps the data of the bet and stop order
// it was opened for, as every answer is kept.

const cacheName = 'reelctl-site-4';
const pages = [
  './',
  'index.html', 'page.js', 'panel.css', 'panel_view.js', 'read_back.js', 'combo.js', 'menu_bar.js', 'keys.js', 'focus.js', 'elements.js',
  'reelctl-web.js', 'reelctl-web.wasm', 'help.html', 'manifest.webmanifest',
  'judge.html', 'judge.js',
  'practice.html', 'practice.js', 'practice.css',
  'atlas/index.html', 'atlas/atlas.css', 'atlas/lookup.html', 'atlas/lookup.js', 'atlas/lookup-data.js', 'atlas/lookup.json',
  'pictures/reelctl-48.png', 'pictures/reelctl-256.png',
];

self.addEventListener('install', (event) => {
  // A page that is missing (a site without its atlas) does not stop the others.
  event.waitUntil(caches.open(cacheName).then((cache) => Promise.all(pages.map((page) => cache.add(page).catch(() => {})))));
  self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== cacheName).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).then((response) => {
    if (response.ok) {
      const copy = response.clone();
      caches.open(cacheName).then((cache) => cache.put(request, copy));
    }
    return response;
  }).catch(() => caches.match(request, { ignoreSearch: true }).then((kept) => kept || Response.error())));
});
