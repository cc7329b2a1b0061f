# Checks that vector instructions live only in the files built for their
# instruction set, so that a processor without them never meets one outside the
# paths chosen for it at run time, and that those files share no code with the
# rest (a weak function compiled for a wider instruction set could be the copy
# the linker keeps for every caller).
#
#   cmake -DOBJDUMP=... -DNM=... -DOBJECTS=a.o|b.o -DSIMD_FILES=regex
#         -DFORBIDDEN=regex -P check_simd_isolation.cmake
# OBJECTS: object files and libraries to inspect ('|'-separated); SIMD_FILES:
# names of the per-instruction-set objects; FORBIDDEN: registers or mnemonics
# that no other object may use.
string(REPLACE "|" ";" objects "${OBJECTS}")
set(failures "")
foreach(object IN LISTS objects)
  get_filename_component(name "${object}" NAME)
  if(name MATCHES "${SIMD_FILES}")
    execute_process(COMMAND ${NM} --defined-only "${object}" OUTPUT_VARIABLE symbols
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${NM} failed on ${object}")
    endif()
    string(REGEX MATCHALL "[^\n]* [Ww] [^\n]*" weak "${symbols}")
    if(weak)
      string(APPEND failures "${name} defines code other objects may share: ${weak}\n")
    endif()
  else()
    execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn "${object}"
                    OUTPUT_VARIABLE code RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
      message(FATAL_ERROR "${OBJDUMP} failed on ${object}")
    endif()
    string(REGEX MATCH "[^\n]*(${FORBIDDEN})[^\n]*" line "${code}")
    if(line)
      string(APPEND failures "${name} uses vector instructions outside its SIMD files: ${line}\n")
    endif()
  endif()
endforeach()
list(LENGTH objects count)
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "${count} objects checked")
