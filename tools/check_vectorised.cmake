# Compiles a source at -O3 and fails unless every loop marked "// vectorised" in it is reported
# vectorised by the compiler. Arguments: -DCOMPILER=... -DSOURCE=... -DINCLUDE=...
file(STRINGS ${SOURCE} lines)
set(number 0)
set(expected)
foreach(line IN LISTS lines)
  math(EXPR number "${number} + 1")
  if(line MATCHES "// vectorised")
    list(APPEND expected ${number})
  endif()
endforeach()
if(NOT expected)
  message(FATAL_ERROR "no loop in ${SOURCE} is marked // vectorised")
endif()
execute_process(
  COMMAND ${COMPILER} -std=c++20 -O3 -I${INCLUDE} -fopt-info-vec-optimized -c ${SOURCE}
          -o /dev/null
  ERROR_VARIABLE report OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "compile failed: ${report}")
endif()
get_filename_component(name ${SOURCE} NAME)
foreach(n IN LISTS expected)
  if(NOT report MATCHES "${name}:${n}:[0-9]+: optimized: loop vectorized")
    message(FATAL_ERROR "${name}:${n}: the loop marked vectorised was not vectorised\n${report}")
  endif()
  message(STATUS "${name}:${n} vectorised")
endforeach()
