// Appended to the Emscripten module of the engine (--post-js): the two calls its hosts use,
// the Web Worker and the Node brain.

// Feeds bytes of the manager's input (a Uint8Array: whole lines, or any piece of them).
// Every command whose lines are all there runs before this returns, a turn included; the
// reply lines go to the module's print as they are written. True once END has ended the
// engine.
Module["feed"] = function (bytes) {
  var at = _malloc(bytes.length + 1);
  HEAPU8.set(bytes, at);
  var ended = _fivefold_feed(at, bytes.length) !== 0;
  _free(at);  // not reached after a failure: the engine is gone then anyway
  return ended;
};

// The end of the input: the rest is read as the native brain reads its last lines.
Module["endInput"] = function () {
  _fivefold_end_input();
};
