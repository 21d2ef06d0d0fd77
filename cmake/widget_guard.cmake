# SPDX-License-Identifier: GPL-3.0-or-later
# The core libraries and the command-line tool never use widgets, and the
# build proves it. Their compiler sees a private include folder first that
# shadows every header of Qt's widget modules and every header of zonari_gui
# with a file holding only an #error, so that any of these includes stops the
# build, whichever include folder would otherwise have found it.

set(ZONARI_WIDGET_GUARD_DIR ${PROJECT_BINARY_DIR}/widget_guard)

# Puts the guard in front of a core target's include folders.
function(zonari_keep_off_widgets target)
  target_include_directories(${target} BEFORE PRIVATE ${ZONARI_WIDGET_GUARD_DIR})
endfunction()

function(zonari_write_guard_header name)
  file(WRITE ${ZONARI_WIDGET_GUARD_DIR}/${name}
       "#error \"${name} is a widget header: the core and the command-line tool must not use widgets\"\n")
endfunction()

# Writes the guard headers. Call once every source of zonari_gui is known.
function(zonari_write_widget_guard)
  file(REMOVE_RECURSE ${ZONARI_WIDGET_GUARD_DIR})
  file(MAKE_DIRECTORY ${ZONARI_WIDGET_GUARD_DIR})

  # Qt's include root is the folder that holds QtWidgets.
  get_target_property(qt_dirs Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
  foreach(dir IN LISTS qt_dirs)
    get_filename_component(leaf ${dir} NAME)
    if(leaf STREQUAL "QtWidgets")
      get_filename_component(qt_root ${dir} DIRECTORY)
    endif()
  endforeach()
  if(NOT qt_root)
    message(FATAL_ERROR "Qt's include root was not found among ${qt_dirs}")
  endif()

  # <QtWidgets/QWidget> and the like, reached through Qt's include root; and
  # <QWidget>, unless another Qt module offers a header of that name too
  # (QtGui has its own qaction.h, for one) or it names the module's folder.
  file(GLOB widget_modules LIST_DIRECTORIES true RELATIVE ${qt_root} ${qt_root}/*Widgets)
  file(GLOB other_headers LIST_DIRECTORIES false RELATIVE ${qt_root} ${qt_root}/*/*)
  list(FILTER other_headers EXCLUDE REGEX "^[^/]*Widgets/")
  list(TRANSFORM other_headers REPLACE "^[^/]*/" "")
  foreach(module IN LISTS widget_modules)
    file(GLOB_RECURSE headers LIST_DIRECTORIES false RELATIVE ${qt_root} ${qt_root}/${module}/*)
    foreach(header IN LISTS headers)
      zonari_write_guard_header(${header})
      string(REGEX REPLACE "^${module}/" "" flat ${header})
      if(NOT flat MATCHES "/")
        list(APPEND flat_headers ${flat})
      endif()
    endforeach()
  endforeach()
  foreach(flat IN LISTS flat_headers)
    if(NOT flat IN_LIST other_headers AND NOT flat IN_LIST widget_modules)
      zonari_write_guard_header(${flat})
    endif()
  endforeach()

  # "app/desktop.h" and the other headers of the editor, keyed as the core
  # would include them: by their path below src/. (A quote include beside the
  # including file is found before any include folder; the editor's headers
  # that a core folder holds, canvas/canvas.h, include widget headers.)
  get_target_property(gui_sources zonari_gui SOURCES)
  get_target_property(gui_dir zonari_gui SOURCE_DIR)
  foreach(source IN LISTS gui_sources)
    if(source MATCHES "\\.h$")
      cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${gui_dir})
      cmake_path(RELATIVE_PATH source BASE_DIRECTORY ${PROJECT_SOURCE_DIR}/src)
      zonari_write_guard_header(${source})
    endif()
  endforeach()
endfunction()
