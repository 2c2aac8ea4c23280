// The static site's service worker: it keeps the site's files in a cache named after the
// site's version, answers the site's requests from there (so that the page loads and plays
// with the network gone) and passes on every other request. site-files.js, written with the
// site (src/wasm/site_files.cmake), lists the files and makes the version from their
// contents: a changed site installs a new worker beside the running one, which takes over
// once the page reloads into it (offline.js) and drops every older cache.

importScripts("site-files.js");

const PREFIX = "fivefold-";
const CACHE = PREFIX + self.SITE_FILES.version;

async function keep() {
  const cache = await caches.open(CACHE);
  // From the network, not the browser's HTTP cache, which may hold an older version.
  await cache.addAll(self.SITE_FILES.files.map((file) => new Request(file, { cache: "reload" })));
}

async function dropOlder() {
  const old = (await caches.keys()).filter((name) => name.startsWith(PREFIX) && name !== CACHE);
  await Promise.all(old.map((name) => caches.delete(name)));
  await self.clients.claim();
}

// A link's address differs from the page's only after its #, which is never sent.
async function answer(request) {
  const kept = await (await caches.open(CACHE)).match(request, { ignoreSearch: true });
  return kept || fetch(request);
}

self.addEventListener("install", (event) => event.waitUntil(keep()));
self.addEventListener("activate", (event) => event.waitUntil(dropOlder()));
self.addEventListener("message", (event) => event.data === "update" && self.skipWaiting());
self.addEventListener("fetch", (event) => {
  const request = event.request;
  if (request.method !== "GET" || new URL(request.url).origin !== location.origin) return;
  event.respondWith(answer(request));
});
