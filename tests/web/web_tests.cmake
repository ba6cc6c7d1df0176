# The web build's tests: the portable suites under Node.js, and the real
# page in headless Chromium.
foreach(suite quobbin_tests sorvel_tests)
  # The file tests work on the build machine's own files; the program
  # carries its wasm inside, so no Node.js tries to fetch it.
  target_link_options(${suite} PRIVATE -sNODERAWFS -sALLOW_MEMORY_GROWTH -sEXIT_RUNTIME -sENVIRONMENT=node -sSINGLE_FILE)
endforeach()
# Left out: the start-ups through the POSIX single-instance claim, whose
# listener thread a build without threads cannot start (the page's
# start-up is the end-to-end test's).
set(QUOBBIN_WEB_LEFT_OUT "Startup.TheLogoHolds*:Startup.TheLeftoversOfKilledSaves*:Startup.ADisplayThatCannot*")
gtest_discover_tests(quobbin_tests DISCOVERY_TIMEOUT 120 TEST_FILTER "-${QUOBBIN_WEB_LEFT_OUT}")
gtest_discover_tests(sorvel_tests DISCOVERY_TIMEOUT 120)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/one-process)
add_test(NAME quobbin_tests_in_one_process COMMAND quobbin_tests --gtest_filter=-${QUOBBIN_WEB_LEFT_OUT} --gtest_brief=1
  WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/one-process)
add_test(NAME sorvel_tests_in_one_process COMMAND sorvel_tests --gtest_brief=1)
set_tests_properties(quobbin_tests_in_one_process sorvel_tests_in_one_process PROPERTIES LABELS slow)

# The page itself in Debian's Chromium, driven by puppeteer-core from
# tests/web (npm ci there first). It times the start-up, so it runs alone.
find_program(QUOBBIN_CHROMIUM chromium)
if(QUOBBIN_CHROMIUM AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/web/node_modules/puppeteer-core)
  add_test(NAME web_e2e COMMAND node ${CMAKE_CURRENT_SOURCE_DIR}/web/e2e.mjs ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/docs/shots)
  set_tests_properties(web_e2e PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE LABELS slow)
else()
  message(STATUS "chromium or tests/web/node_modules missing: the page's end-to-end test is left out")
endif()
