# Copies SRC to DST unless DST already exists (the user's edits stay).
if(NOT EXISTS ${DST})
  file(COPY_FILE ${SRC} ${DST})
endif()
