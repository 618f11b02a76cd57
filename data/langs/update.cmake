# Extracts the translated texts of the sources and makes the template and the
# catalogs hold exactly those. Run through the build target zyn-pot.
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
set(pot "${LANGS}/zyn-utils.pot")
if(EXISTS "${OUT}")
  # The template's header and order stay; new texts come at its end.
  execute_process(COMMAND "${MSGCAT}" --use-first -o "${OUT}.all" "${pot}" "${OUT}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "msgcat failed")
  endif()
  # Only what the sources use: the messages found in both files.
  execute_process(COMMAND "${MSGCOMM}" --more-than=1 -o "${pot}" "${OUT}.all" "${OUT}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "msgcomm failed")
  endif()
endif()
file(GLOB catalogs "${LANGS}/*.po")
foreach(po ${catalogs})
  execute_process(COMMAND "${MSGMERGE}" --quiet --update --backup=off --no-fuzzy-matching "${po}" "${pot}"
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "msgmerge failed on ${po}")
  endif()
  # msgmerge keeps the translations of dropped texts as obsolete entries; they go too.
  execute_process(COMMAND "${MSGATTRIB}" --no-obsolete -o "${po}" "${po}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "msgattrib failed on ${po}")
  endif()
endforeach()
