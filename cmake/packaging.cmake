# What people download: the brain and the bench with the README, its pages and the licence,
# installed by `cmake --install` and packed by CPack (target `package`) into the build folder:
#   windows preset: fivefold-<version>-win64.zip, everything at the top of its folder, as a
#                   tournament manager or a Windows user expects to find the brain
#   release preset: fivefold-<version>-linux-x86_64.tar.gz, programs in bin/, the README,
#                   its pages (docs/) and the licence in share/doc/fivefold/
if(WIN32)
  set(programDir .)
  set(docDir .)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  include(GNUInstallDirs)
  set(programDir ${CMAKE_INSTALL_BINDIR})
  set(docDir ${CMAKE_INSTALL_DOCDIR})
  set(CPACK_GENERATOR TGZ)
  set(CPACK_SYSTEM_NAME linux-${CMAKE_SYSTEM_PROCESSOR})
endif()

# The Linux release programs carry the C++ and GCC run-time libraries inside them, so that
# the tarball runs on distributions older than the build machine (the Windows ones are linked
# wholly static by the MinGW toolchain file). The sanitizer builds keep the shared ones.
if(NOT WIN32 AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  foreach(program pbrain-fivefold fivefold-bench)
    target_link_options(${program} PRIVATE $<$<CONFIG:Release>:-static-libstdc++ -static-libgcc>)
  endforeach()
endif()

install(TARGETS pbrain-fivefold fivefold-bench RUNTIME DESTINATION ${programDir})
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${docDir})
# The README's pages by subject and its pictures, beside it as in the repository, so that its
# links hold in the package too.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs DESTINATION ${docDir})

set(CPACK_PACKAGE_NAME fivefold)
set(CPACK_PACKAGE_VENDOR "Fivefold team")
set(CPACK_PACKAGE_FILE_NAME fivefold-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
include(CPack)
