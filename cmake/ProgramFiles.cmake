# The files that lie beside the programs (icons under Ico/, the help page under Help/): copied
# next to the built executables, and installed together with the programs and a desktop entry
# for each.
include(GNUInstallDirs)

file(GLOB VERBALO_ICON_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Ico/*.ico)
file(GLOB VERBALO_HELP_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Help/*)

set(VERBALO_PROGRAM_FILE_OUTPUTS)
foreach(source ${VERBALO_ICON_FILES} ${VERBALO_HELP_FILES})
  file(RELATIVE_PATH relative ${CMAKE_SOURCE_DIR} ${source})
  set(target_file ${VERBALO_BIN_DIR}/${relative})
  add_custom_command(OUTPUT ${target_file}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${target_file}
    DEPENDS ${source}
    COMMENT "Placing ${relative} beside the programs" VERBATIM)
  list(APPEND VERBALO_PROGRAM_FILE_OUTPUTS ${target_file})
endforeach()
add_custom_target(verbalo_program_files ALL DEPENDS ${VERBALO_PROGRAM_FILE_OUTPUTS})

# Installed layout: the programs with Ico/ and Help/ in one folder of their own (the programs
# look for these beside themselves), links to the programs in bin/, desktop entries and icons
# where the desktop finds them. Paths under the prefix are worked out when installing, so that
# "cmake --install --prefix" and DESTDIR both hold.
set(VERBALO_INSTALL_SUBDIR ${CMAKE_INSTALL_LIBDIR}/verbalo)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Ico/ DESTINATION ${VERBALO_INSTALL_SUBDIR}/Ico FILES_MATCHING PATTERN "*.ico")
install(DIRECTORY ${CMAKE_SOURCE_DIR}/Help/ DESTINATION ${VERBALO_INSTALL_SUBDIR}/Help)

foreach(program Verbalo9 Quickor verbalo-cli)
  if(TARGET ${program})
    add_dependencies(${program} verbalo_program_files)
    install(TARGETS ${program} RUNTIME DESTINATION ${VERBALO_INSTALL_SUBDIR})
    install(CODE "
      set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
      get_filename_component(folder \"\${link}\" DIRECTORY)
      file(MAKE_DIRECTORY \"\${folder}\")
      file(REMOVE \"\${link}\")
      file(CREATE_LINK \"\${CMAKE_INSTALL_PREFIX}/${VERBALO_INSTALL_SUBDIR}/${program}\" \"\${link}\" SYMBOLIC)
      message(STATUS \"Linking: \${link}\")")
  endif()
endforeach()

foreach(program Verbalo9 Quickor)
  if(TARGET ${program})
    string(TOLOWER ${program} entry)
    install(CODE "
      set(VERBALO_INSTALLED_DIR \"\${CMAKE_INSTALL_PREFIX}/${VERBALO_INSTALL_SUBDIR}\")
      set(desktop \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${entry}.desktop\")
      configure_file(\"${CMAKE_SOURCE_DIR}/cmake/${entry}.desktop.in\" \"\${desktop}\" @ONLY)
      message(STATUS \"Installing: \${desktop}\")")
    install(FILES ${CMAKE_SOURCE_DIR}/Ico/${entry}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps RENAME ${entry}.png)
  endif()
endforeach()

# The demo data generator that scripts/run uses.
add_subdirectory(${CMAKE_SOURCE_DIR}/tools ${CMAKE_BINARY_DIR}/tools)
