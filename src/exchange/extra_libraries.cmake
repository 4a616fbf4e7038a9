# The word-pair import shows its file in a QScintilla editor.
find_library(QSCINTILLA_QT6_LIBRARY NAMES qscintilla2_qt6 REQUIRED)
find_path(QSCINTILLA_QT6_INCLUDE_DIR NAMES Qsci/qsciscintilla.h PATHS /usr/include/x86_64-linux-gnu/qt6 REQUIRED)
target_link_libraries(verbalo_${area} PUBLIC ${QSCINTILLA_QT6_LIBRARY})
target_include_directories(verbalo_${area} PUBLIC ${QSCINTILLA_QT6_INCLUDE_DIR})
