# A cross build (cmake/i386.cmake) runs its tests on the build machine. Some
# x86-64 kernels cannot run i386 programs (no 32-bit emulation built in): there
# the tests and test discovery run under qemu-i386 (Debian's qemu-user).
# CMAKE_CROSSCOMPILING_EMULATOR, when set, is what every test uses to start one
# of the project's programs.
if(NOT CMAKE_CROSSCOMPILING OR DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  return()
endif()
set(probe_dir ${CMAKE_BINARY_DIR}/CMakeFiles/run_probe)
try_compile(probe_built ${probe_dir} ${CMAKE_CURRENT_LIST_DIR}/probe/returns_zero.c
            COPY_FILE ${probe_dir}/returns_zero)
if(NOT probe_built)
  message(FATAL_ERROR "cannot build a program for ${CMAKE_SYSTEM_PROCESSOR}")
endif()
execute_process(COMMAND ${probe_dir}/returns_zero RESULT_VARIABLE probe_result
                OUTPUT_QUIET ERROR_QUIET)
if(probe_result EQUAL 0)
  return()
endif()
find_program(QEMU_I386 qemu-i386)
if(NOT QEMU_I386)
  message(FATAL_ERROR "this machine cannot run ${CMAKE_SYSTEM_PROCESSOR} programs: "
                      "install qemu-user (scripts/deps.sh i386) to run the tests")
endif()
message(STATUS "${CMAKE_SYSTEM_PROCESSOR} programs run under ${QEMU_I386}")
set(CMAKE_CROSSCOMPILING_EMULATOR ${QEMU_I386} CACHE FILEPATH "Runs the built programs")
