# Links the application fonts in Fonts/ to installed system fonts (see scripts/deps.sh):
#   GothamNights.ttf  the Latin display face (Quattrocento, fonts-quattrocento)
#   FZZY.ttf          the CJK-capable face (WenQuanYi Zen Hei, fonts-wqy-zenhei)
# A face that is not installed leaves no link, and the program's font chain
# falls through to the system fonts with its warnings.
# Usage: cmake -DFONTS_DIR=<app>/Fonts -P fonts.cmake
find_program(FC_LIST fc-list)

function(link_font name family)
  set(link ${FONTS_DIR}/${name})
  set(target "")
  if(FC_LIST)
    # fc-list answers only fonts of exactly this family; face 0 of its file is the one opened.
    execute_process(COMMAND ${FC_LIST} "${family}:style=Regular" --format "%{index} %{file}\n"
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
    string(REPLACE "\n" ";" found "${found}")
    foreach(line IN LISTS found)
      if(line MATCHES "^0 (.+)$")
        set(target ${CMAKE_MATCH_1})
        break()
      endif()
    endforeach()
  endif()
  file(REMOVE ${link})
  if(target)
    file(CREATE_LINK ${target} ${link} SYMBOLIC)
  else()
    message(WARNING "No ${family} font is installed: ${link} is missing (scripts/deps.sh installs it).")
  endif()
endfunction()

file(MAKE_DIRECTORY ${FONTS_DIR})
link_font(GothamNights.ttf "Quattrocento")
link_font(FZZY.ttf "WenQuanYi Zen Hei")
