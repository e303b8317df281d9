# The built-in card pictures, the program icon, the about banner and the donation icons are drawn
# at build time by the card-art program, built for the machine that runs the build (in a cross
# build, with the host's compiler).
include(${CMAKE_CURRENT_LIST_DIR}/host_tool.cmake)

set(PELMOR_ART_DIR ${CMAKE_BINARY_DIR}/art)
pelmor_host_tool(cardart cardart pelmor-cardart _cardart_exe)

add_custom_command(
  OUTPUT ${PELMOR_ART_DIR}/art.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PELMOR_ART_DIR}
  COMMAND ${_cardart_exe} ${PELMOR_ART_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${PELMOR_ART_DIR}/art.stamp
  DEPENDS cardart_host ${_cardart_exe}
  COMMENT "Drawing the card pictures"
)
add_custom_target(card_art DEPENDS ${PELMOR_ART_DIR}/art.stamp)
