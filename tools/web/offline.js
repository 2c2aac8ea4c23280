// The page kept for offline use (the static site only: a server's page needs its server). The
// service worker, sw.js, keeps the site's files; when a new version of the site has been kept
// beside the running one, the page offers to reload into it, and the old files are dropped.

import { $ } from "./state.js";

// A server's page keeps nothing, and drops what a static site once kept at the same address,
// which would otherwise answer for the server's own files.
async function forget() {
  for (const registration of await navigator.serviceWorker.getRegistrations()) {
    await registration.unregister();
  }
  // The page's origin caches nothing else.
  for (const name of await caches.keys()) await caches.delete(name);
}

export async function keepOffline(server) {
  if (!("serviceWorker" in navigator)) return;
  if (server) return forget();
  let registration;
  try {
    // The file list is checked for a new version past the browser's HTTP cache, as the
    // worker's own script always is.
    registration = await navigator.serviceWorker.register("sw.js", { updateViaCache: "none" });
  } catch {
    return; // a folder without the built site's file list (site-files.js): nothing is kept
  }
  const offer = () => {
    // The first version a page gets has no predecessor: nothing to reload into.
    if (registration.waiting && navigator.serviceWorker.controller) $("#update").hidden = false;
  };
  registration.addEventListener("updatefound", () => {
    const worker = registration.installing;
    worker.addEventListener("statechange", () => worker.state === "installed" && offer());
  });
  offer();
  $("#reload").addEventListener("click", () => {
    navigator.serviceWorker.addEventListener("controllerchange", () => location.reload());
    if (registration.waiting) registration.waiting.postMessage("update");
    else location.reload();
  });
}
