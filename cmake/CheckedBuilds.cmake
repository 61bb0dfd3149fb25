# Builds that look for faults the normal build cannot see.
#
# QV_SANITIZE: everything built with AddressSanitizer and UndefinedBehaviorSanitizer
# (GCC or clang); undefined behaviour stops the program, so a test that meets
# it fails. Used in a build folder of its own, e.g.
#   cmake -S . -B build-asan -G Ninja -DQV_SANITIZE=ON && cmake --build build-asan --target qvcore_tests
#
# QV_FUZZ: the libFuzzer targets in fuzz/ (clang only), with the library
# instrumented for coverage and built with the same sanitizers.
option(QV_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QV_FUZZ "Build the libFuzzer targets of fuzz/ (needs clang)" OFF)

set(QV_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined
                       -fno-omit-frame-pointer)

if(QV_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "QV_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++-14")
  endif()
  add_compile_options(${QV_SANITIZER_FLAGS} -fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=address,undefined)
elseif(QV_SANITIZE)
  add_compile_options(${QV_SANITIZER_FLAGS})
  add_link_options(-fsanitize=address,undefined)
endif()
