# Run by CPack once the files are staged: the program and its modules lose the sections
# that only say which compiler made them, as Debian's packaging tools strip them.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*"
     "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*vexolin-mpv.so" "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*vexolin-tags.so")
foreach(program ${programs})
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip failed on ${program}")
  endif()
endforeach()
