# Writes site-files.js into the static site (cmake -DSITE=<folder> -P site_files.cmake): the
# files that its service worker (sw.js) keeps for offline use, and the site's version, made
# from the contents of every file, so that any change to the site makes a new cache and the
# old one is dropped. The worker's own script is fetched by the browser, never from the cache.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files site-files.js)
list(SORT files)
set(sums "")
foreach(file IN LISTS files)
  file(SHA256 ${SITE}/${file} sum)
  string(APPEND sums "${sum}  ${file}\n")
endforeach()
string(SHA256 version "${sums}")
string(SUBSTRING ${version} 0 16 version)
list(REMOVE_ITEM files sw.js)
# "./" is the page as its folder's address names it, the address a link opens.
set(kept "\"./\"")
foreach(file IN LISTS files)
  string(APPEND kept ",\n    \"${file}\"")
endforeach()
file(WRITE ${SITE}/site-files.js
  "// The site's files and its version, for sw.js; written with the site by "
  "src/wasm/site_files.cmake.\n"
  "self.SITE_FILES = {\n  version: \"${version}\",\n  files: [\n    ${kept}\n  ]\n};\n")
