# Lays out the example installation (run with cmake -P): SITE, EXE,
# SOURCE_DIR are given on the command line. The sources keep their time
# stamps, so a second build of the example finds the fragments' pages newer
# than the fragments and leaves them alone.
file(MAKE_DIRECTORY ${SITE}/projs ${SITE}/build ${SITE}/cache ${SITE}/curl ${SITE}/pandoc)
file(COPY ${EXE} DESTINATION ${SITE})
file(REMOVE_RECURSE ${SITE}/projs/example)
file(COPY ${SOURCE_DIR}/example DESTINATION ${SITE}/projs)
file(COPY ${SOURCE_DIR}/example.txt DESTINATION ${SITE})
foreach(tool curl pandoc)
  if(EXISTS /usr/bin/${tool})
    file(REMOVE ${SITE}/${tool}/${tool}.exe)
    file(CREATE_LINK /usr/bin/${tool} ${SITE}/${tool}/${tool}.exe SYMBOLIC)
  endif()
endforeach()
