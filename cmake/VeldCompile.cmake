# Compiler settings shared by every target of ours.

if(VELD_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "VELD_FUZZ needs clang (libFuzzer)")
endif()

if(VELD_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(VELD_FUZZ)
  # Coverage instrumentation everywhere, so the fuzzers see inside the libraries.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Warnings as errors on our own code only (not on third-party headers).
function(veld_target target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
endfunction()
