# The build installs the default settings file only where none is: a saved file must survive.
set(dir "${WORK_DIR}/copy_if_missing_test")
file(REMOVE_RECURSE "${dir}")
file(MAKE_DIRECTORY "${dir}")
file(WRITE "${dir}/default.ini" "[OPTIONS]\nSound=ON\n")
file(WRITE "${dir}/saved.ini" "[OPTIONS]\nSound=OFF\n")

foreach(destination saved.ini fresh.ini)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE=${dir}/default.ini
                          -DDESTINATION=${dir}/${destination} -P ${SCRIPT}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "copying to ${destination} failed")
  endif()
endforeach()

file(READ "${dir}/saved.ini" saved)
file(READ "${dir}/fresh.ini" fresh)
if(NOT saved STREQUAL "[OPTIONS]\nSound=OFF\n")
  message(FATAL_ERROR "a saved settings file was overwritten: ${saved}")
endif()
if(NOT fresh STREQUAL "[OPTIONS]\nSound=ON\n")
  message(FATAL_ERROR "the default settings file was not installed: ${fresh}")
endif()
file(REMOVE_RECURSE "${dir}")
