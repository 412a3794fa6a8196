# Runs one sketch through sketchrun and compares its output with NAME.expected.
# Optional NAME.args holds extra sketchrun arguments, one per line.
get_filename_component(dir ${SKETCH} DIRECTORY)
get_filename_component(name ${SKETCH} NAME_WE)
set(expected_file ${dir}/${name}.expected)
set(args_file ${dir}/${name}.args)

set(args "")
if(EXISTS ${args_file})
  file(STRINGS ${args_file} args)
endif()

execute_process(
  COMMAND ${SKETCHRUN} ${args} ${SKETCH}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE status)

if(NOT EXISTS ${expected_file})
  message(FATAL_ERROR "missing ${expected_file}; sketchrun printed:\n${actual}")
endif()
file(READ ${expected_file} expected)

if(NOT status EQUAL 0 AND NOT status EQUAL 1)
  message(FATAL_ERROR "sketchrun exited with ${status}\n${errors}")
endif()
if(errors)
  message(FATAL_ERROR "sketchrun wrote to stderr:\n${errors}")
endif()
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output differs from ${expected_file}\n--- expected\n${expected}--- actual\n${actual}")
endif()
