# Fuzzing build: with SITERESP_FUZZ=ON and clang, every target is compiled
# with coverage instrumentation for libFuzzer and with the address and
# undefined-behaviour sanitizers, and the harnesses of fuzz/ link libFuzzer.
# Configure with -DCMAKE_CXX_COMPILER=clang++.  Without the option, or with
# another compiler, the harnesses are plain programs that replay their
# corpora (fuzz/CMakeLists.txt).
option(SITERESP_FUZZ "Build the fuzz harnesses with libFuzzer (clang)" OFF)
set(SITERESP_LIBFUZZER OFF)
if(SITERESP_FUZZ)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(SITERESP_LIBFUZZER ON)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer -g)
    add_link_options(-fsanitize=address,undefined)
  else()
    message(WARNING "SITERESP_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++); "
                    "building the harnesses as replay programs")
  endif()
endif()
