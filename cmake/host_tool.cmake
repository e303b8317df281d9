# A program of ours from tools/ built for the machine that runs the build (in a cross build, with
# the host's compiler), so the build can run it to make pictures and sounds.
include(ExternalProject)

# Adds the target <name>_host building tools/<dir>; sets <out_var> to the program's path.
function(pelmor_host_tool name dir program out_var)
  if(CMAKE_HOST_WIN32)
    set(exe ${CMAKE_BINARY_DIR}/${name}-host/${program}.exe)
  else()
    set(exe ${CMAKE_BINARY_DIR}/${name}-host/${program})
  endif()
  ExternalProject_Add(${name}_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/${dir}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${name}-host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_BYPRODUCTS ${exe}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
  )
  set(${out_var} ${exe} PARENT_SCOPE)
endfunction()
