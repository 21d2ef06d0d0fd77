# The editor. Its plain parts, the zoom and scroll maths and the settings
# object, join zonari_core.
add_subdirectory(canvas)
add_subdirectory(dialogs)
