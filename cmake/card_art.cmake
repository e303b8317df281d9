# The built-in card pictures are drawn at build time by the card-art program, built for the
# machine that runs the build (in a cross build, with the host's compiler).
include(ExternalProject)

set(PELMOR_ART_DIR ${CMAKE_BINARY_DIR}/art)
if(CMAKE_HOST_WIN32)
  set(_cardart_exe ${CMAKE_BINARY_DIR}/cardart-host/pelmor-cardart.exe)
else()
  set(_cardart_exe ${CMAKE_BINARY_DIR}/cardart-host/pelmor-cardart)
endif()

ExternalProject_Add(cardart_host
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/cardart
  BINARY_DIR ${CMAKE_BINARY_DIR}/cardart-host
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  BUILD_BYPRODUCTS ${_cardart_exe}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
)

add_custom_command(
  OUTPUT ${PELMOR_ART_DIR}/art.stamp
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PELMOR_ART_DIR}
  COMMAND ${_cardart_exe} ${PELMOR_ART_DIR}
  COMMAND ${CMAKE_COMMAND} -E touch ${PELMOR_ART_DIR}/art.stamp
  DEPENDS cardart_host ${_cardart_exe}
  COMMENT "Drawing the card pictures"
)
add_custom_target(card_art DEPENDS ${PELMOR_ART_DIR}/art.stamp)
