# The engine is built as one static library per folder of src/, stacked in layers:
#   app -> protocol -> decision -> {eval, threats} -> core
# A library sees only the headers of its own folder and of the folders below it: each gets
# an include root of its own in the build tree, holding links to just those folders, so an
# include that runs up a layer does not compile. The link order (each library links the
# ones below) makes a call up a layer an undefined reference as well.

# fivefold_add_layer(<folder> [BELOW <libraries of the folders directly below>])
# Creates the library fivefold_<folder> from src/<folder>/CMakeLists.txt.
function(fivefold_add_layer folder)
  cmake_parse_arguments(ARG "" "" "BELOW" ${ARGN})
  set(visible ${folder})
  foreach(below IN LISTS ARG_BELOW)
    get_target_property(belowFolders fivefold_${below} FIVEFOLD_VISIBLE_FOLDERS)
    list(APPEND visible ${belowFolders})
  endforeach()
  list(REMOVE_DUPLICATES visible)

  set(root ${CMAKE_BINARY_DIR}/include-roots/${folder})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root})
  foreach(name IN LISTS visible)
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
  endforeach()

  add_library(fivefold_${folder} STATIC)
  set_target_properties(fivefold_${folder} PROPERTIES FIVEFOLD_VISIBLE_FOLDERS "${visible}")
  target_include_directories(fivefold_${folder} PUBLIC ${root})
  foreach(below IN LISTS ARG_BELOW)
    target_link_libraries(fivefold_${folder} PUBLIC fivefold_${below})
  endforeach()
  add_subdirectory(src/${folder})
endfunction()

define_property(TARGET PROPERTY FIVEFOLD_VISIBLE_FOLDERS
  BRIEF_DOCS "The src/ folders whose headers a layer library may include")
