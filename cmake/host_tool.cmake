# quobbin_host_tool(<name> SOURCES <file>... [LIBRARIES <target>...])
#
# A program that runs on the build machine while the game is built or
# tested: the resource embedder, and in the Windows build the readers of
# Best.dat and of the sound capture. In a native build it is an executable
# like any other, linked with the libraries. In a cross build it is compiled
# with the build machine's own compiler from its sources and those of the
# libraries (and of the libraries they link), since the cross compiler's
# programs do not run here. Either way the target <name> builds it and
# ${<name>_COMMAND} (set in the caller's scope) runs it.
function(quobbin_host_tool name)
  cmake_parse_arguments(PARSE_ARGV 1 tool "" "" "SOURCES;LIBRARIES")
  if(NOT CMAKE_CROSSCOMPILING)
    add_executable(${name} ${tool_SOURCES})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${tool_LIBRARIES})
    set(${name}_COMMAND ${name} PARENT_SCOPE)
    return()
  endif()

  set(sources)
  foreach(source IN LISTS tool_SOURCES)
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND sources ${source})
  endforeach()
  set(libraries ${tool_LIBRARIES})
  while(libraries)
    list(POP_FRONT libraries library)
    get_target_property(dir ${library} SOURCE_DIR)
    get_target_property(library_sources ${library} SOURCES)
    foreach(source IN LISTS library_sources)
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
      list(APPEND sources ${source})
    endforeach()
    get_target_property(linked ${library} LINK_LIBRARIES)
    foreach(other IN LISTS linked)
      if(TARGET ${other})
        list(APPEND libraries ${other})
      endif()
    endforeach()
  endwhile()
  list(REMOVE_DUPLICATES sources)

  find_program(QUOBBIN_HOST_CXX NAMES c++ g++ REQUIRED)
  set(tool ${CMAKE_BINARY_DIR}/host/${name})
  add_custom_command(
    OUTPUT ${tool}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/host
    COMMAND ${QUOBBIN_HOST_CXX} -std=c++${CMAKE_CXX_STANDARD} -O2 -I${PROJECT_SOURCE_DIR} ${sources} -o ${tool}
    DEPENDS ${sources}
    COMMENT "Building ${name} for the build machine"
    VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${tool})
  set(${name}_COMMAND ${tool} PARENT_SCOPE)
endfunction()
