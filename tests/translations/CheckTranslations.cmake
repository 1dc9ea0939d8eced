# cmake -DLUPDATE=... -DTS_FILE=... -DWORK_DIR=... -DLUPDATE_ARGS=... -P CheckTranslations.cmake
# Fails naming each text of the sources that has no translation yet.
set(copy ${WORK_DIR}/ravlin_en_check.ts)
file(COPY_FILE ${TS_FILE} ${copy})
execute_process(COMMAND ${LUPDATE} ${LUPDATE_ARGS} -ts ${copy} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lupdate failed: ${status}")
endif()
file(READ ${copy} text)
string(REGEX MATCHALL "<source>[^<]*</source>[ \n]*<translation type=\"unfinished\"" unfinished "${text}")
list(LENGTH unfinished count)
if(count GREATER 0)
  string(REGEX REPLACE "</source>[ \n]*<translation type=\"unfinished\"" "" unfinished "${unfinished}")
  string(REPLACE "<source>" "\n  " unfinished "${unfinished}")
  message(FATAL_ERROR "${count} texts have no English translation "
                      "(cmake --build build --target update_translations, then translate src/translations/ravlin_en.ts):"
                      "${unfinished}")
endif()
