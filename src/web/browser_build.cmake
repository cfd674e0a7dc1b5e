# The browser build, included by the top-level CMakeLists under emcmake (scripts/web): the show's
# own libraries over the page's platform layer (src/platform/web), the browser's shell (src/web)
# and mp3dec for node. GL and GLU are the platform's fixed-function layer over WebGL.
set(Z3D_WEB_DATA "" CACHE PATH "The demo's data, as a native build's gendata writes them")
set(Z3D_WEB_SITE ${CMAKE_BINARY_DIR}/site CACHE PATH "Where the page and what it loads go")
if(NOT IS_DIRECTORY "${Z3D_WEB_DATA}")
  message(FATAL_ERROR "Z3D_WEB_DATA must name the demo's data folder (a native build's demo-data)")
endif()

# clang asks for braces around each lane group of the generated tables' flat initialisers, which
# are what the table generator writes for both compilers.
add_compile_options(-Wno-missing-braces)
# The heap grows with the decoded song (some 14 MB for the demo's) and with a larger scene.
add_link_options(-sALLOW_MEMORY_GROWTH=1)

add_subdirectory(src/platform/web)
foreach(gl GL GLU)
  add_library(OpenGL::${gl} INTERFACE IMPORTED)
  set_target_properties(OpenGL::${gl} PROPERTIES INTERFACE_LINK_LIBRARIES z3d_web_gl)
endforeach()
foreach(dir scene state render show audio session app web)
  add_subdirectory(src/${dir})
endforeach()
add_subdirectory(tools/mp3dec)
# Under node, with the host's files, ending when main returns (tests/web runs it).
target_link_options(mp3dec PRIVATE -sNODERAWFS=1 -sEXIT_RUNTIME=1 -sENVIRONMENT=node)
