# The packer, given a member that does not exist, fails and leaves neither the
# package nor its temporary file behind; given good members twice it writes
# the same bytes (the package is reproducible).
set(out ${WORK_DIR}/refused.asz)
file(REMOVE ${out} ${out}.tmp)
execute_process(COMMAND ${PACKER} ${out} ${GOOD_MEMBER} ${WORK_DIR}/no-such-member.png
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(rc EQUAL 0)
  message(FATAL_ERROR "packer accepted a missing member")
endif()
if(NOT err MATCHES "no-such-member")
  message(FATAL_ERROR "packer did not name the missing member: ${err}")
endif()
if(EXISTS ${out} OR EXISTS ${out}.tmp)
  message(FATAL_ERROR "packer left a partial package behind")
endif()

execute_process(COMMAND ${PACKER} ${WORK_DIR}/a.asz ${GOOD_MEMBER} RESULT_VARIABLE rc1)
execute_process(COMMAND ${PACKER} ${WORK_DIR}/b.asz ${GOOD_MEMBER} RESULT_VARIABLE rc2)
if(NOT rc1 EQUAL 0 OR NOT rc2 EQUAL 0)
  message(FATAL_ERROR "packer failed on a good member")
endif()
file(SHA256 ${WORK_DIR}/a.asz h1)
file(SHA256 ${WORK_DIR}/b.asz h2)
if(NOT h1 STREQUAL h2)
  message(FATAL_ERROR "packer output differs between runs")
endif()
file(REMOVE ${WORK_DIR}/a.asz ${WORK_DIR}/b.asz)
