# The game's sounds are synthesised at build time by the sound program, built for the machine
# that runs the build, and put with the files a game folder holds beside Pelmor.exe (bin/game-files).
include(ExternalProject)

if(CMAKE_HOST_WIN32)
  set(_sounds_exe ${CMAKE_BINARY_DIR}/sounds-host/pelmor-sounds.exe)
else()
  set(_sounds_exe ${CMAKE_BINARY_DIR}/sounds-host/pelmor-sounds)
endif()

ExternalProject_Add(sounds_host
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/sounds
  BINARY_DIR ${CMAKE_BINARY_DIR}/sounds-host
  CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release
  BUILD_BYPRODUCTS ${_sounds_exe}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
)

set(PELMOR_SOUND_FILES ${CMAKE_BINARY_DIR}/bin/game-files/lose.wav ${CMAKE_BINARY_DIR}/bin/game-files/winner.wav
  ${CMAKE_BINARY_DIR}/bin/game-files/ticktock.wav)
add_custom_command(
  OUTPUT ${PELMOR_SOUND_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/bin/game-files
  COMMAND ${_sounds_exe} ${CMAKE_BINARY_DIR}/bin/game-files
  DEPENDS sounds_host ${_sounds_exe}
  COMMENT "Making the sounds"
)
add_custom_target(sounds ALL DEPENDS ${PELMOR_SOUND_FILES})
