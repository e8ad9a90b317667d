# Copies SOURCE to DESTINATION only when nothing is there yet, so saved settings are never lost.
if(NOT EXISTS "${DESTINATION}")
  file(COPY_FILE "${SOURCE}" "${DESTINATION}")
endif()
