# Finds QScintilla for Qt 6 (Debian: libqscintilla2-qt6-dev) and provides QScintilla::QScintilla.
# The headers lie in Qt's own include folder, so that folder is searched first.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
get_target_property(_qsci_qt_includes Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
set(_qsci_hints "")
foreach(dir ${_qsci_qt_includes})
  list(APPEND _qsci_hints ${dir} ${dir}/..)
endforeach()
find_path(QScintilla_INCLUDE_DIR NAMES Qsci/qsciscintilla.h HINTS ${_qsci_hints})
find_library(QScintilla_LIBRARY NAMES qscintilla2_qt6)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(QScintilla REQUIRED_VARS QScintilla_LIBRARY QScintilla_INCLUDE_DIR)

if(QScintilla_FOUND AND NOT TARGET QScintilla::QScintilla)
  add_library(QScintilla::QScintilla UNKNOWN IMPORTED)
  set_target_properties(QScintilla::QScintilla PROPERTIES
    IMPORTED_LOCATION ${QScintilla_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${QScintilla_INCLUDE_DIR}
    INTERFACE_LINK_LIBRARIES Qt6::Widgets)
endif()
mark_as_advanced(QScintilla_INCLUDE_DIR QScintilla_LIBRARY)
