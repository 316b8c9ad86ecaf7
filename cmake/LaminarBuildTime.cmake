# Measures that shorten a build and a test run and change no behaviour.
#
# Precompiled headers: the large standard, Qt and GoogleTest headers most
# files of a target include are parsed once per target instead of once per
# file. ccache cannot reuse compilations that read a precompiled header
# without settings of its own, so a tree built through a compiler launcher
# leaves them off by default.
if(CMAKE_CXX_COMPILER_LAUNCHER)
  set(laminar_pch_default OFF)
else()
  set(laminar_pch_default ON)
endif()
option(LAMINAR_PCH "Precompile the standard, Qt and GoogleTest headers" ${laminar_pch_default})

set(LAMINAR_PCH_STD <algorithm> <array> <cmath> <cstdint> <cstring> <functional> <memory> <optional>
                    <span> <string> <string_view> <vector>)
set(LAMINAR_PCH_QT <QApplication> <QCheckBox> <QComboBox> <QKeyEvent> <QLabel> <QLineEdit> <QListWidget> <QMouseEvent>
                   <QPainter> <QPointer> <QPushButton> <QString> <QTimer> <QWidget>)

# laminar_precompile(TARGET header...): TARGET's files see these headers
# precompiled.
function(laminar_precompile target)
  if(LAMINAR_PCH)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()

# laminar_test_code(TARGET header...): a target of test code, which needs
# neither the optimiser nor the sanitizers' instrumentation: the product code
# it drives is built as shipped, or instrumented in the sanitizer tree, where
# the runtime is linked in and its allocator guards all heap memory, the
# tests' too. This about halves the test code's compile time. Tests that hand
# hostile data to the product from their own stack buffers stay instrumented:
# laminar_instrumented_tests below.
function(laminar_test_code target)
  if(LAMINAR_SANITIZE)
    target_compile_options(${target} PRIVATE -fno-sanitize=all)
  else()
    target_compile_options(${target} PRIVATE -O0)
  endif()
  laminar_precompile(${target} ${ARGN})
endfunction()

# laminar_instrumented_tests(file...): test files of the current directory's
# targets that are compiled under the sanitizers after all.
function(laminar_instrumented_tests)
  if(LAMINAR_SANITIZE)
    # A precompiled header made without the sanitizers does not fit them.
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS "${LAMINAR_SANITIZE_FLAGS}"
                                SKIP_PRECOMPILE_HEADERS ON)
  endif()
endfunction()

# laminar_gtests(TARGET PREFIX environment...): TARGET's GoogleTest cases as
# CTest tests. The normal tree runs each case in a process of its own, named
# in CTest's output. In the sanitizer tree, where starting an instrumented
# process costs more than most cases, each binary runs whole, in two shards
# that run side by side.
include(GoogleTest)
function(laminar_gtests target prefix)
  if(LAMINAR_SANITIZE)
    foreach(shard 0 1)
      add_test(NAME ${prefix}${target}.shard${shard} COMMAND ${target} --gtest_brief=1)
      set_tests_properties(${prefix}${target}.shard${shard} PROPERTIES
        ENVIRONMENT "${ARGN};GTEST_TOTAL_SHARDS=2;GTEST_SHARD_INDEX=${shard}")
    endforeach()
  else()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST TEST_PREFIX "${prefix}"
      PROPERTIES ENVIRONMENT "${ARGN}")
  endif()
endfunction()
