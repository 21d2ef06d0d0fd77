# SPDX-License-Identifier: GPL-3.0-or-later
# zonari_gui: the editor on Qt Widgets, above the core. The zoom and scroll
# maths and the settings object are plain code and join zonari_core.
add_library(zonari_gui STATIC)
target_include_directories(zonari_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(zonari_gui PUBLIC zonari_core Qt6::Widgets Qt6::Svg PRIVATE zonari_warnings)
target_compile_definitions(zonari_gui PUBLIC ZONARI_VERSION="${PROJECT_VERSION}")

add_subdirectory(canvas)
add_subdirectory(dialogs)
add_subdirectory(app)

# Pictures are read by src/pictures when it is part of the tree; its open
# dialog is a widget and belongs here.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/pictures/CMakeLists.txt)
  target_sources(zonari_gui PRIVATE
    app/form1_picture.cpp
    pictures/open_file_dialog.h pictures/open_file_dialog.cpp
  )
  target_link_libraries(zonari_gui PUBLIC zonari_pictures PRIVATE Qt6::Concurrent)
endif()
