# cmake -DSOURCE=readme.txt -DOUTPUT=copy -P readme_utf8.cmake
# The read-me is kept in Shift_JIS with CR LF, as Windows text viewers want
# it; on Linux a viewer expects UTF-8 with LF. CP932 maps 0x5C and 0x7E to
# the backslash and tilde that paths need, where plain Shift_JIS gives a yen
# sign and an overline.
execute_process(COMMAND iconv -f CP932 -t UTF-8 ${SOURCE}
                OUTPUT_VARIABLE text RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "iconv could not convert ${SOURCE}")
endif()
string(REPLACE "\r\n" "\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
