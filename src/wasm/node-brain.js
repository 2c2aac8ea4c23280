// pbrain-fivefold.js: the WebAssembly engine as a brain under Node. It speaks the protocol on
// standard input and output like the native brain and answers byte for byte as it does
// (but for the search rate after "S:"), with one difference of timing: a turn runs inside
// the reading of the command that starts it, so a command sent during a turn waits for the
// move instead of ending the search early. Usage: node pbrain-fivefold.js
"use strict";

const fs = require("fs");
const path = require("path");
const createFivefoldEngine = require("./fivefold-engine.js");

createFivefoldEngine({
  // Read here, not fetched: Node's fetch does not read files.
  wasmBinary: fs.readFileSync(path.join(__dirname, "fivefold-engine.wasm")),
  print: (line) => process.stdout.write(line + "\n"),
  printErr: (line) => process.stderr.write(line + "\n"),
}).then((engine) => {
  process.stdin.on("data", (bytes) => {
    if (engine.feed(bytes)) process.exit(0);
  });
  process.stdin.on("end", () => {
    engine.endInput();
    process.exit(0);
  });
});
