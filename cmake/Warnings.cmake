# Warnings for the project's own targets. Whether they are fatal is the
# preset's choice (CMAKE_COMPILE_WARNING_AS_ERROR), so the same flags serve
# every compiler.
function(tavro_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 /permissive-)
  else()
    target_compile_options(${target} PRIVATE
      -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion
      -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough)
  endif()
endfunction()
