# Windows programs cross-built here run under Wine: ctest starts every test
# program through cmake/run-under-wine.sh with a Wine prefix of the build
# tree's own, so no test touches the user's ~/.wine.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(TAVRO_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/run-under-wine.sh
                                    ${TAVRO_WINE_PREFIX})
endif()

# Test output that people look at (the window's screenshot) goes to the
# build tree; Wine sees the Linux root as drive Z:.
set(TAVRO_TEST_OUTPUT_DIR ${CMAKE_BINARY_DIR}/test-output)
file(MAKE_DIRECTORY ${TAVRO_TEST_OUTPUT_DIR})
set(TAVRO_TEST_ENVIRONMENT
  "TAVRO_TEST_OUTPUT=Z:${TAVRO_TEST_OUTPUT_DIR}"
  "TAVRO_PROFILE_CORPUS=Z:${PROJECT_SOURCE_DIR}/tests/settings/corpus")
