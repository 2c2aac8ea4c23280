// A classic script, run where the page's modules cannot load: opened from a file, a browser
// refuses them, and the page would stay blank without this sentence.
if (location.protocol === "file:") {
  const fatal = document.getElementById("fatal");
  fatal.textContent =
    "This page cannot run from a file: serve its folder over HTTP, for example with " +
    "python3 -m http.server, and open the address it prints.";
  fatal.hidden = false;
  document.querySelector("main").hidden = true;
}
