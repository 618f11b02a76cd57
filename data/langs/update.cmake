# Extracts the translated texts of the sources and folds them into the template and the
# catalogs. Run through the build target zyn-pot.
file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}"
  "${SOURCE_DIR}/src/*.cpp" "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/include/*.h" "${SOURCE_DIR}/updater/*.cpp")
execute_process(
  COMMAND "${XGETTEXT}" --language=C++ --from-code=UTF-8 --no-location --omit-header
          --keyword=_ --keyword=wxTRANSLATE --keyword=wxGetTranslation --keyword=wxPLURAL:1,2
          --keyword=wxGETTEXT_IN_CONTEXT:1c,2 -o "${OUT}" ${sources}
  WORKING_DIRECTORY "${SOURCE_DIR}" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "xgettext failed")
endif()
if(EXISTS "${OUT}")
  execute_process(COMMAND "${MSGCAT}" --use-first -o "${LANGS}/zyn-utils.pot" "${LANGS}/zyn-utils.pot" "${OUT}"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "msgcat failed")
  endif()
endif()
file(GLOB catalogs "${LANGS}/*.po")
foreach(po ${catalogs})
  execute_process(COMMAND "${MSGMERGE}" --quiet --update --backup=off --no-fuzzy-matching "${po}" "${LANGS}/zyn-utils.pot")
endforeach()
