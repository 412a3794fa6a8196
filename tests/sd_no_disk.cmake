# The SD card keeps its file in a panel: running the SD sketches, and one that names a relative,
# a parent-folder and an absolute file, must leave every folder it could reach empty.
# Takes SKETCHRUN, SKETCH_DIR and WORK (a scratch folder in the build tree).
file(REMOVE_RECURSE ${WORK})
set(first ${WORK}/first)
set(second ${WORK}/second)
set(inner ${second}/inner) # the working folder of the second run; "../" is the second folder
file(MAKE_DIRECTORY ${first} ${inner})

set(paths ${WORK}/sd_paths.ino)
file(WRITE ${paths} "#include <SD.h>
void setup() {
  SD.begin(4);
  File a = SD.open(\"test.txt\", FILE_WRITE);
  a.println(\"one\");
  a.close();
  File b = SD.open(\"../x.txt\", FILE_WRITE);
  b.println(\"two\");
  b.close();
  File c = SD.open(\"${second}/abs.txt\", FILE_WRITE);
  c.println(\"three\");
  c.close();
  SD.remove(\"test.txt\");
  SD.remove(\"../x.txt\");
  SD.remove(\"${second}/abs.txt\");
}
void loop() {
}
")

function(run_in folder sketch)
  execute_process(COMMAND ${SKETCHRUN} --steps 300 ${sketch} WORKING_DIRECTORY ${folder}
    RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 AND NOT status EQUAL 1)
    message(FATAL_ERROR "sketchrun ${sketch} exited with ${status}\n${err}")
  endif()
endfunction()

file(GLOB sketches ${SKETCH_DIR}/sd_*.ino)
foreach(sketch IN LISTS sketches)
  run_in(${first} ${sketch})
endforeach()
run_in(${inner} ${paths})

file(GLOB_RECURSE left LIST_DIRECTORIES true ${first}/* ${first}/.* ${second}/* ${second}/.*)
list(REMOVE_ITEM left ${inner})
if(left)
  message(FATAL_ERROR "the SD sketches wrote to disk: ${left}")
endif()
