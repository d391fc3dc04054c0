# Helpers that put files onto the sample disc. Every file of the disc is
# produced by the build from a readable source, so `disc` depends on them all.
add_custom_target(disc ALL)

# disc_copy(<dest dir relative to the disc> <source files...>)
function(disc_copy dest)
  foreach(src IN LISTS ARGN)
    get_filename_component(name ${src} NAME)
    set(out ${DISC_DIR}/${dest}/${name})
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${DISC_DIR}/${dest}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${out}
      DEPENDS ${src} VERBATIM)
    string(MAKE_C_IDENTIFIER "disc_${dest}_${name}" tgt)
    add_custom_target(${tgt} DEPENDS ${out})
    add_dependencies(disc ${tgt})
  endforeach()
endfunction()

# disc_generate(<name> OUTPUTS <files...> COMMAND <cmd...> DEPENDS <deps...>)
# The folders of the outputs are made first.
function(disc_generate name)
  cmake_parse_arguments(G "" "" "OUTPUTS;COMMAND;DEPENDS" ${ARGN})
  set(dirs)
  foreach(out IN LISTS G_OUTPUTS)
    get_filename_component(dir ${out} DIRECTORY)
    list(APPEND dirs ${dir})
  endforeach()
  list(REMOVE_DUPLICATES dirs)
  add_custom_command(OUTPUT ${G_OUTPUTS}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dirs}
    COMMAND ${G_COMMAND}
    DEPENDS ${G_DEPENDS} VERBATIM)
  add_custom_target(disc_gen_${name} DEPENDS ${G_OUTPUTS})
  add_dependencies(disc disc_gen_${name})
endfunction()
