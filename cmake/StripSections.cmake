# Run by CPack once the files are staged: the program loses the sections that only say which
# compiler made it, as Debian's packaging tools strip them.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program ${programs})
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note "${program}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "strip failed on ${program}")
  endif()
endforeach()
