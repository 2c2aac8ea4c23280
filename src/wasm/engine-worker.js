// engine-worker.js: the Fivefold engine in a Web Worker, for a page served as static files.
//
// The page starts it with new Worker("engine-worker.js") (a classic worker script; the
// engine, fivefold-engine.js and fivefold-engine.wasm, lies beside it) and speaks the
// brain protocol to it, as to a brain process:
//   page -> worker  {lines: ["START 15", "BEGIN", ...]}  lines fed to the engine in order;
//                   lines sent before {ready} wait for it
//   worker -> page  {ready: true}       once the engine is loaded
//                   {line: "..."}       every line the engine writes, as it writes it
//                   {error: "..."}      the engine failed (it could not load, ran out of
//                                       memory, aborted, threw): one sentence; the worker
//                                       takes no more lines
// A command that needs a move (BEGIN, TURN, BOARD ... DONE) computes it inside the message
// that carries it, so the worker answers nothing else meanwhile. To stop a search the page
// terminates the worker and starts a fresh one, then sends the game again (START or
// RECTSTART, INFO, and BOARD when the engine is to move). END is not needed: the page
// terminates the worker.
"use strict";

var engine = null;
var waiting = [];  // lines sent before the engine was ready
var failed = false;
var encoder = new TextEncoder();

function fail(reason) {
  if (failed) return;
  failed = true;
  waiting = [];
  // One sentence: the reason (an abort may give none) on one line, one full stop.
  var text = String((reason && reason.message) || reason || "").replace(/\s+/g, " ");
  text = text.trim().replace(/\.+$/, "");
  postMessage({error: "The engine failed" + (text ? ": " + text : "") + "."});
}

function feed(lines) {
  if (failed) return;
  try {
    for (var i = 0; i < lines.length; i++) {
      if (engine.feed(encoder.encode(lines[i] + "\n"))) break;
    }
  } catch (e) {
    fail(e);
  }
}

onmessage = function (event) {
  var lines = event.data && event.data.lines;
  if (failed || !Array.isArray(lines)) return;
  if (engine) {
    feed(lines.map(String));
  } else {
    waiting = waiting.concat(lines.map(String));
  }
};

try {
  importScripts("fivefold-engine.js");
  createFivefoldEngine({
    print: function (line) { postMessage({line: line}); },
    printErr: function () {},
    onAbort: fail,
  }).then(function (loaded) {
    if (failed) return;
    engine = loaded;
    postMessage({ready: true});
    var lines = waiting;
    waiting = [];
    feed(lines);
  }, fail);
} catch (e) {
  fail(e);
}
