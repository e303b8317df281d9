# Warning flags shared by both build trees.
function(pelmor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    # Layouts name only the fields that differ from the defaults.
    -Wno-missing-field-initializers)
endfunction()
