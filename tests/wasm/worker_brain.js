// The site's engine-worker.js as a brain on standard input and output, so that the tests
// can hold the Web Worker to the native brain's answers. Usage: node worker_brain.js DIR
// (DIR: the folder of engine-worker.js and the engine).
//
// The worker runs on a Node worker thread in a context of its own that holds what a
// browser's worker scope offers it, and no more (no process, no require): importScripts,
// self, location, postMessage, onmessage, fetch (files of DIR, as a static server would
// give them), TextEncoder and TextDecoder, console, timers, performance. Input lines go to
// it as {lines: [...]} messages, one line each, as they are read (the first ones before the
// worker is ready); each {line} comes back to standard output; an {error} goes to standard
// error and ends the program with status 1. The worker is never sent END: at END, or at the
// end of input, the program waits until the worker has fed every line and exits with 0.
"use strict";

const fs = require("fs");
const path = require("path");
const vm = require("vm");
const {Worker, isMainThread, parentPort, workerData} = require("worker_threads");

const origin = "http://site.invalid/";  // where the page would be served from

function runWorkerScope(folder) {
  const scope = {
    location: {href: origin + "engine-worker.js"},
    onmessage: null,
    postMessage: (message) => parentPort.postMessage(message),
    fetch: async (url) => {
      const file = path.join(folder, String(url).replace(origin, ""));
      if (!fs.existsSync(file)) return new Response("not found", {status: 404});
      return new Response(fs.readFileSync(file), {headers: {"content-type": "application/wasm"}});
    },
    TextEncoder, TextDecoder, console, setTimeout, clearTimeout, performance,
  };
  scope.self = scope;
  vm.createContext(scope);
  scope.importScripts = (...names) => {
    for (const name of names) {
      vm.runInContext(fs.readFileSync(path.join(folder, name), "utf8"), scope, {filename: name});
    }
  };
  parentPort.on("message", (data) => {
    if (scope.onmessage) scope.onmessage({data});
    parentPort.postMessage({handledByTest: true});  // the test's own: the message is done
  });
  vm.runInContext(fs.readFileSync(path.join(folder, "engine-worker.js"), "utf8"), scope,
                  {filename: "engine-worker.js"});
}

function runBrain(folder) {
  const worker = new Worker(__filename, {workerData: {folder}});
  let ready = false;
  let ending = false;
  let sent = 0;
  let handled = 0;
  let lastSent = -1;  // the count of messages up to the closing empty one, once sent
  const send = (lines) => {
    worker.postMessage({lines});
    sent += 1;
  };
  // At the end, one empty message once the worker is ready: the worker has fed every line
  // before it (the lines it queued before it was ready too) when it has handled that one.
  const close = () => {
    if (ending && ready && lastSent < 0) {
      send([]);
      lastSent = sent;
    }
  };
  worker.on("message", (message) => {
    if (message.ready) {
      ready = true;
      close();
    } else if (message.handledByTest) {
      handled += 1;
      if (handled === lastSent) process.exit(0);
    } else if ("line" in message) {
      process.stdout.write(message.line + "\n");
    } else if ("error" in message) {
      process.stderr.write(message.error + "\n");
      process.exit(1);
    }
  });
  worker.on("error", (error) => {
    process.stderr.write("worker thread failed: " + error + "\n");
    process.exit(2);
  });
  let partial = "";
  process.stdin.setEncoding("utf8");
  process.stdin.on("data", (text) => {
    const lines = (partial + text).split("\n");
    partial = lines.pop();
    for (const line of lines) {
      if (ending) break;
      if (/^end\r?$/i.test(line)) {
        ending = true;
      } else {
        send([line]);
      }
    }
    close();
  });
  process.stdin.on("end", () => {
    ending = true;
    close();
  });
}

if (isMainThread) {
  runBrain(path.resolve(process.argv[2]));
} else {
  runWorkerScope(workerData.folder);
}
