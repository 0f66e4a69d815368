# The layers of the program, each a library that may use only the ones below it:
#   lumo_store        the evaluation folder                   Qt Core
#   lumo_logic        grading and results                     + libxlsxwriter
#   lumo_app          the window, its pages, dialogs, form    + Qt Widgets
#   lumo_report_core  the grade's report, beside lumo_app     Qt Core
# Linking alone does not stop a header from reaching across, since every library sees the
# source root, so every build also reads the includes of each layer and fails on one that
# names a project folder it may not use, the generated form below the window, or a Qt header
# outside Qt Core below the window.

set(LUMO_PROJECT_FOLDERS store grading results app ui report bench tests)
find_path(LUMO_QTCORE_DIR QString PATHS ${Qt5Core_INCLUDE_DIRS} NO_DEFAULT_PATH REQUIRED)

# lumo_layer(TARGET FOLDERS dir... ALLOW dir... [LOCAL header...] [QT_CORE_ONLY]): TARGET's
# sources live in FOLDERS and may include project headers from ALLOW only, and quoted
# headers beside no folder only when LOCAL lists them.
function(lumo_layer target)
  cmake_parse_arguments(arg "QT_CORE_ONLY" "" "FOLDERS;ALLOW;LOCAL" ${ARGN})
  add_custom_target(${target}_layer_check
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} "-DFOLDERS=${arg_FOLDERS}"
            "-DALLOW=${arg_ALLOW}" "-DLOCAL=${arg_LOCAL}" "-DPROJECT=${LUMO_PROJECT_FOLDERS}"
            -DQT_CORE_ONLY=${arg_QT_CORE_ONLY} -DQTCORE=${LUMO_QTCORE_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/check_layer.cmake
    COMMENT "Checking the includes of ${target}" VERBATIM)
  add_dependencies(${target} ${target}_layer_check)
endfunction()
