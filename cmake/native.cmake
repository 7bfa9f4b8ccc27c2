# The host-compiler build of the text code: the text libraries of each folder, their tests
# under the address and undefined-behaviour sanitizers, and the fuzz targets (clang only).
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "The native build needs clang: CXX=clang++ (scripts/native-test.sh)")
endif()
set(PANDRAKE_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -Wno-missing-field-initializers -g ${PANDRAKE_SANITIZE}
  -fsanitize=fuzzer-no-link)
add_link_options(${PANDRAKE_SANITIZE})

foreach(folder common terminal deploy charts duplicate app)
  add_subdirectory(${folder})
endforeach()

if(PANDRAKE_TESTS)
  enable_testing()
  add_subdirectory(tests/native)
  add_subdirectory(tests/fuzz)
endif()
