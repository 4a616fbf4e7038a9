# How the build states the layers. Every library and executable of the project is made
# through these functions: each names its sources one by one and links exactly the libraries
# it uses. They also record each target's sources and links, from which check_layers.py (run at
# every build) fails the build when a file includes a header of a library its target does not
# link, and when windowless code (src/common, any logic/ folder) uses Qt's Gui or Widgets.

set_property(GLOBAL PROPERTY VERBALO_LAYER_TARGETS "")

function(verbalo_record_target name)
  set_property(GLOBAL APPEND PROPERTY VERBALO_LAYER_TARGETS ${name})
endfunction()

# verbalo_library(NAME SOURCES file... [LINKS lib...] [PRIVATE_LINKS lib...])
# LINKS are the libraries the library's own headers use (they reach whoever links it);
# PRIVATE_LINKS are used by its sources alone.
function(verbalo_library name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LINKS;PRIVATE_LINKS")
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_LINKS} PRIVATE ${ARG_PRIVATE_LINKS})
  verbalo_record_target(${name})
endfunction()

# verbalo_executable(NAME SOURCES file... LINKS lib...)
function(verbalo_executable name)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LINKS")
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
  verbalo_record_target(${name})
endfunction()

# Writes the recorded targets for check_layers.py and adds the check to every build.
function(verbalo_layer_check)
  get_property(targets GLOBAL PROPERTY VERBALO_LAYER_TARGETS)
  set(manifest "")
  foreach(t ${targets})
    get_target_property(dir ${t} SOURCE_DIR)
    get_target_property(sources ${t} SOURCES)
    get_target_property(links ${t} LINK_LIBRARIES)
    get_target_property(interface ${t} INTERFACE_LINK_LIBRARIES)
    foreach(v links interface)
      if(NOT ${v})
        set(${v} "")
      endif()
    endforeach()
    set(absolute "")
    foreach(s ${sources})
      get_filename_component(a ${s} ABSOLUTE BASE_DIR ${dir})
      list(APPEND absolute ${a})
    endforeach()
    string(APPEND manifest "${t}\t${absolute}\t${links}\t${interface}\n")
  endforeach()
  set(manifest_file ${CMAKE_BINARY_DIR}/layers.tsv)
  file(WRITE ${manifest_file} "${manifest}")
  get_target_property(gui_dirs Qt6::Gui INTERFACE_INCLUDE_DIRECTORIES)
  get_target_property(widget_dirs Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
  get_target_property(print_dirs Qt6::PrintSupport INTERFACE_INCLUDE_DIRECTORIES)
  set(stamp ${CMAKE_BINARY_DIR}/layers.checked)
  set(all_sources "")
  foreach(t ${targets})
    get_target_property(dir ${t} SOURCE_DIR)
    get_target_property(sources ${t} SOURCES)
    foreach(s ${sources})
      get_filename_component(a ${s} ABSOLUTE BASE_DIR ${dir})
      list(APPEND all_sources ${a})
    endforeach()
  endforeach()
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_custom_command(OUTPUT ${stamp}
    COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/scripts/check_layers.py ${manifest_file}
            --src ${PROJECT_SOURCE_DIR} --gui-include "${gui_dirs};${widget_dirs};${print_dirs}"
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${manifest_file} ${all_sources} ${PROJECT_SOURCE_DIR}/scripts/check_layers.py
    COMMENT "Checking that every file includes only what its target links" VERBATIM)
  add_custom_target(verbalo_layer_check ALL DEPENDS ${stamp})
endfunction()
