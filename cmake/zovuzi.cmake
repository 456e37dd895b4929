# Shared compile settings for the project's own targets.
set(ZOVUZI_WARNINGS -Wall -Wextra -Werror -Wno-unused-parameter)
# GCC 12's optimiser reports false hits of these inside libstdc++'s string and
# algorithm code; they stay warnings in optimised builds.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  foreach(w restrict maybe-uninitialized stringop-overflow stringop-overread array-bounds)
    list(APPEND ZOVUZI_WARNINGS $<$<NOT:$<CONFIG:Debug>>:-Wno-error=${w}>)
  endforeach()
endif()

if(ZOVUZI_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing builds instrument all of our code for coverage, not only the targets.
if(ZOVUZI_LIBFUZZER)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# zovuzi_target_defaults(<target>): warnings-as-errors for our own code.
function(zovuzi_target_defaults target)
  target_compile_options(${target} PRIVATE ${ZOVUZI_WARNINGS})
endfunction()

# zovuzi_sources(<out-var> <dir>): the .cpp files directly in <dir>.
function(zovuzi_sources out dir)
  file(GLOB files CONFIGURE_DEPENDS "${dir}/*.cpp")
  set(${out} ${files} PARENT_SCOPE)
endfunction()
