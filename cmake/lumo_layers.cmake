# The layers of the program, each a library that may use only the ones below it:
#   lumo_store  the evaluation folder                   Qt Core
#   lumo_logic  grading and results                     + libxlsxwriter
#   lumo_app    the window, its pages, dialogs, form    + Qt Widgets
# Linking alone does not stop a header from reaching upwards, so every build also reads the
# includes of the lower layers and fails on one that names a folder above them, the
# generated form or a Qt header outside Qt Core.

find_path(LUMO_QTCORE_DIR QString PATHS ${Qt5Core_INCLUDE_DIRS} NO_DEFAULT_PATH REQUIRED)

# lumo_layer(TARGET FOLDERS dir... ALLOW dir...): TARGET's sources live in FOLDERS and may
# include project headers from ALLOW only.
function(lumo_layer target)
  cmake_parse_arguments(arg "" "" "FOLDERS;ALLOW" ${ARGN})
  add_custom_target(${target}_layer_check
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} "-DFOLDERS=${arg_FOLDERS}"
            "-DALLOW=${arg_ALLOW}" -DQTCORE=${LUMO_QTCORE_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake
    COMMENT "Checking the includes of ${target}" VERBATIM)
  add_dependencies(${target} ${target}_layer_check)
endfunction()
