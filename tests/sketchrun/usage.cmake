# sketchrun's refusals: an --input-file that is not a regular file (a folder, a FIFO) and a
# --steps count past the range of its numbers end with exit status 2 and a message, never an
# abort or a wait; a long input file fills the box only up to its limit.
# Takes SKETCHRUN and WORK (a scratch folder in the build tree, where the FIFO is made).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/folder)
set(sketch ${WORK}/one.ino)
file(WRITE ${sketch} "int x = 1;\n")
execute_process(COMMAND mkfifo ${WORK}/fifo RESULT_VARIABLE made)
if(NOT made EQUAL 0)
  message(FATAL_ERROR "cannot make a FIFO in ${WORK}")
endif()

# Runs sketchrun with ARGN; the exit status must be `want` and stderr must hold `message`.
function(expect want message)
  execute_process(COMMAND ${SKETCHRUN} ${ARGN} TIMEOUT 20
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT "${status}" STREQUAL "${want}")
    message(FATAL_ERROR "sketchrun ${ARGN}: exit ${status}, wanted ${want}\n${err}")
  endif()
  string(FIND "${err}" "${message}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "sketchrun ${ARGN}: stderr lacks \"${message}\":\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

expect(2 "sketchrun: cannot read ${WORK}/folder" --input-file 1=${WORK}/folder ${sketch})
expect(2 "sketchrun: cannot read ${WORK}/fifo" --input-file 1=${WORK}/fifo ${sketch})
expect(2 "--steps needs a number" --steps 99999999999999999999 ${sketch})
expect(2 "--steps needs a number" --steps -1 ${sketch})

string(REPEAT "a" 40000 long)
file(WRITE ${WORK}/long.txt "${long}")
expect(0 "" --statements --steps 1 --all-panels --input-file 1=${WORK}/long.txt ${sketch})
string(REGEX MATCH "IN1 shown \"(a*)\"" line "${out}")
string(LENGTH "${CMAKE_MATCH_1}" length)
if(NOT length EQUAL 32767)
  message(FATAL_ERROR "the input box got ${length} characters of a 40000-character file, wanted 32767")
endif()
