// The page kept for offline use (the static site only: a server's page needs its server). The
// service worker, sw.js, keeps the site's files; when a new version of the site has been kept
// beside the running one, the page offers to reload into it, and the old files are dropped.

import { $ } from "./state.js";

export async function keepOffline() {
  if (!("serviceWorker" in navigator)) return;
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
