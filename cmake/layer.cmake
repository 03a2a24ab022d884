# lintaro_layer(NAME FOLDERS f1 f2 ... LINKS lib ...): a static library of the named folders
# below the calling layer's folder. Its headers are seen as "folder/file.h" by the layer
# itself and by whatever links it; nothing above it is on its include path.
function(lintaro_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "FOLDERS;LINKS")
  set(sources)
  foreach(folder IN LISTS arg_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
      ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND sources ${found})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${arg_LINKS})
endfunction()
