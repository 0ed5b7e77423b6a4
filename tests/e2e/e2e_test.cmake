# vestrel_e2e_test(NAME script TIMEOUT seconds [LABELS ...] ARGS ...): one end-to-end run of a
# real program. Each run starts a virtual display (and often wine) and times what it sees; side
# by side with another such run on a small machine it can miss its marks, so they run one at a
# time.
function(vestrel_e2e_test name script)
  cmake_parse_arguments(E2E "" "TIMEOUT" "LABELS;ARGS" ${ARGN})
  add_test(NAME ${name} COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/${script} ${E2E_ARGS})
  set_tests_properties(${name} PROPERTIES LABELS "e2e;${E2E_LABELS}" TIMEOUT ${E2E_TIMEOUT}
                                          RUN_SERIAL ON)
endfunction()
