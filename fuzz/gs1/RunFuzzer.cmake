# Runs the fuzzer for a bounded time on a fresh copy of the seed corpus.
#   cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=... -P RunFuzzer.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/artifacts)
file(COPY ${SEEDS}/ DESTINATION ${WORK}/corpus)
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -max_len=512 -print_final_stats=1
            -artifact_prefix=${WORK}/artifacts/ ${WORK}/corpus
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "fuzz_ean128 FAILED (exit ${rc}); the input is kept in ${WORK}/artifacts")
endif()
message("fuzz_ean128 PASSED: ${SECONDS} s without a crash, leak or sanitizer report")
