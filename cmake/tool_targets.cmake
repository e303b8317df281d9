# The shape every generator in tools/ shares: a library of its sources (which the unit tests link
# too) and a program from main.cpp, in C++20 with the project's warning flags. Read by each tool's
# CMakeLists, in the project tree and when the tool is built on its own as a host tool.
if(NOT COMMAND pelmor_warnings)
  include(${CMAKE_CURRENT_LIST_DIR}/warnings.cmake)
endif()

# pelmor_tool(LIBRARY PROGRAM SOURCES...): the library from SOURCES, the program from main.cpp.
function(pelmor_tool library program)
  add_library(${library} STATIC ${ARGN})
  target_include_directories(${library} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_features(${library} PUBLIC cxx_std_20)
  add_executable(${program} main.cpp)
  target_link_libraries(${program} PRIVATE ${library})
  set_target_properties(${library} ${program} PROPERTIES CXX_EXTENSIONS OFF)
  pelmor_warnings(${library})
  pelmor_warnings(${program})
endfunction()
