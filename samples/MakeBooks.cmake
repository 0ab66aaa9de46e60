# Builds the demo books from the schema and the demo SQL, replacing the file only when both ran.
# cmake -DSQLITE3=... -DSCHEMA=schema.sql -DDEMO=demo_books.sql -DOUTPUT=books.db -P MakeBooks.cmake
file(REMOVE ${OUTPUT}.tmp)
execute_process(COMMAND ${SQLITE3} -bail ${OUTPUT}.tmp ".read ${SCHEMA}" ".read ${DEMO}"
                RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0 OR NOT errors STREQUAL "")
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "sqlite3 could not build ${OUTPUT}: ${errors}")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
