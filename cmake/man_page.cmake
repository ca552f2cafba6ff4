# hw_man_page(target description): section 1 manual page made by help2man
# from the program's --help and --version, built with everything and
# installed gzipped. Without help2man there is no page.
include_guard(GLOBAL)
find_program(HELP2MAN help2man)
find_program(GZIP gzip)

function(hw_man_page target description)
  if(NOT HELP2MAN OR NOT GZIP)
    message(STATUS "help2man not found: no manual page for ${target}")
    return()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${target}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            ${HELP2MAN} --no-info --no-discard-stderr --section=1
            --name=${description} --version-string=${HEDDLEWISE_VERSION} --output=${page} $<TARGET_FILE:${target}>
    COMMAND ${GZIP} -9nf ${page}
    DEPENDS ${target}
    COMMENT "Manual page for ${target}" VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
