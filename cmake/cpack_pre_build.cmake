# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack on the files it is about to pack, once stripped
# (CPACK_PRE_BUILD_SCRIPTS): the programs lose the compiler's .comment
# section, as a distribution's packaging tools do.
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_VORELLE_OBJCOPY}" --remove-section=.comment "${program}"
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
