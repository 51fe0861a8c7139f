# Runs one libFuzzer target for a bounded time on a scratch copy of its seed corpus.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(EXISTS ${SEEDS})
    file(GLOB seeds ${SEEDS}/*)
    if(seeds)
        file(COPY ${seeds} DESTINATION ${WORK})
    endif()
endif()
execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
            -max_len=65536 -print_final_stats=1 ${WORK}
    WORKING_DIRECTORY ${WORK}/..
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "fuzzer ${FUZZER} failed with ${rc}")
endif()
