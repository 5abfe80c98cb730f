# Cross build: the programs that ship in dist/ and the tests run under Wine.
enable_language(RC)
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
# The oldest Windows we ship for is XP SP3: anything newer is looked up at run time.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0501 WINVER=0x0501 _WIN32_IE=0x0600)
# Nothing but Windows' own DLLs may be needed beside the programs.
add_link_options(-static -static-libgcc -static-libstdc++)
# The manifest names the build's own architecture: a 64-bit program whose
# manifest says x86 loses its whole activation context (common controls 6 and
# the registration-free task component).
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(REVEILO_MANIFEST_ARCH amd64)
  set(REVEILO_WINE_ARCH win64)
else()
  set(REVEILO_MANIFEST_ARCH x86)
  set(REVEILO_WINE_ARCH win32)
endif()
configure_file(${CMAKE_SOURCE_DIR}/res/reveilo.manifest.in ${CMAKE_BINARY_DIR}/generated/reveilo.manifest @ONLY)
string(APPEND CMAKE_RC_FLAGS " -I${CMAKE_BINARY_DIR}/generated")

# Test programs need GoogleTest, and so the posix-thread compilers.
set(REVEILO_POSIX_THREADS ${CMAKE_SOURCE_DIR}/cmake/posix-threads.sh)
function(reveilo_posix_threads)
  set_target_properties(${ARGN} PROPERTIES C_COMPILER_LAUNCHER ${REVEILO_POSIX_THREADS}
                        CXX_COMPILER_LAUNCHER ${REVEILO_POSIX_THREADS}
                        C_LINKER_LAUNCHER ${REVEILO_POSIX_THREADS}
                        CXX_LINKER_LAUNCHER ${REVEILO_POSIX_THREADS})
endfunction()

set(REVEILO_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(REVEILO_WINE_BENCH ${CMAKE_SOURCE_DIR}/cmake/wine-bench.sh)
set(REVEILO_WINE_ROOT ${CMAKE_BINARY_DIR}/wine)

add_library(reveilo_win STATIC
  platform/ansi_text_win.cpp
  platform/os_version_win.cpp
  platform/program_folder_win.cpp
  platform/message_pump_win.cpp
  platform/local_time_win.cpp
  platform/system_library_win.cpp
  platform/window_layout_win.cpp
  power/readiness_win.cpp
  settings/settings_win.cpp
  wake_job/account_check_win.cpp
  wake_job/schedule_win.cpp
  wake_job/task_tree_win.cpp
  settings/wake_log_win.cpp
)
target_link_libraries(reveilo_win PUBLIC reveilo_core ole32 oleaut32 uuid)
reveilo_warnings(reveilo_win)

# What ships is small: unused code dropped, symbols stripped.
add_compile_options(-ffunction-sections -fdata-sections)
# An object, not an archive member: it must replace the library's handler
# even though nothing of ours refers to it.
add_library(reveilo_small_runtime OBJECT platform/small_runtime_win.cpp)

function(reveilo_ship target)
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:reveilo_small_runtime>)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${REVEILO_DIST_DIR}
                                             LIBRARY_OUTPUT_DIRECTORY ${REVEILO_DIST_DIR})
  target_link_options(${target} PRIVATE -s -Wl,--gc-sections)
endfunction()

# wine_test(NAME name VERSION winxp TARGET target [TIMEOUT s] [FOLDER dir] [DPI n] [UIFONT face] [HIGH_CONTRAST]
#           [ENV K=V...] [COPY files...] [ARGS ...])
function(wine_test)
  cmake_parse_arguments(W "HIGH_CONTRAST" "NAME;VERSION;TARGET;TIMEOUT;FOLDER;DPI;UIFONT" "ENV;COPY;ARGS" ${ARGN})
  if(NOT W_TIMEOUT)
    set(W_TIMEOUT 120)
  endif()
  set(bench_args --arch ${REVEILO_WINE_ARCH} --version ${W_VERSION} --timeout ${W_TIMEOUT})
  if(W_DPI)
    list(APPEND bench_args --dpi ${W_DPI})
  endif()
  if(W_FOLDER)
    list(APPEND bench_args --folder ${W_FOLDER})
  endif()
  if(W_UIFONT)
    list(APPEND bench_args --ui-font ${W_UIFONT})
  endif()
  if(W_HIGH_CONTRAST)
    list(APPEND bench_args --high-contrast)
  endif()
  foreach(e IN LISTS W_ENV)
    list(APPEND bench_args --env ${e})
  endforeach()
  foreach(c IN LISTS W_COPY)
    list(APPEND bench_args --copy ${c})
  endforeach()
  add_test(NAME ${W_NAME}
           COMMAND ${REVEILO_WINE_BENCH} ${bench_args} -- $<TARGET_FILE:${W_TARGET}> ${W_ARGS})
  math(EXPR ctest_timeout "${W_TIMEOUT} + 60")
  set_tests_properties(${W_NAME} PROPERTIES TIMEOUT ${ctest_timeout} LABELS wine
                       ENVIRONMENT "REVEILO_WINE_ROOT=${REVEILO_WINE_ROOT}")
endfunction()

include(cmake/googletest.cmake)
reveilo_posix_threads(gtest gtest_main)
add_subdirectory(tests/win)

add_executable(Reveilo WIN32 main_window/main_win.cpp main_window/form1_win.cpp main_window/form1_layout_win.cpp
               power/suspend_dialog_win.cpp power/hibernate_win.cpp power/wake_source_win.cpp
               power/wake_mode_win.cpp res/reveilo.rc)
target_link_libraries(Reveilo PRIVATE reveilo_win comctl32 imm32 advapi32)
target_link_options(Reveilo PRIVATE -municode)
reveilo_warnings(Reveilo)
reveilo_ship(Reveilo)

set(REVEILO_SHIPPED_PROGRAMS $<TARGET_FILE:Reveilo> $<TARGET_FILE:jt> $<TARGET_FILE:ReveiloTask>)
# What ships is 32-bit and must load on Windows XP SP3: its imports are checked
# against what XP's DLLs export. The 64-bit build only runs the Wine tests.
set(REVEILO_CHECK_IMPORTS ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)
set(xp_exports "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(xp_exports -DXP_EXPORTS=${CMAKE_SOURCE_DIR}/tests/win/xp)
  add_executable(imports_tick64 tests/win/xp/imports_tick64.c)
  foreach(refused GetTickCount64 FlsAlloc)
    add_test(NAME xp_import_check_refuses_${refused}
             COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DFILES=$<TARGET_FILE:imports_tick64> ${xp_exports}
                     -P ${REVEILO_CHECK_IMPORTS})
    set_tests_properties(xp_import_check_refuses_${refused} PROPERTIES PASS_REGULAR_EXPRESSION
                         "imports ${refused} from KERNEL32.dll")
  endforeach()
endif()
add_test(NAME dist_imports_load_on_windows_xp
         COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} "-DFILES=${REVEILO_SHIPPED_PROGRAMS}" ${xp_exports}
                 -P ${REVEILO_CHECK_IMPORTS})

add_executable(jt tools/jt/jt_win.cpp res/jt.rc)
target_link_libraries(jt PRIVATE reveilo_win ole32 uuid)
target_link_options(jt PRIVATE -municode)
reveilo_warnings(jt)
reveilo_ship(jt)

# The task component, registration-free through Reveilo.exe's manifest.
add_library(ReveiloTask SHARED tools/task_component/component_win.cpp tools/task_component/backend_taskschd_win.cpp
            platform/local_time_win.cpp tools/task_component/component.def res/component.rc)
target_link_libraries(ReveiloTask PRIVATE reveilo_core ole32 oleaut32 advapi32 uuid taskschd)
set_target_properties(ReveiloTask PROPERTIES PREFIX "")
reveilo_warnings(ReveiloTask)
reveilo_ship(ReveiloTask)
reveilo_ascii_literals(reveilo_win reveilo_small_runtime Reveilo jt ReveiloTask)

# The Japanese texts that ship, in the code page a Japanese Windows reads.
set(REVEILO_ANSI_TEXT ${CMAKE_SOURCE_DIR}/cmake/ansi-text.sh)
set(shipped_texts "")
foreach(name manual README)
  add_custom_command(OUTPUT ${REVEILO_DIST_DIR}/${name}.txt
                     COMMAND ${REVEILO_ANSI_TEXT} make ${CMAKE_SOURCE_DIR}/res/${name}.txt
                             ${REVEILO_DIST_DIR}/${name}.txt
                     DEPENDS ${CMAKE_SOURCE_DIR}/res/${name}.txt ${REVEILO_ANSI_TEXT})
  list(APPEND shipped_texts ${REVEILO_DIST_DIR}/${name}.txt)
  add_test(NAME dist_${name}_is_shift_jis_crlf COMMAND ${REVEILO_ANSI_TEXT} check ${REVEILO_DIST_DIR}/${name}.txt)
endforeach()
add_custom_target(shipped_texts ALL DEPENDS ${shipped_texts})

# Benchmark programs (bench/run.sh runs them). The floor is Reveilo's window
# with no program behind it, built like Reveilo.exe.
add_executable(floor WIN32 bench/floor_win.cpp main_window/form1_layout_win.cpp platform/window_layout_win.cpp
               bench/floor.rc)
target_include_directories(floor PRIVATE ${CMAKE_SOURCE_DIR}/res)
target_link_libraries(floor PRIVATE reveilo_core comctl32 imm32)
target_link_options(floor PRIVATE -municode)
reveilo_ship(floor)
set_target_properties(floor PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_executable(jt_stamp bench/jt_stamp.cpp)
target_link_libraries(jt_stamp PRIVATE reveilo_win)
target_link_options(jt_stamp PRIVATE -municode)
add_executable(run_driver bench/run_driver.cpp)
target_link_libraries(run_driver PRIVATE reveilo_win)
target_link_options(run_driver PRIVATE -municode)
add_executable(bench bench/bench_win.cpp)
target_link_libraries(bench PRIVATE reveilo_win psapi)
target_link_options(bench PRIVATE -municode)

# What a Windows user downloads: the dist folder, zipped.
set(REVEILO_ZIP ${CMAKE_BINARY_DIR}/Reveilo-1.01.zip)
set(zip_files Reveilo.exe jt.exe ReveiloTask.dll manual.txt README.txt)
add_custom_command(OUTPUT ${REVEILO_ZIP}
                   COMMAND ${CMAKE_COMMAND} -E rm -f ${REVEILO_ZIP}
                   COMMAND zip -q -X -j ${REVEILO_ZIP} ${zip_files}
                   WORKING_DIRECTORY ${REVEILO_DIST_DIR}
                   DEPENDS Reveilo jt ReveiloTask shipped_texts)
add_custom_target(release_zip ALL DEPENDS ${REVEILO_ZIP})
add_test(NAME release_zip_contents
         COMMAND ${CMAKE_COMMAND} -DZIP=${REVEILO_ZIP} -DOBJDUMP=${CMAKE_OBJDUMP} "-DEXPECTED=${zip_files}"
                 -DCHECK_IMPORTS=${REVEILO_CHECK_IMPORTS} ${xp_exports}
                 -P ${CMAKE_SOURCE_DIR}/cmake/check-zip.cmake)
