# Copies SRC to DST when DST is missing or older, so a build tree follows the
# shipped file without undoing edits made after it.
if(NOT EXISTS ${DST} OR ${SRC} IS_NEWER_THAN ${DST})
  file(COPY_FILE ${SRC} ${DST})
endif()
