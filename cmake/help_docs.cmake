# The two help documents are made at build time from the one source of the rules.
include(${CMAKE_CURRENT_LIST_DIR}/host_tool.cmake)

set(PELMOR_HELP_DIR ${CMAKE_BINARY_DIR}/help)
set(PELMOR_RULES ${PROJECT_SOURCE_DIR}/resources/help/rules.txt)
pelmor_host_tool(helpdoc helpdoc pelmor-helpdoc _helpdoc_exe)

add_custom_command(
  OUTPUT ${PELMOR_HELP_DIR}/pelmor16.wri ${PELMOR_HELP_DIR}/pelmor16.htm
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PELMOR_HELP_DIR}
  COMMAND ${_helpdoc_exe} ${PELMOR_RULES} ${PELMOR_HELP_DIR}
  DEPENDS helpdoc_host ${_helpdoc_exe} ${PELMOR_RULES}
  COMMENT "Writing the help documents"
)
add_custom_target(help_docs DEPENDS ${PELMOR_HELP_DIR}/pelmor16.wri ${PELMOR_HELP_DIR}/pelmor16.htm)
