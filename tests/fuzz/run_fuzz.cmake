# Runs the fuzz target for CTest. MODE=replay runs every committed regression input once;
# MODE=bounded fuzzes RUNS inputs from the seeds with a fixed seed, in a scratch corpus inside the
# build tree, so the same commit finds the same things on any machine; its per-input limit leaves
# room for a machine busy with the other tests (a sanitized input that reports on every step
# takes about a second alone).
if(MODE STREQUAL "replay")
  file(GLOB inputs ${SOURCE}/regressions/*)
  list(FILTER inputs EXCLUDE REGEX "README")
  if(NOT inputs)
    message(STATUS "no regression inputs")
    return()
  endif()
  execute_process(COMMAND ${FUZZER} -rss_limit_mb=2048 -timeout=25 ${inputs} RESULT_VARIABLE rc)
elseif(MODE STREQUAL "bounded")
  file(REMOVE_RECURSE ${WORK}/corpus)
  file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
  execute_process(COMMAND ${FUZZER} -seed=1 -runs=${RUNS} -timeout=25 -rss_limit_mb=2048
      -dict=${SOURCE}/quorvex.dict -artifact_prefix=${WORK}/artifacts/ -print_final_stats=1
      ${WORK}/corpus ${SOURCE}/seeds ${SOURCE}/../sketches
    RESULT_VARIABLE rc)
else()
  message(FATAL_ERROR "MODE must be replay or bounded")
endif()
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the fuzzer found a fault (exit ${rc})")
endif()
