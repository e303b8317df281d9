# The game's sounds are synthesised at build time by the sound program, built for the machine
# that runs the build, and put with the files a game folder holds beside Pelmor.exe (bin/game-files).
include(${CMAKE_CURRENT_LIST_DIR}/host_tool.cmake)

pelmor_host_tool(sounds sounds pelmor-sounds _sounds_exe)

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
