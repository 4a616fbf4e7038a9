# The quick finder's editing area is a QScintilla editor; its dictionary picker is the main
# program's catalogue picker in its quick-finder mode.
find_library(VERBALO_QSCINTILLA qscintilla2_qt6 REQUIRED)
target_link_libraries(verbalo_quickfinder PUBLIC ${VERBALO_QSCINTILLA} verbalo_main)
