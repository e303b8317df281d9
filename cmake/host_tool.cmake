# Programs that make the program's pictures and documents at build time are built for the
# machine that runs the build (in a cross build, with the host's compiler) as projects of their own.
include_guard(GLOBAL)
include(ExternalProject)

# pelmor_host_tool(NAME SOURCE_DIR EXECUTABLE): builds tools/SOURCE_DIR as the external project
# NAME_host and sets ${NAME}_EXE to the path of its program EXECUTABLE.
function(pelmor_host_tool name source_dir executable)
  if(CMAKE_HOST_WIN32)
    set(exe ${CMAKE_BINARY_DIR}/${name}-host/${executable}.exe)
  else()
    set(exe ${CMAKE_BINARY_DIR}/${name}-host/${executable})
  endif()
  ExternalProject_Add(${name}_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/${source_dir}
    BINARY_DIR ${CMAKE_BINARY_DIR}/${name}-host
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
    BUILD_BYPRODUCTS ${exe}
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
  )
  set(${name}_EXE ${exe} PARENT_SCOPE)
endfunction()
