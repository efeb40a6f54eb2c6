# Strict warnings for every target of the project, applied through one helper so
# that no target can forget them.
function(arvelle_strict_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(ARVELLE_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Location of the shared fixtures and validators, checked out beside the project.
get_filename_component(ARVELLE_SHARED_DIR "${PROJECT_SOURCE_DIR}/../shared" ABSOLUTE)
