// Keeps one build of the page in the browser so that it starts without a network after the first
// visit. The build's files are listed with their SHA-256 at build time; the cache is named after
// the whole build, is filled only with files whose digests match, and replaces the previous
// build's cache whole once no page of that build is open (or a new page lets it take over before
// loading the game): a page never gets one build's script with another's data.
'use strict';

const BUILD = '@BRAWLER_WEB_BUILD@';
const CACHE = `brawler-${BUILD}`;
const FILES = @BRAWLER_WEB_FILES@;  // [name, sha-256 in hex]
const START_PAGE = 'index.html';

function hex(buffer) {
  return Array.from(new Uint8Array(buffer), (b) => b.toString(16).padStart(2, '0')).join('');
}

// Asks the server past any HTTP cache, and refuses a file that is not this build's.
async function fetchChecked(name, digest) {
  const response = await fetch(new Request(name, { cache: 'no-cache' }));
  if (!response.ok) throw new Error(`${name}: ${response.status}`);
  const body = await response.clone().arrayBuffer();
  const got = hex(await crypto.subtle.digest('SHA-256', body));
  if (got !== digest) throw new Error(`${name} is not this build's (the server has a newer one)`);
  return response;
}

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const responses = await Promise.all(FILES.map(([name, digest]) => fetchChecked(name, digest)));
    const cache = await caches.open(CACHE);
    await Promise.all(FILES.map(([name], i) => cache.put(name, responses[i])));
  })());
});

self.addEventListener('message', (event) => {
  if (event.data === 'take-over') self.skipWaiting();
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys())
      if (name.startsWith('brawler-') && name !== CACHE) await caches.delete(name);
  })());
});

// This build's files from the cache, whatever the address's query (?replay=...); the folder's
// own address is the start page. Anything else goes to the network as usual.
self.addEventListener('fetch', (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== 'GET' || url.origin !== location.origin) return;
  const scope = new URL(self.registration.scope);
  if (!url.pathname.startsWith(scope.pathname)) return;
  const name = url.pathname.slice(scope.pathname.length) || START_PAGE;
  if (!FILES.some(([file]) => file === name)) return;
  event.respondWith((async () => {
    const cached = await caches.open(CACHE).then((cache) => cache.match(name));
    return cached || fetch(event.request);
  })());
});
