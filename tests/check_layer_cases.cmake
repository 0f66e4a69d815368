cmake_minimum_required(VERSION 3.16)
# The layer rule on a tree of its own: every wrong-way include fails, named with its file,
# however it is written; a tree that keeps to its layers passes.
# Run as: cmake -DCHECKER=... -DWORK=... -DQTCORE=... -P check_layer_cases.cmake
set(project store grading results app ui report bench tests)

function(layer_check outcome_var)
  cmake_parse_arguments(arg "QT_CORE_ONLY" "" "FOLDERS;ALLOW;LOCAL" ${ARGN})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DROOT=${WORK} "-DFOLDERS=${arg_FOLDERS}" "-DALLOW=${arg_ALLOW}"
            "-DLOCAL=${arg_LOCAL}" "-DPROJECT=${project}" -DQT_CORE_ONLY=${arg_QT_CORE_ONLY}
            -DQTCORE=${QTCORE} -P ${CHECKER}
    RESULT_VARIABLE result ERROR_VARIABLE output)
  set(${outcome_var} "${result}|${output}" PARENT_SCOPE)
endfunction()

function(expect_refused expected)
  layer_check(outcome ${ARGN})
  if(outcome MATCHES "^0\\|" OR NOT outcome MATCHES "${expected}")
    message(FATAL_ERROR "expected a refusal naming '${expected}', got: ${outcome}")
  endif()
endfunction()

function(expect_passed)
  layer_check(outcome ${ARGN})
  if(NOT outcome MATCHES "^0\\|")
    message(FATAL_ERROR "expected the tree to pass, got: ${outcome}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(WRITE ${WORK}/store/good.cpp "#include \"store/good.h\"\n#include <QString>\n#include <vector>\n")
file(WRITE ${WORK}/app/good.cpp "#include \"store/good.h\"\n#include \"ui_lumo_test.h\"\n#include <QWidget>\n")
file(WRITE ${WORK}/report/good.cpp "#include <results/good.h>\n#include <QCoreApplication>\n")
expect_passed(FOLDERS store ALLOW store QT_CORE_ONLY)
expect_passed(FOLDERS app ALLOW store app ui LOCAL ui_lumo_test.h)
expect_passed(FOLDERS report ALLOW store results report QT_CORE_ONLY)

file(WRITE ${WORK}/store/bad.cpp "#include <app/lifecycle.h>\n")
expect_refused("store/bad.cpp: app/lifecycle.h" FOLDERS store ALLOW store QT_CORE_ONLY)
file(WRITE ${WORK}/store/bad.cpp "#  include \"ui_lumo_test.h\"\n")
expect_refused("store/bad.cpp: ui_lumo_test.h" FOLDERS store ALLOW store QT_CORE_ONLY)
file(WRITE ${WORK}/store/bad.cpp "#include <QWidget>\n")
expect_refused("store/bad.cpp: QWidget" FOLDERS store ALLOW store QT_CORE_ONLY)
file(REMOVE ${WORK}/store/bad.cpp)

file(WRITE ${WORK}/app/bad.cpp "#include \"report/grade_report.h\"\n")
expect_refused("app/bad.cpp: report/grade_report.h" FOLDERS app ALLOW store app ui LOCAL ui_lumo_test.h)
file(WRITE ${WORK}/app/bad.cpp "#include <bench/bench_main.h>\n")
expect_refused("app/bad.cpp: bench/bench_main.h" FOLDERS app ALLOW store app ui LOCAL ui_lumo_test.h)
file(WRITE ${WORK}/report/bad.cpp "#include <ui/dialogs.h>\n")
expect_refused("report/bad.cpp: ui/dialogs.h" FOLDERS report ALLOW store results report QT_CORE_ONLY)
file(REMOVE_RECURSE ${WORK})
