# Writes SUPPORT.INF as the bookkeeping package does: CP932 bytes with CR LF line ends.
# cmake -DSOURCE=SUPPORT.INF.utf8 -DOUTPUT=SUPPORT.INF -DICONV=/usr/bin/iconv -P MakeSupportInf.cmake
file(READ ${SOURCE} text)
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT}.utf8crlf "${text}")
execute_process(COMMAND ${ICONV} -f UTF-8 -t CP932 ${OUTPUT}.utf8crlf
                OUTPUT_FILE ${OUTPUT}.tmp RESULT_VARIABLE status)
file(REMOVE ${OUTPUT}.utf8crlf)
if(NOT status EQUAL 0)
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "iconv could not convert ${SOURCE} to CP932")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
