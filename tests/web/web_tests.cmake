# The web build's tests: the portable suites under Node.js, and the real
# page in headless Chromium.
foreach(suite quobbin_tests sorvel_tests)
  # The file tests work on the build machine's own files.
  target_link_options(${suite} PRIVATE -sNODERAWFS -sALLOW_MEMORY_GROWTH -sEXIT_RUNTIME -sENVIRONMENT=node)
endforeach()
gtest_discover_tests(quobbin_tests DISCOVERY_TIMEOUT 120 TEST_FILTER "-Soak.*")
gtest_discover_tests(sorvel_tests DISCOVERY_TIMEOUT 120)
