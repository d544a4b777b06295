# The pencil command: the corner search, the pencil runs and the command's passes.
target_sources(fendo_engine PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pencil.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pencil_corners.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pencil_link_guard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pencil_runs.cpp
)
